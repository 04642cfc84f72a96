#include "analyses/DGraphSocLineBatch.h"

#include <QPainter>

#include <algorithm>
#include <iterator>

void DGraphSocLineBatch::Add(const QPen& pen, const QLine* lines, int count)
{
    // A handful of pens at most (ranks, arrow heads, plain lines), so a
    // linear search beats any map.
    auto found = std::find_if(batches_.begin(), batches_.end(), [&](const auto& batch) { return batch.first == pen; });
    if (found == batches_.end())
    {
        batches_.emplace_back(pen, QPainterPath());
        found = std::prev(batches_.end());
    }
    QPainterPath& path = found->second;
    // Each line its own piece, as if drawn alone: no joins at shared ends,
    // and a dotted pattern that starts anew on every line.
    for (int i = 0; i < count; ++i)
    {
        path.moveTo(lines[i].p1());
        path.lineTo(lines[i].p2());
    }
}

void DGraphSocLineBatch::Flush(QPainter& surface)
{
    if (batches_.empty())
        return;
    surface.save();
    // Only strokes: a path of bare lines has nothing to fill.
    surface.setBrush(Qt::NoBrush);
    for (const auto& [pen, path] : batches_)
    {
        surface.setPen(pen);
        surface.drawPath(path);
    }
    surface.restore();
    batches_.clear();
}
