#include "answers/DDesi.h"

#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "model/EError.h"
#include "questions/DQues.h"

#include <algorithm>
#include <numeric>
#include <stdexcept>

namespace
{
void CheckCount(qint32 count)
{
    if (count < 0)
        throw std::out_of_range("negative matrix dimension");
}
} // namespace

DDesi::DDesi() : sec_(3)
{
}

void DDesi::Bind(const DQues& ques)
{
    quesList_ = &ques;
}

void DDesi::SetQues(qint32 count)
{
    EError::Guard("DDesi::SetQues()",
                  [&]
                  {
                      CheckCount(count);
                      if (count == ques_)
                          return;
                      ques_ = count;
                      Resize();
                  });
}

void DDesi::SetAnsw(qint32 count)
{
    EError::Guard("DDesi::SetAnsw()",
                  [&]
                  {
                      CheckCount(count);
                      if (count == answ_)
                          return;
                      answ_ = count;
                      Resize();
                  });
}

void DDesi::SetSubj(qint32 count)
{
    EError::Guard("DDesi::SetSubj()",
                  [&]
                  {
                      CheckCount(count);
                      if (count == subj_)
                          return;
                      const bool fewer = count < subj_;
                      subj_ = count;
                      Resize();
                      if (!fewer)
                          return;
                      // A remaining subject's choice of a removed subject would name nobody
                      // (and later reappear as a choice of whoever takes that number), so it
                      // is withdrawn. This is the program's doing, not the user's.
                      for (DElemInt32& cell : cells_)
                          if (IsChoice(cell.GetValue()) && cell.GetValue() > count)
                              cell.SetValue(0, false);
                  });
}

void DDesi::Resize()
{
    if (!HasShape())
        return;
    if (ques_ == shapeQ_ && answ_ == shapeA_ && subj_ == shapeS_)
        return;

    std::vector<DElemInt32> cells(static_cast<std::size_t>(ques_) * static_cast<std::size_t>(answ_) *
                                  static_cast<std::size_t>(subj_));
    const qint32 keepQ = std::min(ques_, shapeQ_);
    const qint32 keepA = std::min(answ_, shapeA_);
    const qint32 keepS = std::min(subj_, shapeS_);
    for (qint32 q = 0; q < keepQ; ++q)
        for (qint32 r = 0; r < keepA; ++r)
        {
            const auto from = cells_.begin() + static_cast<std::ptrdiff_t>(Index(q, r, 0));
            const auto to = cells.begin() + static_cast<std::ptrdiff_t>(
                                                (static_cast<std::size_t>(q) * std::size_t(answ_) + std::size_t(r)) *
                                                std::size_t(subj_));
            std::copy(from, from + keepS, to);
        }
    cells_ = std::move(cells);
    shapeQ_ = ques_;
    shapeA_ = answ_;
    shapeS_ = subj_;
}

void DDesi::New()
{
    EError::Guard("DDesi::New()",
                  [&]
                  {
                      for (DElemInt32& cell : cells_)
                          cell.SetValue(0, false);
                  });
}

bool DDesi::IsChangedByUser() const
{
    return EError::Guard("DDesi::IsChangedByUser()",
                         [&] {
                             return std::any_of(cells_.begin(), cells_.end(),
                                                [](const DElemInt32& cell) { return cell.IsChangedByUser(); });
                         });
}

void DDesi::CheckCell(qint32 question, qint32 answer, qint32 subject) const
{
    // Checked against the cells as they are: while a counter is 0 the shape
    // is the one from before.
    if (question < 1 || question > shapeQ_ || answer < 1 || answer > shapeA_ || subject < 1 || subject > shapeS_)
        throw std::out_of_range("cell outside the matrix");
}

void DDesi::SetDesi(qint32 question, qint32 answer, qint32 subject, qint32 value)
{
    EError::Guard("DDesi::SetDesi()",
                  [&]
                  {
                      CheckCell(question, answer, subject);
                      cells_[Index(question - 1, answer - 1, subject - 1)].SetValue(value, true);
                  });
}

qint32 DDesi::GetDesi(qint32 question, qint32 answer, qint32 subject) const
{
    return EError::Guard("DDesi::GetDesi()",
                         [&]
                         {
                             CheckCell(question, answer, subject);
                             return cells_[Index(question - 1, answer - 1, subject - 1)].GetValue();
                         });
}

