#pragma once

#include <QColor>

class DSubjElem;
class QPainter;
class QRect;

// The look every analysis gives a subject's box, so that a subject is told
// apart the same way in all of them: pink for a female subject, turquoise for
// everyone else (or the safe palette's pair, DPalette). Where the box is drawn as a shape, a female subject is a
// circle and everyone else a square. What is written inside is each
// analysis's own.
class DSubjBox
{
public:
    static QColor Fill(const DSubjElem& subject);

    // Outlines the box in black, 1 pixel wide, and fills it with Fill(). The
    // painter keeps that pen and brush afterwards.
    static void PaintShape(QPainter& painter, const QRect& box, const DSubjElem& subject);
    // The same with another fill (the colour of the subject's working group).
    static void PaintShape(QPainter& painter, const QRect& box, const DSubjElem& subject, const QColor& fill);
};
