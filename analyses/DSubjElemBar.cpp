#include "analyses/DSubjElemBar.h"

#include "analyses/DBarCanvas.h"
#include "analyses/DPalette.h"
#include "analyses/DSubjBox.h"
#include "model/EError.h"
#include "subjects/DSubjElem.h"

#include <QPainter>

namespace
{

QRect Edges(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

constexpr int kTextFlags = Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine;
} // namespace

DSubjElemBar::DSubjElemBar(DBarCanvas& draw, const DSubjElem& subject) : draw_(draw), subject_(subject)
{
}

QRect DSubjElemBar::Box(int x, int y)
{
    return Edges(x, y - 22, x + kWidth, y + 22);
}

std::array<QRect, 3> DSubjElemBar::BoxTexts(int x, int y)
{
    const QRect box = Box(x, y);
    const int top = box.top();
    const int bottom = top + box.height();
    const int t = box.height() / 3;
    return {{Edges(x + 1, top + 1, x + 29, top + t - 1), Edges(x + 1, top + t + 1, x + 29, top + 2 * t - 1),
             Edges(x + 1, top + 2 * t + 1, x + 29, bottom - 1)}};
}

QRect DSubjElemBar::AcceptBar(int x, int y, quint32 count, qint32 divisor)
{
    const int h = int((15 * qint64(count)) / qMax(divisor, 1));
    return Edges(x, y - 24 - h, x + kWidth, y - 24);
}

QRect DSubjElemBar::RejectBar(int x, int y, quint32 count, qint32 divisor)
{
    const int h = int((15 * qint64(count)) / qMax(divisor, 1));
    return Edges(x, y + 24, x + kWidth, y + 24 + h);
}

QRect DSubjElemBar::AcceptLabel(const QRect& bar, int textHeight)
{
    if (textHeight < bar.height())
        return bar;
    return Edges(bar.left(), bar.top() - (textHeight + 2), bar.left() + bar.width(), bar.top() - 2);
}

QRect DSubjElemBar::RejectLabel(const QRect& bar, int textHeight)
{
    if (textHeight < bar.height())
        return bar;
    const int bottom = bar.top() + bar.height();
    return Edges(bar.left(), bottom + 2, bar.left() + bar.width(), bottom + textHeight + 2);
}

void DSubjElemBar::Outline(const QRect& edges)
{
    QPainter& p = draw_.Painter();
    p.setBrush(Qt::NoBrush);
    p.drawRect(edges);
}

void DSubjElemBar::FillInside(const QRect& edges)
{
    // The outline is painted on both edges, so the inside starts one pixel in
    // from the left and top and ends one pixel short of the right and bottom.
    draw_.Painter().fillRect(edges.adjusted(1, 1, 0, 0), draw_.Fill());
}

void DSubjElemBar::Label(const QRect& rect, const QString& text)
{
    draw_.Painter().drawText(rect, kTextFlags, text);
}

void DSubjElemBar::PaintBar(const QRect& bar, const QColor& fill, const QRect& label, quint32 count)
{
    Outline(bar);
    if (bar.height() > 2)
    {
        draw_.SetFill(fill);
        FillInside(bar);
    }
    Label(label, QString::number(count));
}

void DSubjElemBar::Draw()
{
    EError::Guard("DSubjElemBar::Draw()",
                  [&]
                  {
                      const QRect box = Box(draw_.X(), draw_.Y());
                      draw_.SetFill(DSubjBox::Fill(subject_));
                      Outline(box);
                      FillInside(box);
                      const std::array<QRect, 3> lines = BoxTexts(draw_.X(), draw_.Y());
                      Label(lines[0], QString::number(subject_.id.GetValue()));
                      Label(lines[1], subject_.appe.Surname().ToString(3));
                      Label(lines[2], subject_.appe.Name().ToString(3));
                  });
}

void DSubjElemBar::DrawAccept()
{
    EError::Guard("DSubjElemBar::DrawAccept()",
                  [&]
                  {
                      const quint32 count = subject_.acceptanceReceived.Get();
                      if (count == 0)
                          return;
                      const QRect bar = AcceptBar(draw_.X(), draw_.Y(), count, draw_.Divisor());
                      PaintBar(bar, DPalette::Active().acceptanceBar, AcceptLabel(bar, draw_.TextHeight()), count);
                  });
}

void DSubjElemBar::DrawReject()
{
    EError::Guard("DSubjElemBar::DrawReject()",
                  [&]
                  {
                      const quint32 count = subject_.rejectionReceived.Get();
                      if (count == 0)
                          return;
                      const QRect bar = RejectBar(draw_.X(), draw_.Y(), count, draw_.Divisor());
                      PaintBar(bar, DPalette::Active().rejectionBar, RejectLabel(bar, draw_.TextHeight()), count);
                      draw_.SetFill(Qt::white);
                  });
}