QString DDesi::GetSubjSummary(qint32 subject) const
{
    return EError::Guard("DDesi::GetSubjSummary()",
                         [&]
                         {
                             CheckCell(1, 1, subject);
                             qint32 given = 0;
                             for (qint32 q = 0; q < shapeQ_; ++q)
                                 for (qint32 r = 0; r < shapeA_; ++r)
                                     if (IsChoice(cells_[Index(q, r, subject - 1)].GetValue()))
                                         ++given;
                             return DLanguage::Active().GetMsg(14040, {given, shapeQ_ * shapeA_});
                         });
}

void DDesi::Verify() const
{
    EError::Guard("DDesi::Verify()",
                  [&]
                  {
                      if (!HasShape())
                          return;
                      // Cells are stored question-major, rank, then subject: the scan order.
                      for (qint32 q = 0; q < shapeQ_; ++q)
                          for (qint32 r = 0; r < shapeA_; ++r)
                              for (qint32 s = 0; s < shapeS_; ++s)
                                  if (cells_[Index(q, r, s)].GetValue() == s + 1)
                                      throw EError(50090, {s + 1});
                  });
}

void DDesi::ToFile(DFileStream& stream)
{
    EError::Guard("DDesi::ToFile()",
                  [&]
                  {
                      sec_.PositionToFile(stream);
                      if (!HasShape())
                          return;
                      for (DElemInt32& cell : cells_)
                          cell.ToFile(stream);
                  });
}

void DDesi::FromFile(DFileStream& stream)
{
    EError::Guard("DDesi::FromFile()",
                  [&]
                  {
                      sec_.PositionFromFile(stream);
                      if (!HasShape())
                          return;
                      for (DElemInt32& cell : cells_)
                      {
                          cell.FromFile(stream);
                          // The subject count was read before the matrix; a value that names
                          // no subject of this test is no choice.
                          const qint32 value = cell.GetValue();
                          if (value != 0 && (!IsChoice(value) || value > subj_))
                              cell.SetValue(0, false);
                      }
                  });
}

void DDesi::TakeData(const DDesi& other)
{
    EError::Guard("DDesi::TakeData()",
                  [&]
                  {
                      ques_ = other.ques_;
                      answ_ = other.answ_;
                      subj_ = other.subj_;
                      shapeQ_ = other.shapeQ_;
                      shapeA_ = other.shapeA_;
                      shapeS_ = other.shapeS_;
                      cells_ = other.cells_;
                  });
}

bool DDesi::Admits(qint32 q, bool positive, bool bar, bool target, bool soc, bool metric) const
{
    if (!quesList_)
        throw std::logic_error("question list not bound");
    const DQuesList& list = quesList_->List();
    if (q >= list.GetSize())
        return false;
    const DQuesElem& elem = list.GetSelected(q);
    if (positive ? !elem.type.IsPositive() : !elem.type.IsNegative())
        return false;
    return (bar && elem.graphBar.IsRequested()) || (target && elem.graphTar.IsRequested()) ||
           (soc && elem.graphSoc.IsRequested()) || (metric && elem.graphMet.IsRequested());
}

qint32 DDesi::Weight(qint32 rank, bool weighted) const
{
    return weighted ? shapeA_ - rank : 1;
}

qint32 DDesi::TotalCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool weighted) const
{
    qint32 count = 0;
    if (!HasShape() || !IsChoice(v))
        return count;
    for (qint32 q = 0; q < shapeQ_; ++q)
    {
        if (!Admits(q, positive, bar, target, soc, false))
            continue;
        for (qint32 r = 0; r < shapeA_; ++r)
        {
            const auto first = cells_.begin() + static_cast<std::ptrdiff_t>(Index(q, r, 0));
            count += Weight(r, weighted) *
                     static_cast<qint32>(std::count_if(first, first + shapeS_,
                                                       [v](const DElemInt32& cell) { return cell.GetValue() == v; }));
        }
    }
    return count;
}

qint32 DDesi::ChooserCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    if (!HasShape() || !IsChoice(v))
        return 0;
    // Each chooser counts once, with the weight of its best-ranked choice of v.
    std::vector<qint32> best(static_cast<std::size_t>(shapeS_), 0);
    for (qint32 q = 0; q < shapeQ_; ++q)
    {
        if (!Admits(q, positive, bar, target, soc, metric))
            continue;
        for (qint32 r = 0; r < shapeA_; ++r)
            for (qint32 s = 0; s < shapeS_; ++s)
                if (cells_[Index(q, r, s)].GetValue() == v)
                    best[std::size_t(s)] = std::max(best[std::size_t(s)], Weight(r, weighted));
    }
    return std::accumulate(best.begin(), best.end(), qint32(0));
}

