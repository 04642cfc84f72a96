#pragma once

#include <QLine>
#include <QPoint>

class QPainter;

// Lines of the sociogram. A line from A to B paints A but not B, in
// whichever direction it runs, so that a line ending on a box outline leaves
// the outline alone and joined lines paint their corners once. Thin lines
// (solid or dotted) on a plain picture, or on one with a whole number of
// pixels to each coordinate for a dense screen, are written straight into
// its pixels, which is also much faster than the painter's general path for
// the thousands of lines of a large group. Pens up to 3 pixels wide are
// drawn the same way, their extra pixels across the line; others go through
// the painter.
class DGraphSocLine
{
public:
    static void Draw(QPainter& surface, QPoint from, QPoint to);
    static void Draw(QPainter& surface, const QLine* lines, int count);
};
