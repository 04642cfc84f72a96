#include "analyses/DPicture.h"

#include "analyses/DFonts.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>
#include <QtMath>

#include <stdexcept>

namespace
{
// Per thread: a page drawing for the screen never makes a picture drawn
// elsewhere denser.
thread_local qreal tRatio = 1.0;
} // namespace

DPicture::Ratio::Ratio(qreal ratio) : previous_(tRatio)
{
    tRatio = ratio > 0 ? ratio : 1.0;
}

DPicture::Ratio::~Ratio()
{
    tRatio = previous_;
}

qreal DPicture::CurrentRatio()
{
    return tRatio;
}

QImage DPicture::Make(int width, int height)
{
    const qreal ratio = tRatio;
    QImage image(qMax(qCeil(width * ratio), 1), qMax(qCeil(height * ratio), 1), QImage::Format_RGB32);
    // The dots per metre stay at 96 dpi: with the ratio, fonts get as many
    // logical pixels as on a plain picture, drawn with more device pixels.
    image.setDevicePixelRatio(ratio);
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
    static const QImage probe = []
    {
        const Ratio plain(1.0);
        return Make(1, 1);
    }();
    return QFontMetrics(font, &probe).height();
}