qint32 DDesi::ChosenCount(qint32 v, bool positive, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    if (!HasShape() || v < 1 || v > shapeS_)
        return 0;
    // Each chosen subject counts once, with the weight of its best rank.
    std::vector<qint32> best(101, 0);
    for (qint32 q = 0; q < shapeQ_; ++q)
    {
        if (!Admits(q, positive, bar, target, soc, metric))
            continue;
        for (qint32 r = 0; r < shapeA_; ++r)
        {
            const qint32 value = cells_[Index(q, r, v - 1)].GetValue();
            if (IsChoice(value))
                best[std::size_t(value)] = std::max(best[std::size_t(value)], Weight(r, weighted));
        }
    }
    return std::accumulate(best.begin(), best.end(), qint32(0));
}

qint32 DDesi::GetSubjAccTot(qint32 v, bool bar, bool target, bool soc, bool weighted) const
{
    return EError::Guard("DDesi::GetSubjAccTot()", [&] { return TotalCount(v, true, bar, target, soc, weighted); });
}

qint32 DDesi::GetSubjRejTot(qint32 v, bool bar, bool target, bool soc, bool weighted) const
{
    return EError::Guard("DDesi::GetSubjRejTot()", [&] { return TotalCount(v, false, bar, target, soc, weighted); });
}

qint32 DDesi::GetSubjAccSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    return EError::Guard("DDesi::GetSubjAccSbj()",
                         [&] { return ChooserCount(v, true, bar, target, soc, metric, weighted); });
}

qint32 DDesi::GetSubjRejSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    return EError::Guard("DDesi::GetSubjRejSbj()",
                         [&] { return ChooserCount(v, false, bar, target, soc, metric, weighted); });
}

qint32 DDesi::GetOutAccSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    return EError::Guard("DDesi::GetOutAccSbj()",
                         [&] { return ChosenCount(v, true, bar, target, soc, metric, weighted); });
}

qint32 DDesi::GetOutRejSbj(qint32 v, bool bar, bool target, bool soc, bool metric, bool weighted) const
{
    return EError::Guard("DDesi::GetOutRejSbj()",
                         [&] { return ChosenCount(v, false, bar, target, soc, metric, weighted); });
}

qint32 DDesi::GetTargetFrequency() const
{
    return EError::Guard("DDesi::GetTargetFrequency()", [&] { return TargetQuestions(true) * answ_; });
}

qint32 DDesi::GetTargetQuestions(bool positive) const
{
    return EError::Guard("DDesi::GetTargetQuestions()", [&] { return TargetQuestions(positive); });
}

qint32 DDesi::TargetQuestions(bool positive) const
{
    if (!quesList_)
        throw std::logic_error("question list not bound");
    qint32 questions = 0;
    for (qint32 q = 0; q < quesList_->List().GetSize(); ++q)
        if (Admits(q, positive, false, true, false, false))
            ++questions;
    return questions;
}

void DDesi::SocChoices(bool positive, const ChoiceVisitor& visit) const
{
    Choices(
        positive, [&](qint32 q) { return Admits(q, positive, false, false, true, false); }, visit);
}

void DDesi::TargetChoices(bool positive, const ChoiceVisitor& visit) const
{
    Choices(
        positive, [&](qint32 q) { return Admits(q, positive, false, true, false, false); }, visit);
}

void DDesi::Choices(bool positive, const QuestionFilter& admitted, const ChoiceVisitor& visit) const
{
    if (!HasShape())
        return;
    if (!quesList_)
        throw std::logic_error("question list not bound");
    const DQuesList& list = quesList_->List();
    for (qint32 q = 0; q < shapeQ_; ++q)
    {
        if (q >= list.GetSize())
            break;
        const DQuesElemType& type = list.GetSelected(q).type;
        if ((positive ? !type.IsPositive() : !type.IsNegative()) || !admitted(q))
            continue;
        for (qint32 r = 0; r < shapeA_; ++r)
            for (qint32 s = 0; s < shapeS_; ++s)
            {
                const qint32 value = cells_[Index(q, r, s)].GetValue();
                if (IsChoice(value))
                    visit(s + 1, value, r);
            }
    }
}
