#pragma once

#include "analyses/DGraphOption.h"

// Acceptance (0) or rejection (1) sociogram.
class DGraphSocType : public DGraphOption
{
public:
    DGraphSocType() : DGraphOption(kTextIds, "DGraphSocType::Draw()", "DGraphSocType::Update()") {}

    bool IsPositive() const { return GetValue() == 0; }

private:
    static constexpr int kTextIds[] = {24120, 24130};
};
