#include "analyses/DGraphListConnChoiType.h"

#include "model/EError.h"

#include <QBrush>
#include <QPainter>
#include <QPen>

void DGraphListConnChoiType::SetFromAnswer(qint32 rank)
{
    EError::Guard("DGraphListConnChoiType::SetFromAnswer()",
                  [&]
                  {
                      const qint32 code = rank <= 0 ? kFirst : rank == 1 ? kSecond : kThird;
                      if (value_ == kNone || code < value_)
                          value_ = code;
                  });
}

void DGraphListConnChoiType::SetPen(QPainter& surface) const
{
    EError::Guard("DGraphListConnChoiType::SetPen()",
                  [&]
                  {
                      if (value_ == kNone)
                          return;
                      QPen pen = surface.pen();
                      // Flat caps: a line does not paint its last point.
                      pen.setCapStyle(Qt::FlatCap);
                      pen.setWidth(value_ == kFirst ? 2 : 1);
                      pen.setStyle(value_ == kThird ? Qt::DotLine : Qt::SolidLine);
                      surface.setPen(pen);
                      surface.setBrush(QColor(255, 255, 255));
                  });
}
