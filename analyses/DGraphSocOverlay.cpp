#include "analyses/DGraphSocOverlay.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSoc.h"
#include "model/EError.h"
#include "subjects/DSubjElem.h"

#include <QImage>
#include <QPainter>
#include <QPen>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace
{
const QColor kGrey(128, 128, 128);

QPen OutlinePen()
{
    return QPen(QBrush(kGrey), 3, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

bool Touches(const DGraphSocSel& sel, const DGraphListConn& conn)
{
    return sel.Is(*conn.Chooser()) || sel.Is(*conn.Chosen());
}

// The grey outline along the box's own outline, which ends one pixel
// before the centre plus half the box size.
void DrawCursor(QPainter& surface, const DGraphSoc& soc)
{
    const DSubjElem& subject = soc.Sel().Get();
    const int h = soc.subjDim.Get() / 2;
    const QPoint p = soc.SubjOrigGet(subject);
    surface.setPen(OutlinePen());
    surface.setBrush(Qt::NoBrush);
    const QRect outline(p.x() - h, p.y() - h, 2 * h - 1, 2 * h - 1);
    if (subject.sex.IsFemale())
        surface.drawEllipse(outline);
    else
        surface.drawRect(outline);
}
} // namespace

void DGraphSocOverlay::Draw(QImage& picture, const DGraphSoc& soc)
{
    EError::Guard("DGraphSocOverlay::Draw()",
                  [&]
                  {
                      const DGraphSocSel& sel = soc.Sel();
                      if (!sel.ThereIs())
                          return;
                      // Only a dragged subject's connections take the elastic form; the
                      // hovered one's repeat those of the background, on top of it.
                      const bool complete = !sel.IsMoving();
                      QPainter surface(&picture);
                      surface.setRenderHint(QPainter::Antialiasing, false);
                      if (!soc.look.namesAbove)
                          soc.DrawSubj(surface, sel.Get());
                      // Elastics keep the painter's pen: they take the outline's.
                      surface.setPen(OutlinePen());
                      for (const DGraphListConn& conn : soc.Owner().Connections())
                          if (Touches(sel, conn))
                              conn.Draw(surface, soc, complete, soc.IsDimmed(conn));
                      const QRegion area = SelectionArea(soc, picture);
                      if (soc.look.namesAbove)
                      {
                          // The boxes come over the lines here as in the background, in the
                          // same order; the dragged one, which the background lacks, on top.
                          const int s = soc.subjDim.Get();
                          surface.setClipRegion(area);
                          for (const DGraphListSubj& entry : soc.Owner().Subjects())
                          {
                              const DSubjElem& subject = entry.Subj();
                              if (sel.IsMoving() && sel.Is(subject))
                                  continue;
                              const QPoint p = soc.SubjOrigGet(subject);
                              if (area.intersects(QRect(p.x() - s / 2, p.y() - s / 2, s, s)))
                                  soc.DrawSubj(surface, subject);
                          }
                          if (sel.IsMoving())
                              soc.DrawSubj(surface, sel.Get());
                          surface.setClipping(false);
                      }
                      DrawCursor(surface, soc);
                      surface.end();
                      area_ = area;
                  });
}

void DGraphSocOverlay::Restore(QImage& picture, const QImage& background)
{
    EError::Guard("DGraphSocOverlay::Restore()",
                  [&]
                  {
                      if (picture.size() != background.size() || picture.format() != background.format())
                          picture = background;
                      else if (picture.constBits() != background.constBits()) // shared: nothing drawn over it
                      {
                          // The area is in the painter's coordinates; the pixels may be finer.
                          const qreal ratio = picture.devicePixelRatio();
                          const QRect bounds = picture.rect();
                          const int depth = picture.depth() / 8;
                          for (const QRect& logical : area_)
                          {
                              const QRect rect = (ratio == 1.0 ? logical
                                                               : QRectF(QPointF(logical.topLeft()) * ratio,
                                                                        QSizeF(logical.size()) * ratio)
                                                                     .toAlignedRect()) &
                                                 bounds;
                              for (int y = rect.top(); y <= rect.bottom(); ++y)
                                  std::memcpy(picture.scanLine(y) + rect.left() * depth,
                                              background.constScanLine(y) + rect.left() * depth,
                                              std::size_t(rect.width() * depth));
                          }
                      }
                      area_ = QRegion();
                  });
}

QRegion DGraphSocOverlay::SelectionArea(const DGraphSoc& soc, const QImage& picture)
{
    const DGraphSocSel& sel = soc.Sel();
    if (!sel.ThereIs())
        return {};
    // Everything of the overlay lies within this distance of the straight
    // line between two box centres: the boxes, the outline's pen, the arrow
    // heads' corners.
    const int pad = soc.subjDim.Get() / 2 + soc.ArrowLength() + 4;
    const QSize size = picture.deviceIndependentSize().toSize();
    // The area is gathered on a grid of small cells and handed to the region
    // row by row: uniting a thousand overlapping rectangles one by one costs
    // more than the whole overlay.
    constexpr int kCell = 16;
    const int columns = (size.width() + kCell - 1) / kCell;
    const int rows = (size.height() + kCell - 1) / kCell;
    if (columns <= 0 || rows <= 0)
        return {};
    std::vector<quint8> marked(std::size_t(columns) * std::size_t(rows), 0);
    auto mark = [&](const QRect& rect)
    {
        const int left = std::max(rect.left() / kCell, 0);
        const int right = std::min(rect.right() / kCell, columns - 1);
        const int top = std::max(rect.top() / kCell, 0);
        const int bottom = std::min(rect.bottom() / kCell, rows - 1);
        for (int y = top; y <= bottom; ++y)
            std::fill_n(marked.begin() + std::ptrdiff_t(y) * columns + left, std::max(right - left + 1, 0), quint8(1));
    };
    const QPoint p = soc.SubjOrigGet(sel.Get());
    mark(QRect(p, p).adjusted(-pad, -pad, pad, pad));
    // A long connection is covered in pieces, so that a diagonal across the
    // picture does not make the whole picture dirty.
    constexpr int kPiece = 64;
    for (const DGraphListConn& conn : soc.Owner().Connections())
    {
        if (!Touches(sel, conn))
            continue;
        const QPoint q = soc.SubjOrigGet(sel.Is(*conn.Chooser()) ? *conn.Chosen() : *conn.Chooser());
        const QPoint d = q - p;
        const int n = std::max(std::abs(d.x()), std::abs(d.y())) / kPiece + 1;
        for (int k = 0; k < n; ++k)
        {
            const QPoint a = p + d * k / n;
            const QPoint b = p + d * (k + 1) / n;
            const QRect piece(QPoint(std::min(a.x(), b.x()), std::min(a.y(), b.y())),
                              QPoint(std::max(a.x(), b.x()), std::max(a.y(), b.y())));
            mark(piece.adjusted(-pad, -pad, pad, pad));
        }
    }
    // Each row of cells gives its runs, sorted and apart as the region wants them.
    std::vector<QRect> rects;
    for (int y = 0; y < rows; ++y)
    {
        const quint8* row = marked.data() + std::ptrdiff_t(y) * columns;
        const int top = y * kCell;
        const int height = std::min(kCell, size.height() - top);
        for (int x = 0; x < columns;)
        {
            if (!row[x])
            {
                ++x;
                continue;
            }
            const int start = x;
            while (x < columns && row[x])
                ++x;
            const int left = start * kCell;
            rects.emplace_back(left, top, std::min(x * kCell, size.width()) - left, height);
        }
    }
    QRegion area;
    area.setRects(rects.data(), int(rects.size()));
    return area;
}
