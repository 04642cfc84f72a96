#include "analyses/DGraphSocSubjDim.h"

#include "model/EError.h"

QPoint DGraphSocSubjDim::Drawable(QPoint position, int left, int top, int right, int bottom) const
{
    return EError::Guard("DGraphSocSubjDim::Drawable()",
                         [&]
                         {
                             const int h = Get() / 2;
                             QPoint p = position;
                             if (p.x() - h - 3 < left)
                                 p.setX(h + 3);
                             else if (p.x() + h + 3 > right)
                                 p.setX(right - h - 3);
                             if (p.y() - h - 3 < top)
                                 p.setY(h + 3);
                             else if (p.y() + h + 3 > bottom)
                                 p.setY(bottom - h - 3);
                             return p;
                         });
}
