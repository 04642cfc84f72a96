#include "analyses/DGraphTarStat.h"

namespace
{
const char kProbabilityMark = 1;
}

void DGraphTarStat::ToFile(DFileStream& stream)
{
    ToFileAs(stream, IsProbability() ? qint32(Preference) : GetValue());
}

void DGraphTarStat::FromFile(DFileStream& stream)
{
    DGraphOption::FromFile(stream);
    if (IsProbability())
        SetValue(Preference, false);
}

std::optional<QByteArray> DGraphTarStat::Record() const
{
    if (!IsProbability())
        return std::nullopt;
    return QByteArray(1, kProbabilityMark);
}

void DGraphTarStat::FromRecord(const std::optional<QByteArray>& record)
{
    if (GetValue() == Preference && record && *record == QByteArray(1, kProbabilityMark))
        SetValue(Probability, false);
}
