#pragma once

#include <QByteArray>
#include <QPointF>

#include <optional>

class QPainter;

// The rings an arrangement "in rings" put the boxes on, drawn behind them so
// that the levels of choices received show; a sociogram arranged otherwise,
// or never arranged, has none and is drawn as before. Each of the two
// sociograms (acceptances, rejections) keeps its own.
//
// Stored as 20 bytes for acceptance, then 20 for rejection: int32 number of
// rings (0 for none), then the centre's x and y and the outer ring's
// horizontal and vertical radius as int32 half pixels. Shorter data reads as
// no rings, further bytes are ignored, and values no arrangement makes read
// as no rings.
class DGraphSocRings
{
public:
    struct Ring
    {
        // Rings k = 1..count have radii k / count of the outer ones; the
        // centre holds a box, not a ring.
        int count = 0;
        QPointF centre;
        double rx = 0;
        double ry = 0;

        bool IsEmpty() const { return count <= 0; }
        bool operator==(const Ring&) const = default;
    };

    const Ring& Of(bool acceptance) const { return acceptance ? acceptance_ : rejection_; }
    void Set(bool acceptance, const Ring& ring);

    // No record without rings: the file stays as it was.
    std::optional<QByteArray> Record() const;
    static DGraphSocRings FromRecord(const std::optional<QByteArray>& record);

    // Draws the rings of the given sociogram, if it has any.
    void Paint(QPainter& surface, bool acceptance) const;

    bool operator==(const DGraphSocRings&) const = default;

private:
    Ring acceptance_;
    Ring rejection_;
};
