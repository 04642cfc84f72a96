#pragma once

#include "analyses/DGraphOption.h"

#include <QByteArray>

#include <optional>

// How the bar graph and the metric table score a choice: 1 each, or by its
// rank, so that a first choice weighs more than a last one (with A answers,
// rank r counts A - r + 1). One option of the test shared by both analyses.
// The analysis section has no room for it: it lives in a record of the
// tagged section, and a test without the record counts every choice as 1.
class DGraphWeight : public DGraphOption
{
public:
    enum Value
    {
        Plain = 0,
        Rank = 1
    };

    DGraphWeight() : DGraphOption(kTextIds, "DGraphWeight::Draw()", "DGraphWeight::Update()") {}

    bool IsRank() const { return GetValue() == Rank; }

    // The record that marks rank weights; none for plain counts, so that
    // such a file is what writers before the option made.
    std::optional<QByteArray> Record() const;
    // No record, or one of any other content, reads as plain counts.
    void FromRecord(const std::optional<QByteArray>& record);

private:
    static constexpr int kTextIds[] = {33920, 33930};
};
