#pragma once

#include "analyses/DGraphOption.h"

// How the connections of a subject being moved are drawn: complete (0) or as
// plain centre-to-centre elastics (1), the cheaper choice for slow machines.
// A viewing preference: it does not count as a change of the test.
class DGraphSocElas : public DGraphOption
{
public:
    DGraphSocElas() : DGraphOption(kTextIds, "DGraphSocElas::Draw()", "DGraphSocElas::Update()") {}

    bool IsComplete() const { return GetValue() == 0; }

private:
    static constexpr int kTextIds[] = {24520, 24530};
};
