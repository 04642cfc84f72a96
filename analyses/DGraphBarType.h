#pragma once

#include "analyses/DGraphOption.h"

// How the bars of the bar graph count: 0 every choice (total selections),
// 1 every choosing subject once (subject choices).
class DGraphBarType : public DGraphOption
{
public:
    DGraphBarType() : DGraphOption(kTextIds, "DGraphBarType::Draw()", "DGraphBarType::Update()") {}

    bool IsViewAll() const { return GetValue() == 0; }
    bool IsViewSbj() const { return GetValue() == 1; }

private:
    static constexpr int kTextIds[] = {18130, 18140};
};
