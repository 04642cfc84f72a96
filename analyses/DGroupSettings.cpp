#include "analyses/DGroupSettings.h"

#include "model/EError.h"

#include <QDataStream>
#include <QIODevice>

#include <algorithm>

namespace
{
void CleanPairs(std::vector<DGroupSettings::Pair>& pairs, qint32 subjects)
{
    std::vector<DGroupSettings::Pair> kept;
    for (auto [a, b] : pairs)
    {
        if (a > b)
            std::swap(a, b);
        if (a < 1 || b > subjects || a == b || std::find(kept.begin(), kept.end(), std::pair(a, b)) != kept.end())
            continue;
        kept.emplace_back(a, b);
    }
    pairs = std::move(kept);
}

void WritePairs(QDataStream& out, const std::vector<DGroupSettings::Pair>& pairs)
{
    out << static_cast<qint32>(pairs.size());
    for (const auto& [a, b] : pairs)
        out << a << b;
}

// Stops at the first pair the data does not hold in full.
void ReadPairs(QDataStream& in, std::vector<DGroupSettings::Pair>& pairs)
{
    qint32 count = 0;
    in >> count;
    if (in.status() != QDataStream::Ok)
        return;
    for (qint32 i = 0; i < std::min(count, DGroupSettings::kMaxPairs); ++i)
    {
        qint32 a = 0;
        qint32 b = 0;
        in >> a >> b;
        if (in.status() != QDataStream::Ok)
            return;
        pairs.emplace_back(a, b);
    }
}
} // namespace

void DGroupSettings::SetQuestion(qint32 index, bool counts)
{
    if (index < 0 || index >= 10)
        return;
    if (counts)
        questions |= 1u << index;
    else
        questions &= ~(1u << index);
}

qint32 DGroupSettings::GroupCount(qint32 subjects) const
{
    if (mode == Mode::Count)
    {
        const qint32 most = std::min(kMaxValue, subjects);
        if (value < kMinValue || value > most)
            throw EError(34560, {kMinValue, std::max(kMinValue, most)});
        return value;
    }
    if (value < kMinValue || value > kMaxValue)
        throw EError(34570, {kMinValue, kMaxValue});
    // Never so many groups that one would be a subject alone: an odd class
    // in pairs makes one group of three.
    return std::max(1, std::min((2 * subjects + value) / (2 * value), subjects / 2));
}

QByteArray DGroupSettings::ToBytes() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << static_cast<qint32>(mode) << value << qint32(balanceSexes ? 1 : 0) << questions;
    WritePairs(out, together);
    WritePairs(out, apart);
    return bytes;
}

DGroupSettings DGroupSettings::FromBytes(const QByteArray& bytes, qint32 subjects)
{
    DGroupSettings settings;
    QDataStream in(bytes);
    in.setByteOrder(QDataStream::LittleEndian);
    qint32 mode = 0;
    qint32 value = 0;
    qint32 flags = 0;
    quint32 questions = 0;
    in >> mode >> value >> flags >> questions;
    if (in.status() == QDataStream::Ok)
    {
        if ((mode == qint32(Mode::Size) || mode == qint32(Mode::Count)) && value >= kMinValue && value <= kMaxValue)
        {
            settings.mode = static_cast<Mode>(mode);
            settings.value = value;
        }
        settings.balanceSexes = (flags & 1) != 0;
        settings.questions = questions & kAllQuestions;
        ReadPairs(in, settings.together);
        ReadPairs(in, settings.apart);
    }
    settings.Clean(subjects);
    return settings;
}

void DGroupSettings::Clean(qint32 subjects)
{
    CleanPairs(together, subjects);
    CleanPairs(apart, subjects);
}
