#include "analyses/DPicture.h"

#include "analyses/DFonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <stdexcept>

QImage DPicture::Make(int width, int height)
{
    QImage image(qMax(width, 1), qMax(height, 1), QImage::Format_RGB32);
    image.setDotsPerMeterX(kDotsPerMeter);
    image.setDotsPerMeterY(kDotsPerMeter);
    image.fill(Qt::white);
    return image;
}

QImage DPicture::MakeChecked(int width, int height)
{
    QImage image = Make(width, height);
    if (image.isNull())
        throw std::runtime_error("picture too large");
    return image;
}

void DPicture::PrepareOutlines(QPainter& painter)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.setBackgroundMode(Qt::OpaqueMode);
}

QFont DPicture::Font(int pointSize, bool bold)
{
    QFont font(DFonts::Family(), pointSize, bold ? QFont::Bold : QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int DPicture::LineHeight(const QFont& font)
{
    static const QImage probe = Make(1, 1);
    return QFontMetrics(font, &probe).height();
}
