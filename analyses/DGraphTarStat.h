#pragma once

#include "analyses/DGraphOption.h"

#include <QByteArray>

#include <optional>

class DFileStream;

// Categorisation of the target diagram: 0 frequency of positive questions,
// 1 social preference and social impact, 2 probability of random choice.
// The analysis section keeps the values earlier readers know: the third is
// stored there as 1, the scheme closest to it, and told apart by a record of
// the tagged section.
class DGraphTarStat : public DGraphOption
{
public:
    enum Scheme
    {
        Frequency = 0,
        Preference = 1,
        Probability = 2
    };
    static constexpr int kSchemes = 3;

    DGraphTarStat() : DGraphOption(kTextIds, "DGraphTarStat::Draw()", "DGraphTarStat::Update()") {}

    bool IsRankPositive() const { return GetValue() == Frequency; }
    bool IsProbability() const { return GetValue() == Probability; }
    // Any other stored value draws as preference and impact, as it always has.
    bool IsPreference() const { return !IsRankPositive() && !IsProbability(); }

    void ToFile(DFileStream& stream);
    // A 2 in the section was never written by this build: it reads as what
    // earlier readers drew for it.
    void FromFile(DFileStream& stream);

    // The tagged record that marks the third scheme; nothing to store for
    // the other two. A record of any other content leaves the value alone.
    std::optional<QByteArray> Record() const;
    void FromRecord(const std::optional<QByteArray>& record);

private:
    static constexpr int kTextIds[kSchemes] = {22120, 22130, 33100};
};
