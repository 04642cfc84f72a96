#include "analyses/DGraphListConn.h"

#include "analyses/DGraphSoc.h"
#include "analyses/DGraphSocLine.h"
#include "analyses/DGraphSocLineBatch.h"
#include "analyses/DPalette.h"
#include "model/EError.h"
#include "subjects/DSubjElem.h"

#include <QLine>
#include <QPainter>
#include <QPen>

#include <cmath>

namespace
{
int Trunc(double value)
{
    return static_cast<int>(value); // toward zero
}

int Length(QPoint from, QPoint to)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    return Trunc(std::sqrt(dx * dx + dy * dy));
}

bool IsSameSubject(const DSubjElem* a, const DSubjElem* b)
{
    return a && b && a->id.GetValue() == b->id.GetValue();
}

QColor TypeColour(const DGraphSoc& soc)
{
    const DPalette& palette = DPalette::Active();
    return soc.type.IsPositive() ? palette.acceptanceLine : palette.rejectionLine;
}

// A quarter of the colour over white: still its hue, well behind the lines
// in full colour.
QColor Faint(const QColor& colour)
{
    auto mix = [](int c) { return (c + 3 * 255) / 4; };
    return QColor(mix(colour.red()), mix(colour.green()), mix(colour.blue()));
}

// Arrow heads and too short lines are drawn with a thin solid pen whatever
// the rank.
void ThinPen(QPainter& surface)
{
    QPen pen = surface.pen();
    pen.setWidth(1);
    pen.setStyle(Qt::SolidLine);
    pen.setCapStyle(Qt::FlatCap);
    surface.setPen(pen);
}

void Lines(QPainter& surface, DGraphSocLineBatch* batch, const QLine* lines, int count)
{
    if (batch)
        batch->Add(surface.pen(), lines, count);
    else
        DGraphSocLine::Draw(surface, lines, count);
}

void Line(QPainter& surface, DGraphSocLineBatch* batch, QPoint from, QPoint to)
{
    const QLine line(from, to);
    Lines(surface, batch, &line, 1);
}
} // namespace

DGraphListConnGeom DGraphListConnGeom::Compute(QPoint p1, bool circle1, QPoint p2, bool circle2, int r, int arrowLength,
                                               bool mutual)
{
    DGraphListConnGeom g;
    const int dx = p2.x() - p1.x();
    const int dy = p2.y() - p1.y();
    const int d = Length(p1, p2);
    if (d < 2 * r)
        return g; // the boxes overlap
    g.sin = double(dy) / d;
    g.cos = double(dx) / d;
    const double q = 1.0 / std::sqrt(2.0);
    const double sin = g.sin;
    const double cos = g.cos;

    if (circle1)
        g.start = QPoint(p1.x() + Trunc(r * cos), p1.y() + Trunc(r * sin));
    else if (sin >= -q && sin < q)
        g.start = QPoint(cos > 0 ? p1.x() + r : p1.x() - r, p1.y() + Trunc(r * sin));
    else if (sin >= q)
        g.start = QPoint(p1.x() + Trunc(r * cos), p1.y() + r);
    else
        g.start = QPoint(p1.x() + Trunc(r * cos), p1.y() - r);

    // The end stops one pixel short on a circle, so the tip touches its outline.
    if (circle2)
        g.end = QPoint(p2.x() - Trunc((r + 1) * cos), p2.y() - Trunc((r + 1) * sin));
    else if (sin >= -q && sin < q)
        g.end = QPoint(cos > 0 ? p2.x() - r : p2.x() + r, p2.y() - Trunc(r * sin));
    else if (sin >= q)
        g.end = QPoint(p2.x() - Trunc(r * cos), p2.y() - r);
    else
        g.end = QPoint(p2.x() - Trunc(r * cos), p2.y() + r);

    const int d2 = Length(g.start, g.end);
    const QPoint head(Trunc(arrowLength * cos), Trunc(arrowLength * sin));
    g.a = mutual ? g.start + head : g.start;
    g.b = g.end - head;
    const int dab = Length(g.a, g.b);
    if (dab <= 0)
        return g;

    if (mutual)
    {
        if (d2 > 2 * arrowLength)
        {
            const int half = dab / 2;
            g.m = g.a + QPoint(Trunc(half * cos), Trunc(half * sin));
            g.kind = Mutual;
        }
        else
            g.kind = Plain;
    }
    else
        g.kind = d2 > arrowLength ? OneWay : Plain;
    return g;
}

