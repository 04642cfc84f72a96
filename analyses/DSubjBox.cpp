#include "analyses/DSubjBox.h"

#include "analyses/DPalette.h"
#include "subjects/DSubjElem.h"

#include <QPainter>
#include <QPen>
#include <QRect>

QColor DSubjBox::Fill(const DSubjElem& subject)
{
    const DPalette& palette = DPalette::Active();
    return subject.sex.IsFemale() ? palette.female : palette.other;
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
