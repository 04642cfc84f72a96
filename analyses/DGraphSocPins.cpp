#include "analyses/DGraphSocPins.h"

bool DGraphSocPins::Is(bool acceptance, qint32 id) const
{
    return id >= 1 && id <= kIds && Of(acceptance).test(std::size_t(id - 1));
}

void DGraphSocPins::Set(bool acceptance, qint32 id, bool pinned)
{
    if (id < 1 || id > kIds)
        return;
    (acceptance ? acceptance_ : rejection_).set(std::size_t(id - 1), pinned);
}

QByteArray DGraphSocPins::ToRecord() const
{
    QByteArray data(2 * kBytes, '\0');
    for (int k = 0; k < kIds; ++k)
    {
        if (acceptance_.test(std::size_t(k)))
            data[k / 8] = char(quint8(data[k / 8]) | (1u << (k % 8)));
        if (rejection_.test(std::size_t(k)))
            data[kBytes + k / 8] = char(quint8(data[kBytes + k / 8]) | (1u << (k % 8)));
    }
    return data;
}

DGraphSocPins DGraphSocPins::FromRecord(const QByteArray& data)
{
    DGraphSocPins pins;
    const int n = int(qMin<qsizetype>(data.size(), 2 * kBytes));
    for (int i = 0; i < n; ++i)
        for (int bit = 0; bit < 8; ++bit)
            if (quint8(data[i]) & (1u << bit))
                pins.Set(i < kBytes, (i % kBytes) * 8 + bit + 1, true);
    return pins;
}
