#pragma once

#include <QFont>
#include <QImage>

class QPainter;

// The surface every analysis draws on: a 32-bit image at 96 dpi, so that
// point sizes give the pixel sizes the layouts were designed for.
class DPicture
{
public:
    static QImage Make(int width, int height);
    // Make() for a picture whose size follows the test: an image too large
    // for the memory is a failure of the drawing rather than an empty picture.
    static QImage MakeChecked(int width, int height);
    // The state the bar graph and the target diagram start drawing in: no
    // antialiasing, a black 1-pixel outline without fill, and text on an
    // opaque background (each sets the background colour it needs).
    static void PrepareOutlines(QPainter& painter);
    // "Tahoma" at the given point size (see DFonts for the substitute).
    static QFont Font(int pointSize, bool bold = false);
    // Line height of the font when drawn on a picture.
    static int LineHeight(const QFont& font);

    static constexpr int kDotsPerMeter = 3780; // 96 dpi

    // The device pixel ratio Make gives pictures now: 1 outside any Ratio.
    static qreal CurrentRatio();

    // While one lives, Make gives pictures `ratio` times denser: painters
    // still draw in the 96-dpi coordinates every layout is computed in, so a
    // screen with that device pixel ratio shows the picture sharp. Files,
    // the clipboard and the export draw outside any, at 96 dpi.
    class Ratio
    {
    public:
        explicit Ratio(qreal ratio);
        ~Ratio();
        Ratio(const Ratio&) = delete;
        Ratio& operator=(const Ratio&) = delete;

    private:
        qreal previous_;
    };
};
