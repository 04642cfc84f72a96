#pragma once

#include "analyses/DGraphOption.h"

// Order of the subjects along the bar graph: 0 as in the list, 1 by
// acceptance received, 2 by rejection received (both descending).
class DGraphBarOrder : public DGraphOption
{
public:
    DGraphBarOrder() : DGraphOption(kTextIds, "DGraphBarOrder::Draw()", "DGraphBarOrder::Update()") {}

    bool IsAsInList() const { return GetValue() == 0; }
    bool IsAcceptance() const { return GetValue() == 1; }
    bool IsRejection() const { return GetValue() == 2; }

private:
    static constexpr int kTextIds[] = {18320, 18330, 18340};
};
