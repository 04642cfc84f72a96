#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <utility>
#include <vector>

// What the user asks of a grouping: how many groups or how large, which
// questions' choices count, the pairs to keep together or apart, and whether
// the sexes are balanced. Stored with the test as bytes (see ToBytes).
struct DGroupSettings
{
    enum class Mode : qint32
    {
        // value is the size each group should have.
        Size = 0,
        // value is the number of groups.
        Count = 1
    };
    using Pair = std::pair<qint32, qint32>;

    static constexpr qint32 kMinValue = 2;
    static constexpr qint32 kMaxValue = 10;
    static constexpr qint32 kDefaultSize = 4;
    // Bounds what any file can make the reader take; far more than a class of
    // 100 subjects ever needs.
    static constexpr qint32 kMaxPairs = 2000;
    static constexpr quint32 kAllQuestions = (1u << 10) - 1;

    Mode mode = Mode::Size;
    qint32 value = kDefaultSize;
    bool balanceSexes = false;
    // Bit q admits the choices to question q + 1.
    quint32 questions = kAllQuestions;
    // Subject identifiers from 1, the smaller first.
    std::vector<Pair> together;
    std::vector<Pair> apart;

    bool operator==(const DGroupSettings&) const = default;

    bool CountsQuestion(qint32 index) const { return index >= 0 && index < 10 && (questions >> index & 1u) != 0; }
    void SetQuestion(qint32 index, bool counts);

    // The number of groups for a class: the one asked for, or the class size
    // divided by the group size, rounded to the nearest (half up), at least
    // 1 and at most half the class (no group of one). Raises 34560 / 34570 for a value outside 2..10 and 34560 for
    // more groups than subjects.
    qint32 GroupCount(qint32 subjects) const;

    // Little-endian: int32 mode, int32 value, int32 flags (bit 0: balance the
    // sexes), uint32 questions, then the together and the apart pairs, each
    // as int32 count and count x (int32 first, int32 second).
    QByteArray ToBytes() const;
    // Lenient, as every option read from a file: a mode or value out of range
    // takes its default, a pair naming no subject of 1..subjects or one
    // subject twice is dropped, and data that ends early keeps the defaults
    // of what is missing.
    static DGroupSettings FromBytes(const QByteArray& bytes, qint32 subjects);
    // Drops pairs naming no subject of 1..subjects, self-pairs and repeats;
    // orders each pair smaller first.
    void Clean(qint32 subjects);
};
