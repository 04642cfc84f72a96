#pragma once

#include <QFont>
#include <QImage>

// The surface every analysis draws on: a 32-bit image at 96 dpi, so that
// point sizes give the pixel sizes the layouts were designed for.
class DPicture
{
public:
    static QImage Make(int width, int height);
    // "Tahoma" at the given point size (see DFonts for the substitute).
    static QFont Font(int pointSize, bool bold = false);
    // Line height of the font when drawn on a picture.
    static int LineHeight(const QFont& font);

    static constexpr int kDotsPerMeter = 3780; // 96 dpi
};
