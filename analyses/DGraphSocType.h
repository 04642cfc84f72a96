#pragma once

#include "analyses/DGraphSocOption.h"

// Acceptance (0) or rejection (1) sociogram.
class DGraphSocType : public DGraphSocOption
{
public:
    DGraphSocType() : DGraphSocOption(24120, 24130, "DGraphSocType::Draw()", "DGraphSocType::Update()") {}

    bool IsPositive() const { return GetValue() == 0; }
    void Draw(QComboBox* combo) const { DrawCombo(combo); }
    void Update(const QComboBox* combo) { UpdateCombo(combo); }
};
