#pragma once

#include "analyses/DGraphOption.h"

// Categorisation of the target diagram: 0 frequency of positive questions,
// 1 social preference and social impact.
class DGraphTarStat : public DGraphOption
{
public:
    DGraphTarStat() : DGraphOption(kTextIds, "DGraphTarStat::Draw()", "DGraphTarStat::Update()") {}

    bool IsRankPositive() const { return GetValue() == 0; }

private:
    static constexpr int kTextIds[] = {22120, 22130};
};
