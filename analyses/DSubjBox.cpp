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
    PaintShape(painter, box, subject, Fill(subject));
}

void DSubjBox::PaintShape(QPainter& painter, const QRect& box, const DSubjElem& subject, const QColor& fill)
{
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(fill);
    if (subject.sex.IsFemale())
        painter.drawEllipse(box);
    else
        painter.drawRect(box);
}
