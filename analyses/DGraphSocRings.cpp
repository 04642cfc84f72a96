#include "analyses/DGraphSocRings.h"

#include <QDataStream>
#include <QIODevice>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace
{
constexpr int kMaxRings = 64;
// Light enough that every line and box stays in front.
const QColor kRingColour(200, 200, 200);

qint32 Half(double v)
{
    return qint32(std::lround(2 * v));
}

void Write(QDataStream& stream, const DGraphSocRings::Ring& ring)
{
    stream << qint32(ring.count) << Half(ring.centre.x()) << Half(ring.centre.y()) << Half(ring.rx) << Half(ring.ry);
}

DGraphSocRings::Ring Read(QDataStream& stream)
{
    qint32 count = 0, x = 0, y = 0, rx = 0, ry = 0;
    stream >> count >> x >> y >> rx >> ry;
    // A picture is at most 4000 pixels wide: anything else no arrangement made.
    constexpr qint32 kMaxHalves = 2 * 8000;
    if (stream.status() != QDataStream::Ok || count <= 0 || count > kMaxRings || rx <= 0 || ry <= 0 ||
        rx > kMaxHalves || ry > kMaxHalves || std::abs(x) > kMaxHalves || std::abs(y) > kMaxHalves)
        return {};
    return {count, QPointF(x / 2.0, y / 2.0), rx / 2.0, ry / 2.0};
}
} // namespace

void DGraphSocRings::Set(bool acceptance, const Ring& ring)
{
    (acceptance ? acceptance_ : rejection_) = ring.IsEmpty() ? Ring() : ring;
}

std::optional<QByteArray> DGraphSocRings::Record() const
{
    if (acceptance_.IsEmpty() && rejection_.IsEmpty())
        return std::nullopt;
    QByteArray data;
    QDataStream stream(&data, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    Write(stream, acceptance_);
    Write(stream, rejection_);
    return data;
}

DGraphSocRings DGraphSocRings::FromRecord(const std::optional<QByteArray>& record)
{
    DGraphSocRings rings;
    if (!record)
        return rings;
    QDataStream stream(*record);
    stream.setByteOrder(QDataStream::LittleEndian);
    rings.acceptance_ = Read(stream);
    rings.rejection_ = Read(stream);
    return rings;
}

void DGraphSocRings::Paint(QPainter& surface, bool acceptance) const
{
    const Ring& ring = Of(acceptance);
    if (ring.IsEmpty())
        return;
    surface.save();
    surface.setPen(QPen(QBrush(kRingColour), 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    surface.setBrush(Qt::NoBrush);
    for (int k = 1; k <= ring.count; ++k)
    {
        const double t = double(k) / ring.count;
        surface.drawEllipse(ring.centre, ring.rx * t, ring.ry * t);
    }
    surface.restore();
}
