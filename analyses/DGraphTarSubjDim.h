#pragma once

#include "analyses/DGraphOption.h"

// Size of the subject boxes of the target diagram: 0 large (identifier and
// name), 1 small (identifier only). The cell is the room a subject takes
// along a ring and the width of one ring.
class DGraphTarSubjDim : public DGraphOption
{
public:
    DGraphTarSubjDim() : DGraphOption(kTextIds, "DGraphTarSubjDim::Draw()", "DGraphTarSubjDim::Update()") {}

    bool IsLarge() const { return GetValue() == 0; }
    qint32 GetCel() const { return IsLarge() ? 64 : 44; }
    qint32 GetSbj() const { return IsLarge() ? 44 : 28; }

private:
    static constexpr int kTextIds[] = {22320, 22330};
};
