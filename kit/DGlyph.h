#pragma once

#include <QColor>
#include <QIcon>
#include <QPainterPath>

#include <functional>

class QPainter;

// The pictures of the pages' flat buttons are painted by code, so that they
// need no image files and keep one drawing style across the pages.
class DGlyph
{
public:
    // The colours the questions and subjects pictures share.
    static QColor Outline() { return {0x26, 0x37, 0x46}; }
    static QColor Line() { return {0x8F, 0xA3, 0xB8}; }
    static QColor Arrow() { return {0xF4, 0xB6, 0x3F}; }

    // An icon size x size pixels large, painted on a transparent picture
    // `ratio` times larger so that it stays sharp on screens with that
    // device pixel ratio; `paint` draws in the larger picture's pixels.
    static QIcon Icon(int size, const std::function<void(QPainter&)>& paint, int ratio = 1);
    // A block arrow pointing right along the line y: the shaft, 2 * shaft
    // high, runs from tail to neck, the head, 2 * head high, from neck to tip.
    static QPainterPath BlockArrow(qreal tail, qreal neck, qreal tip, qreal y, qreal shaft, qreal head);
    // "How many": an up and a down arrow at the right of a 44 pixel picture.
    static void PaintSpin(QPainter& p);

    // The pictures the pages' strips share: options, copy to the clipboard,
    // export to a file, print, save the picture. Painted at twice their size so they stay sharp on
    // screens with a device pixel ratio of 2.
    enum class Page
    {
        Options,
        Clipboard,
        FileExport,
        Print,
        SavePicture,
        Table
    };
    static QIcon PageIcon(Page picture, int size);
};
