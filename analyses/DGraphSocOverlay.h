#pragma once

#include <QRegion>

class DGraphSoc;
class QImage;

// What is painted over the sociogram's background for the selected subject:
// its box, its connections and a grey outline. The background holds every
// box and line in its normal state while the mouse only hovers, so a hover
// change restores what the last overlay covered and paints the new one, a
// few strips of the picture instead of the whole drawing. While the subject
// is dragged the background leaves it out, and the overlay draws its
// connections as the elastic mode asks.
class DGraphSocOverlay
{
public:
    // Paints the overlay of the sociogram's selection (nothing without one)
    // on the picture and remembers where.
    void Draw(QImage& picture, const DGraphSoc& soc);
    // Copies the background back over what the last overlay covered; the
    // picture takes the whole background when the two differ in size.
    void Restore(QImage& picture, const QImage& background);
    // After the picture was replaced by a fresh full drawing.
    void Forget() { area_ = QRegion(); }
    // Where the last overlay painted, in picture coordinates.
    const QRegion& Area() const { return area_; }

    // Where the overlay of the selection paints.
    static QRegion SelectionArea(const DGraphSoc& soc, const QImage& picture);

private:
    QRegion area_;
};
