#pragma once

#include "analyses/DGraphOption.h"

// How the rows of the metric table are ordered: as in the subject list, or
// by one of the four indices, largest first. A new test keeps the order.
class DGraphMetOrder : public DGraphOption
{
public:
    enum Value
    {
        AsInList = 0,
        AcceptanceInDegree = 1,
        AcceptanceOutDegree = 2,
        RejectionInDegree = 3,
        RejectionOutDegree = 4
    };
    static constexpr int kValues = 5;

    DGraphMetOrder() : DGraphOption(kTextIds, "DGraphMetOrder::Draw()", "DGraphMetOrder::Update()") {}

    // An index of the list as a user change, as chosen in the drop-down list.
    void Update(int index);

    bool IsAsInList() const { return GetValue() == AsInList; }
    bool IsAcceptanceInDegree() const { return GetValue() == AcceptanceInDegree; }
    bool IsAcceptanceOutDegree() const { return GetValue() == AcceptanceOutDegree; }
    bool IsRejectionInDegree() const { return GetValue() == RejectionInDegree; }
    bool IsRejectionOutDegree() const { return GetValue() == RejectionOutDegree; }

private:
    static constexpr int kTextIds[kValues] = {25500, 25510, 25520, 25530, 25540};
};
