#pragma once

#include "analyses/DGraphSocOption.h"

// How the connections of a subject being moved are drawn: complete (0) or as
// plain centre-to-centre elastics (1), the cheaper choice for slow machines.
// A viewing preference: it does not count as a change of the test.
class DGraphSocElas : public DGraphSocOption
{
public:
    DGraphSocElas() : DGraphSocOption(24520, 24530, "DGraphSocElas::Draw()", "DGraphSocElas::Update()") {}

    bool IsComplete() const { return GetValue() == 0; }
    void Draw(QComboBox* combo) const { DrawCombo(combo); }
    void Update(const QComboBox* combo) { UpdateCombo(combo); }
};