std::array<QPoint, 3> DGraphListConnGeom::ArrowCorners(QPoint tip, bool forward, int arrowLength, double sin,
                                                       double cos)
{
    const int x = forward ? -arrowLength : arrowLength;
    const int y1 = arrowLength / 2;
    const int y2 = (-arrowLength) / 2;
    auto rotate = [&](int cx, int cy) { return tip + QPoint(Trunc(cx * cos - cy * sin), Trunc(cx * sin + cy * cos)); };
    return {tip, rotate(x, y1), rotate(x, y2)};
}

bool DGraphListConn::CheckMutual(DGraphListConn& fresh, qint32 rank)
{
    return EError::Guard("DGraphListConn::CheckMutual()",
                         [&]
                         {
                             if (IsSameSubject(chooser_, fresh.chooser_) && IsSameSubject(chosen_, fresh.chosen_))
                             {
                                 choi_.forward.SetFromAnswer(rank);
                                 return true;
                             }
                             if (IsSameSubject(chooser_, fresh.chosen_) && IsSameSubject(chosen_, fresh.chooser_))
                             {
                                 choi_.mutual = true;
                                 choi_.backward.SetFromAnswer(rank);
                                 return true;
                             }
                             fresh.choi_.forward.SetFromAnswer(rank);
                             return false;
                         });
}

void DGraphListConn::Draw(QPainter& surface, const DGraphSoc& soc, bool complete, bool dimmed) const
{
    Paint(surface, soc, complete, dimmed, nullptr);
}

void DGraphListConn::Gather(QPainter& surface, const DGraphSoc& soc, DGraphSocLineBatch& batch) const
{
    Paint(surface, soc, true, false, &batch);
}

void DGraphListConn::Paint(QPainter& surface, const DGraphSoc& soc, bool complete, bool dimmed,
                           DGraphSocLineBatch* batch) const
{
    EError::Guard("DGraphListConn::Draw()",
                  [&]
                  {
                      if (!chooser_ || !chosen_)
                          throw EError(50020, {"DGraphListConn::Draw()"});
                      QPen pen = surface.pen();
                      pen.setColor(dimmed ? Faint(TypeColour(soc)) : TypeColour(soc));
                      surface.setPen(pen);
                      const QPoint p1 = soc.SubjOrigGet(*chooser_);
                      const QPoint p2 = soc.SubjOrigGet(*chosen_);

                      if (!complete && !soc.elas.IsComplete())
                      {
                          Line(surface, batch, p1, p2);
                          return;
                      }

                      // The rank's pen; a rejection in the safe palette dashed as well.
                      auto rankPen = [&](const DGraphListConnChoiType& choice)
                      {
                          choice.SetPen(surface);
                          const DPalette& palette = DPalette::Active();
                          if (palette.dashedRejections && !soc.type.IsPositive())
                          {
                              QPen dashed = surface.pen();
                              dashed.setStyle(palette.RejectionStyle(dashed.style()));
                              surface.setPen(dashed);
                          }
                      };
                      const int arrow = soc.subjDim.ArrowLength();
                      const DGraphListConnGeom g =
                          DGraphListConnGeom::Compute(p1, chooser_->sex.IsFemale(), p2, chosen_->sex.IsFemale(),
                                                      soc.subjDim.Get() / 2, arrow, choi_.mutual);
                      switch (g.kind)
                      {
                      case DGraphListConnGeom::Nothing:
                          break;
                      case DGraphListConnGeom::Plain:
                          ThinPen(surface);
                          Line(surface, batch, g.start, g.end);
                          break;
                      case DGraphListConnGeom::OneWay:
                          DrawArrow(surface, batch, g.end, true, arrow, g.sin, g.cos);
                          rankPen(choi_.forward);
                          Line(surface, batch, g.a, g.b);
                          break;
                      case DGraphListConnGeom::Mutual:
                          DrawArrow(surface, batch, g.end, true, arrow, g.sin, g.cos);
                          DrawArrow(surface, batch, g.start, false, arrow, g.sin, g.cos);
                          // Each half shows the rank of the choice whose arrow head it reaches.
                          rankPen(choi_.forward);
                          Line(surface, batch, g.m, g.b);
                          rankPen(choi_.backward);
                          Line(surface, batch, g.m, g.a);
                          break;
                      }
                  });
}

void DGraphListConn::DrawArrow(QPainter& surface, DGraphSocLineBatch* batch, QPoint tip, bool forward, int arrowLength,
                               double sin, double cos)
{
    EError::Guard("DGraphListConn::DrawArrow()",
                  [&]
                  {
                      ThinPen(surface);
                      const std::array<QPoint, 3> c =
                          DGraphListConnGeom::ArrowCorners(tip, forward, arrowLength, sin, cos);
                      const QLine lines[3] = {QLine(c[0], c[1]), QLine(c[1], c[2]), QLine(c[2], c[0])};
                      Lines(surface, batch, lines, 3);
                  });
}
