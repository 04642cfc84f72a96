#include "analyses/DGraphWeight.h"

namespace
{
const char kRankMark = 1;
}

std::optional<QByteArray> DGraphWeight::Record() const
{
    if (!IsRank())
        return std::nullopt;
    return QByteArray(1, kRankMark);
}

void DGraphWeight::FromRecord(const std::optional<QByteArray>& record)
{
    SetValue(record && *record == QByteArray(1, kRankMark) ? Rank : Plain, false);
}
