#include "analyses/DSubjBox.h"

#include "subjects/DSubjElem.h"

#include <QPainter>
#include <QPen>
#include <QRect>

QColor DSubjBox::Fill(const DSubjElem& subject)
{
    return subject.sex.IsFemale() ? kFemale : kOther;
}

void DSubjBox::PaintShape(QPainter& painter, const QRect& box, const DSubjElem& subject)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Fill(subject));
    if (subject.sex.IsFemale())
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}
