#include "analyses/DGraph.h"

#include "answers/DDesi.h"
#include "model/DFileStream.h"
#include "model/EError.h"
#include "subjects/DSubjElem.h"

#include <algorithm>

namespace
{
constexpr std::size_t kIds = 101; // subject identifiers are 1..100

bool IsIndexed(qint32 a, qint32 b)
{
    return a >= 1 && a <= 100 && b >= 1 && b <= 100;
}

std::size_t PairSlot(qint32 a, qint32 b)
{
    return static_cast<std::size_t>(std::min(a, b)) * kIds + static_cast<std::size_t>(std::max(a, b));
}
} // namespace

DGraph::DGraph(DDesi& desi, DQues& ques, DSubj& subj)
    : desi_(desi), ques_(ques), subj_(subj), bar(*this), tar(*this), met(*this)
{
    soc.Init(*this, connections_);
}

void DGraph::GetConnections(bool acceptance)
{
    EError::Guard("DGraph::GetConnections()",
                  [&]
                  {
                      connections_.clear();
                      // While the list is rebuilt in one go, the connection of a pair is
                      // found through a table rather than by walking the list: a pair has
                      // at most one connection, so it is the walk's only match anyway.
                      pairIndex_.assign(kIds * kIds, 0);
                      struct Indexing
                      {
                          std::vector<qint32>& index;
                          ~Indexing() { index.clear(); }
                      } indexing{pairIndex_};
                      // The module names are those the matrix's scan has always reported.
                      EError::Guard(acceptance ? "DDesi::GetConnAcc()" : "DDesi::GetConnRej()",
                                    [&]
                                    {
                                        desi_.SocChoices(acceptance, [this](qint32 chooser, qint32 chosen, qint32 rank)
                                                         { SetConnection(chooser, chosen, rank); });
                                    });
                  });
}

void DGraph::SetConnection(qint32 chooser, qint32 chosen, qint32 rank)
{
    EError::Guard("DGraph::SetConnection()",
                  [&]
                  {
                      DGraphListConn fresh;
                      for (const DGraphListSubj& entry : subjects_)
                      {
                          const qint32 id = entry.Subj().id.GetValue();
                          if (id == chooser)
                              fresh.SetChooser(entry.SubjPtr());
                          else if (id == chosen)
                              fresh.SetChosen(entry.SubjPtr());
                          if (fresh.Chooser() && fresh.Chosen())
                              break;
                      }
                      if (!fresh.Chooser() || !fresh.Chosen())
                          throw EError(50020, {"DGraph::SetConnection()"});

                      if (!pairIndex_.empty() && IsIndexed(chooser, chosen))
                      {
                          qint32& slot = pairIndex_[PairSlot(chooser, chosen)];
                          if (slot > 0 && connections_[static_cast<std::size_t>(slot - 1)].CheckMutual(fresh, rank))
                              return;
                          fresh.Choi().forward.SetFromAnswer(rank);
                          connections_.push_back(fresh);
                          slot = static_cast<qint32>(connections_.size());
                          return;
                      }
                      for (DGraphListConn& conn : connections_)
                          if (conn.CheckMutual(fresh, rank))
                              return;
                      fresh.Choi().forward.SetFromAnswer(rank);
                      connections_.push_back(fresh);
                  });
}

bool DGraph::IsChangedByUser() const
{
    return EError::Guard("DGraph::IsChangedByUser()",
                         [&]
                         {
                             return bar.IsChangedByUser() || tar.IsChangedByUser() || soc.IsChangedByUser() ||
                                    met.IsChangedByUser() || weight.IsChangedByUser();
                         });
}

void DGraph::ToFile(DFileStream& stream)
{
    EError::Guard("DGraph::ToFile()",
                  [&]
                  {
                      sec_.PositionToFile(stream);
                      bar.ToFile(stream);
                      tar.ToFile(stream);
                      soc.ToFile(stream);
                      met.ToFile(stream);
                  });
}

void DGraph::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DGraph::FromFile()",
                  [&]
                  {
                      sec_.PositionFromFile(stream);
                      bar.FromFile(stream);
                      tar.FromFile(stream);
                      soc.FromFile(stream);
                      met.FromFile(stream, version);
                  });
}

void DGraph::TakeData(const DGraph& other)
{
    EError::Guard("DGraph::TakeData()",
                  [&]
                  {
                      bar.TakeData(other.bar);
                      tar.TakeData(other.tar);
                      soc.TakeData(other.soc);
                      met.TakeData(other.met);
                      weight.TakeData(other.weight);
                  });
}
