#include "kit/DGlyph.h"

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

namespace
{
void PaintOptions(QPainter& p)
{
    // Three sliders, like the settings of a mixing desk.
    const QColor knobs[] = {QColor(0, 128, 0), QColor(200, 0, 0), QColor(30, 90, 200)};
    const int knobX[] = {28, 58, 40};
    for (int i = 0; i < 3; ++i)
    {
        const int y = 18 + i * 26;
        p.setPen(QPen(QColor(90, 90, 90), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(10, y, 78, y);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(knobs[i]);
        p.drawEllipse(QPoint(knobX[i], y), 9, 9);
    }
}

void PaintClipboard(QPainter& p)
{
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.setBrush(QColor(180, 130, 70));
    p.drawRoundedRect(QRect(12, 8, 64, 76), 6, 6);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRect(20, 18, 48, 58));
    // A small picture on the sheet: what the button copies.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(175, 238, 238));
    p.drawRect(QRect(25, 30, 38, 36));
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRect(30, 44, 7, 22));
    p.setBrush(QColor(200, 0, 0));
    p.drawRect(QRect(41, 52, 7, 14));
    p.setBrush(QColor(255, 192, 203));
    p.drawRect(QRect(52, 38, 7, 28));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 200, 200));
    p.drawRoundedRect(QRect(30, 3, 28, 14), 4, 4);
}

void PaintFileExport(QPainter& p)
{
    // A text document with a folded corner and an arrow leaving it.
    QPainterPath sheet;
    sheet.moveTo(10, 6);
    sheet.lineTo(48, 6);
    sheet.lineTo(62, 20);
    sheet.lineTo(62, 82);
    sheet.lineTo(10, 82);
    sheet.closeSubpath();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawPolyline(QPolygon({QPoint(48, 6), QPoint(48, 20), QPoint(62, 20)}));
    p.setPen(QPen(QColor(80, 80, 80), 3));
    for (int y = 32; y <= 72; y += 10)
        p.drawLine(18, y, 52, y);
    p.setPen(QPen(QColor(0, 80, 0), 2));
    p.setBrush(QColor(0, 160, 0));
    p.drawPath(DGlyph::BlockArrow(44, 64, 84, 58, 8, 18));
}
void PaintPrint(QPainter& p)
{
    // A printer with a sheet coming out of it that carries a small chart.
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(Qt::white);
    p.drawRect(QRect(24, 6, 40, 26));
    p.setBrush(QColor(150, 160, 175));
    p.drawRoundedRect(QRect(8, 28, 72, 34), 6, 6);
    p.setBrush(Qt::white);
    p.drawRect(QRect(22, 50, 44, 34));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRect(30, 62, 7, 16));
    p.setBrush(QColor(200, 0, 0));
    p.drawRect(QRect(41, 68, 7, 10));
    p.setBrush(QColor(0, 90, 200));
    p.drawRect(QRect(52, 58, 7, 20));
}

void PaintSavePicture(QPainter& p)
{
    // A picture with a chart and an arrow down into a tray: stored on disk.
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(175, 238, 238));
    p.drawRect(QRect(8, 6, 50, 44));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRect(16, 24, 8, 20));
    p.setBrush(QColor(200, 0, 0));
    p.drawRect(QRect(29, 32, 8, 12));
    p.setBrush(QColor(255, 192, 203));
    p.drawRect(QRect(42, 16, 8, 28));
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(QPolygon({QPoint(30, 66), QPoint(30, 84), QPoint(84, 84), QPoint(84, 66)}));
    p.save();
    p.translate(57, 32);
    p.rotate(90);
    p.setPen(QPen(QColor(0, 80, 0), 2));
    p.setBrush(QColor(0, 160, 0));
    p.drawPath(DGlyph::BlockArrow(0, 26, 46, 0, 7, 16));
    p.restore();
}

void PaintTable(QPainter& p)
{
    // A sheet with a header row and a grid of cells: a panel of rows and
    // columns beside the picture.
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawRect(QRect(8, 10, 72, 68));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(220, 230, 240));
    p.drawRect(QRect(9, 11, 70, 15));
    p.setPen(QPen(QColor(90, 90, 90), 2));
    for (int y = 26; y < 78; y += 13)
        p.drawLine(8, y, 80, y);
    for (int x : {30, 55})
        p.drawLine(x, 10, x, 78);
}
} // namespace

QIcon DGlyph::PageIcon(Page picture, int size)
{
    constexpr int kRatio = 2;
    switch (picture)
    {
    case Page::Options:
        return Icon(size, PaintOptions, kRatio);
    case Page::Clipboard:
        return Icon(size, PaintClipboard, kRatio);
    case Page::FileExport:
        return Icon(size, PaintFileExport, kRatio);
    case Page::Print:
        return Icon(size, PaintPrint, kRatio);
    case Page::SavePicture:
        return Icon(size, PaintSavePicture, kRatio);
    case Page::Table:
        return Icon(size, PaintTable, kRatio);
    }
    return {};
}
