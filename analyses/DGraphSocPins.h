#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <bitset>

// The boxes the user pinned on the sociogram, one set for each type like
// the positions: an automatic arrangement never moves a pinned box.
//
// Stored as two bitmaps of 16 bytes, acceptance then rejection, bit k - 1
// for subject k (bit 0 the lowest of the first byte). Shorter data reads
// the missing bits as unpinned and longer data is cut, so any bytes read.
class DGraphSocPins
{
public:
    static constexpr int kIds = 128;
    static constexpr int kBytes = kIds / 8;

    bool Is(bool acceptance, qint32 id) const;
    void Set(bool acceptance, qint32 id, bool pinned);
    bool IsEmpty() const { return acceptance_.none() && rejection_.none(); }

    QByteArray ToRecord() const;
    static DGraphSocPins FromRecord(const QByteArray& data);

    bool operator==(const DGraphSocPins&) const = default;

private:
    const std::bitset<kIds>& Of(bool acceptance) const { return acceptance ? acceptance_ : rejection_; }

    std::bitset<kIds> acceptance_;
    std::bitset<kIds> rejection_;
};
