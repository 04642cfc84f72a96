#include "export/DPictureFile.h"

#include "analyses/DPicture.h"
#include "model/EError.h"

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace
{
// The layouts measure text at 96 dpi; a surface of the same resolution
// gives every text the room it was laid out in.
constexpr int kDpi = 96;

void PaintOn(QPaintDevice& device, const DGraphPainting& painting)
{
    QPainter painter;
    if (!painter.begin(&device))
        throw EError(60000, {"DPictureFile::Bytes()"});
    painter.fillRect(QRect(QPoint(0, 0), painting.Size()), Qt::white);
    painting.Paint(painter);
    if (!painter.end())
        throw EError(60000, {"DPictureFile::Bytes()"});
}
} // namespace

DPictureFile::Format DPictureFile::FormatOf(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg"))
        return Format::Svg;
    if (suffix == QLatin1String("pdf"))
        return Format::Pdf;
    return Format::Png;
}

QByteArray DPictureFile::Bytes(Format format, const DGraphPainting& painting, const QString& title)
{
    return EError::Guard("DPictureFile::Bytes()",
                         [&]
                         {
                             const QSize size = painting.Size();
                             QByteArray bytes;
                             QBuffer buffer(&bytes);
                             buffer.open(QIODevice::WriteOnly);
                             switch (format)
                             {
                             case Format::Png:
                             {
                                 QImage image = DPicture::MakeChecked(size.width(), size.height());
                                 PaintOn(image, painting);
                                 if (!image.save(&buffer, "PNG"))
                                     throw EError(60000, {"DPictureFile::Bytes()"});
                                 break;
                             }
                             case Format::Svg:
                             {
                                 QSvgGenerator svg;
                                 svg.setOutputDevice(&buffer);
                                 svg.setResolution(kDpi);
                                 svg.setSize(size);
                                 svg.setViewBox(QRect(QPoint(0, 0), size));
                                 svg.setTitle(title);
                                 PaintOn(svg, painting);
                                 break;
                             }
                             case Format::Pdf:
                             {
                                 QPdfWriter pdf(&buffer);
                                 pdf.setResolution(kDpi);
                                 pdf.setCreator(QStringLiteral("Kaleidocircle"));
                                 pdf.setTitle(title);
                                 // One page of the picture's size: 72 points to 96 pixels.
                                 pdf.setPageSize(QPageSize(QSizeF(size) * 72.0 / kDpi, QPageSize::Point, QString(),
                                                           QPageSize::ExactMatch));
                                 pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
                                 PaintOn(pdf, painting);
                                 break;
                             }
                             }
                             return bytes;
                         });
}
