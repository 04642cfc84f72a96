#include "analyses/DGraphSocLine.h"

#include <QImage>
#include <QPaintDevice>
#include <QPainter>
#include <QPen>

#include <cstdlib>

namespace
{
// The picture the painter writes to, when its pixels can be set directly,
// and how many of its pixels make one of the painter's coordinates.
QImage* PlainImage(QPainter& surface, int& scale)
{
    QPaintDevice* device = surface.device();
    if (!device || device->devType() != QInternal::Image || surface.hasClipping() ||
        !surface.worldTransform().isIdentity())
        return nullptr;
    QImage* image = static_cast<QImage*>(device);
    // A picture for a dense screen has a whole number of pixels to each of
    // the painter's; a fractional ratio needs the painter's scaling.
    const qreal ratio = image->devicePixelRatio();
    scale = int(ratio);
    return image->format() == QImage::Format_RGB32 && scale >= 1 && ratio == scale ? image : nullptr;
}

// Bresenham from the first point up to, not including, the last, on a
// picture with `scale` pixels to each coordinate: the line runs through the
// squares of the coordinates the plain line paints and is `scale` times as
// thick, so that it covers them. A dotted pen paints one step of every
// three, like the painter's dot pattern; a wider pen paints its extra pixels
// across the line's main direction, above and below (or left and right of)
// the thin line, as the painter does.
void Pixels(QImage& image, QPoint from, QPoint to, QRgb colour, bool dotted, int penWidth, int scale)
{
    from *= scale;
    to *= scale;
    const int dx = std::abs(to.x() - from.x());
    const int dy = std::abs(to.y() - from.y());
    // Along its main direction a line runs from the first pixel of its
    // first square: the far side when it runs toward smaller coordinates.
    const bool along = dx > dy;
    if (along && to.x() < from.x())
    {
        from.rx() += scale - 1;
        to.rx() += scale - 1;
    }
    else if (!along && to.y() < from.y())
    {
        from.ry() += scale - 1;
        to.ry() += scale - 1;
    }
    const int sx = to.x() > from.x() ? 1 : -1;
    const int sy = to.y() > from.y() ? 1 : -1;
    const int steps = dx > dy ? dx : dy;
    const int width = image.width();
    const int height = image.height();
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    QRgb* bits = reinterpret_cast<QRgb*>(image.bits());

    const int low = -(penWidth / 2) * scale;
    const int high = (penWidth - 1) / 2 * scale + scale - 1;
    const bool across = !along; // extra pixels along x for steep lines

    int x = from.x();
    int y = from.y();
    int error = (dx > dy ? dx : -dy) / 2;
    for (int i = 0; i < steps; ++i)
    {
        if (!dotted || i % (3 * scale) < scale)
            for (int k = low; k <= high; ++k)
            {
                const int px = across ? x + k : x;
                const int py = across ? y : y + k;
                if (px >= 0 && py >= 0 && px < width && py < height)
                    bits[qsizetype(py) * stride + px] = colour;
            }
        const int e = error;
        if (e > -dx)
        {
            error -= dy;
            x += sx;
        }
        if (e < dy)
        {
            error += dx;
            y += sy;
        }
    }
}
} // namespace

void DGraphSocLine::Draw(QPainter& surface, QPoint from, QPoint to)
{
    const QLine line(from, to);
    Draw(surface, &line, 1);
}

void DGraphSocLine::Draw(QPainter& surface, const QLine* lines, int count)
{
    const QPen& pen = surface.pen();
    const int penWidth = qMax(pen.width(), 1);
    int scale = 1;
    QImage* image = PlainImage(surface, scale);
    const bool dotted = pen.style() == Qt::DotLine;
    if (!image || penWidth > 3 || (dotted && penWidth > 1) || (pen.style() != Qt::SolidLine && !dotted) ||
        pen.brush().style() != Qt::SolidPattern)
    {
        surface.drawLines(lines, count);
        return;
    }
    const QRgb colour = 0xFF000000u | pen.color().rgb();
    for (int i = 0; i < count; ++i)
        Pixels(*image, lines[i].p1(), lines[i].p2(), colour, dotted, penWidth, scale);
}
