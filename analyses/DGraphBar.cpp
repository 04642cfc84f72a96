#include "analyses/DGraphBar.h"

#include "analyses/DDrawBar.h"
#include "analyses/DGraph.h"
#include "answers/DDesi.h"
#include "subjects/DSubj.h"
#include "subjects/DSubjList.h"

#include <algorithm>

DGraphBar::DGraphBar(DGraph& graph) : graph_(graph)
{
}

void DGraphBar::Prepare(DSubjList& subjects)
{
    EError::Guard("DGraphBar::Prepare()",
                  [&]
                  {
                      const DDesi& desi = graph_.Desi();
                      const bool all = type.IsViewAll();
                      // Weighted sums take the counts' place: bars, numbers, scale
                      // and order all follow them.
                      const bool w = graph_.weight.IsRank();
                      for (DSubjElem& subject : subjects.Get())
                      {
                          const qint32 v = subject.id.GetValue();
                          const qint32 acc = all ? desi.GetSubjAccTot(v, true, false, false, w)
                                                 : desi.GetSubjAccSbj(v, true, false, false, false, w);
                          const qint32 rej = all ? desi.GetSubjRejTot(v, true, false, false, w)
                                                 : desi.GetSubjRejSbj(v, true, false, false, false, w);
                          subject.acceptanceReceived.Set(static_cast<quint32>(acc));
                          subject.rejectionReceived.Set(static_cast<quint32>(rej));
                      }

                      std::vector<DGraphListSubj>& list = graph_.Subjects();
                      list.clear();
                      list.reserve(subjects.Get().size());
                      for (DSubjElem& subject : subjects.Get())
                      {
                          list.emplace_back(graph_, subject);
                          list.back().SortGraphBar();
                      }
                      // Stable, so that subjects with equal counts stay in list order.
                      std::stable_sort(list.begin(), list.end());
                  });
}

bool DGraphBar::Less(const DGraphListSubj& a, const DGraphListSubj& b) const
{
    const DSubjElem& sa = a.Subj();
    const DSubjElem& sb = b.Subj();
    if (order.IsAsInList())
        return sa.id.GetValue() < sb.id.GetValue();
    if (order.IsAcceptance())
        return sa.acceptanceReceived.Get() > sb.acceptanceReceived.Get();
    if (order.IsRejection())
        return sa.rejectionReceived.Get() > sb.rejectionReceived.Get();
    throw EError(50020, {"DGraphListSubj::operator<()"});
}

void DGraphBar::Draw(QImage& picture)
{
    DDrawBar(*this).Paint(graph_.Subj().List(), picture);
}

bool DGraphBar::IsChangedByUser() const
{
    return EError::Guard("DGraphBar::IsChangedByUser()",
                         [&] { return type.IsChangedByUser() || order.IsChangedByUser() || scale.IsChangedByUser(); });
}

void DGraphBar::ToFile(DFileStream& stream)
{
    EError::Guard("DGraphBar::ToFile()",
                  [&]
                  {
                      type.ToFile(stream);
                      order.ToFile(stream);
                      scale.ToFile(stream);
                  });
}

void DGraphBar::FromFile(DFileStream& stream)
{
    EError::Guard("DGraphBar::FromFile()",
                  [&]
                  {
                      type.FromFile(stream);
                      order.FromFileOrDefault(stream);
                      scale.FromFile(stream);
                  });
}

void DGraphBar::TakeData(const DGraphBar& other)
{
    type = other.type;
    order = other.order;
    scale = other.scale;
}
