#pragma once

#include <QLine>
#include <QPainterPath>
#include <QPen>

#include <utility>
#include <vector>

class QPainter;

// The sociogram's lines for a vector surface (SVG, PDF, a printer), gathered
// by pen and drawn as one path for each. Such a surface writes its state out
// at every change of pen or brush, and the thousands of connections of a
// large group change the pen several times each: drawn one by one they give
// a file of megabytes that takes long to write and to open. A printed or
// saved sociogram draws every line in its type's one colour (nothing is
// dimmed there), so drawing them in another order shows the same picture.
class DGraphSocLineBatch
{
public:
    void Add(const QPen& pen, const QLine* lines, int count);
    // Draws every pen's lines, in the order the pens first came, and
    // empties the batch; the painter's pen and brush are restored.
    void Flush(QPainter& surface);

private:
    std::vector<std::pair<QPen, QPainterPath>> batches_;
};
