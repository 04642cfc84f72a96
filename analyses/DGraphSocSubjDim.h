#pragma once

#include "analyses/DGraphOption.h"

#include <QPoint>
#include <QRect>

// Large boxes with identifier and name (0) or small ones with the identifier
// only (1).
class DGraphSocSubjDim : public DGraphOption
{
public:
    DGraphSocSubjDim() : DGraphOption(kTextIds, "DGraphSocSubjDim::Draw()", "DGraphSocSubjDim::Update()") {}

    bool IsLarge() const { return GetValue() == 0; }
    // Box size s in pixels.
    int Get() const { return IsLarge() ? 48 : 36; }
    // Arrow head length L.
    int ArrowLength() const { return IsLarge() ? 10 : 8; }
    // Margin within which a stored position is kept.
    int Margin() const { return IsLarge() ? 25 : 19; }

    // Moves a box centre so that the box with a 3-pixel gap stays inside the
    // area, given as (left, top, right, bottom).
    QPoint Drawable(QPoint position, int left, int top, int right, int bottom) const;

private:
    static constexpr int kTextIds[] = {24220, 24230};
};
