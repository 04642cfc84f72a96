#pragma once

#include "analyses/DGraphOption.h"

// Vertical scale of the bars: 0..4 for 1:1, 1:2, 1:4, 1:8 and 1:16.
class DGraphBarScale : public DGraphOption
{
public:
    DGraphBarScale() : DGraphOption(kTextIds, "DGraphBarScale::Draw()", "DGraphBarScale::Update()") {}

    // 1, 2, 4, 8 or 16; a value read from a file outside 0..4 scales 1:1.
    qint32 GetDivisor() const;

private:
    static constexpr int kTextIds[] = {18420, 18430, 18440, 18450, 18460};
};
