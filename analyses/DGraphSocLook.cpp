#include "analyses/DGraphSocLook.h"

quint8 DGraphSocLook::Flags() const
{
    return quint8((namesAbove ? 1 : 0) | (plainCircles ? 2 : 0) | (topmostPick ? 4 : 0));
}

DGraphSocLook DGraphSocLook::FromFlags(quint8 flags)
{
    DGraphSocLook look;
    look.namesAbove = flags & 1;
    look.plainCircles = flags & 2;
    look.topmostPick = flags & 4;
    return look;
}

std::optional<QByteArray> DGraphSocLook::Record() const
{
    if (Flags() == 0)
        return std::nullopt;
    return QByteArray(1, char(Flags()));
}

DGraphSocLook DGraphSocLook::FromRecord(const std::optional<QByteArray>& record)
{
    if (!record || record->isEmpty())
        return {};
    return FromFlags(quint8(record->at(0)));
}
