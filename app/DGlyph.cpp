#include "app/DGlyph.h"

#include <QPainter>
#include <QPixmap>

QIcon DGlyph::Icon(int size, const std::function<void(QPainter&)>& paint, int ratio)
{
    QPixmap pixmap(size * ratio, size * ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    paint(painter);
    painter.end();
    pixmap.setDevicePixelRatio(ratio);
    return QIcon(pixmap);
}

QPainterPath DGlyph::BlockArrow(qreal tail, qreal neck, qreal tip, qreal y, qreal shaft, qreal head)
{
    QPainterPath arrow;
    arrow.moveTo(tail, y - shaft);
    arrow.lineTo(neck, y - shaft);
    arrow.lineTo(neck, y - head);
    arrow.lineTo(tip, y);
    arrow.lineTo(neck, y + head);
    arrow.lineTo(neck, y + shaft);
    arrow.lineTo(tail, y + shaft);
    arrow.closeSubpath();
    return arrow;
}

void DGlyph::PaintSpin(QPainter& p)
{
    p.setPen(QPen(Outline(), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Arrow());
    p.drawPolygon(QPolygonF({QPointF(33, 19), QPointF(42, 19), QPointF(37.5, 10)}));
    p.drawPolygon(QPolygonF({QPointF(33, 26), QPointF(42, 26), QPointF(37.5, 35)}));
}
