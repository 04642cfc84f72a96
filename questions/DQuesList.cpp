#include "questions/DQuesList.h"

#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "model/EError.h"

#include <stdexcept>

namespace
{
// Height of a single-line edit box at the default font.
} // namespace

DQuesList::DQuesList(Resize resize) : resize_(std::move(resize))
{
    Default();
}

void DQuesList::Default()
{
    EError::Guard("DQuesList::Default()", [&] { SetSize(kDefault, false); });
}

void DQuesList::SetSize(qint32 n, bool byUser)
{
    EError::Guard("DQuesList::SetSize()",
                  [&]
                  {
                      if (n < 0)
                          throw std::out_of_range("negative number of questions");
                      if (!byUser)
                          questions_.clear();
                      count_.SetValue(n, byUser);
                      questions_.resize(static_cast<std::size_t>(n));
                      resize_(n);
                  });
}

void DQuesList::SetSize(const QString& text)
{
    EError::Guard("DQuesList::SetSize()",
                  [&]
                  {
                      bool ok = false;
                      qint32 n = text.trimmed().toInt(&ok);
                      if (!ok)
                          n = -1;
                      if (n < kMin || n > kMax)
                          throw EError(50050, {kMin, kMax});
                      SetSize(n, true);
                  });
}

DQuesElem& DQuesList::GetSelected(qint32 index)
{
    return EError::Guard("DQuesList::GetSelected()",
                         [&]() -> DQuesElem&
                         {
                             if (index < 0 || index >= static_cast<qint32>(questions_.size()))
                                 throw std::out_of_range("question index");
                             return questions_[static_cast<std::size_t>(index)];
                         });
}

const DQuesElem& DQuesList::GetSelected(qint32 index) const
{
    return const_cast<DQuesList*>(this)->GetSelected(index);
}

bool DQuesList::IsChangedByUser() const
{
    return EError::Guard("DQuesList::IsChangedByUser()",
                         [&]
                         {
                             if (count_.IsChangedByUser())
                                 return true;
                             for (const DQuesElem& elem : questions_)
                                 if (elem.IsChangedByUser())
                                     return true;
                             return false;
                         });
}

QStringList DQuesList::GridRow(qint32 index) const
{
    const DQuesElem& elem = GetSelected(index);
    return {QString::number(index + 1), elem.type.ToString(), elem.text.ToString()};
}

QString DQuesList::SummaryText() const
{
    return EError::Guard("DQuesList::DrawSummary()",
                         [&]
                         {
                             qint32 positive = 0;
                             for (const DQuesElem& elem : questions_)
                                 if (elem.type.IsPositive())
                                     ++positive;
                             const qint32 count = static_cast<qint32>(questions_.size());
                             return DLanguage::Active().GetMsg(11010, {count, positive, count - positive});
                         });
}

QList<DQuesList::CheckItem> DQuesList::ListItems(DQuesElem::Graph graph) const
{
    QList<CheckItem> items;
    for (std::size_t k = 0; k < questions_.size(); ++k)
        items.append({DLanguage::Active().GetMsg(18220, {static_cast<int>(k + 1)}),
                      questions_[k].GraphFlag(graph).IsRequested()});
    return items;
}

QList<DQuesList::CheckItem> DQuesList::ListItemsSoc(bool acceptance) const
{
    QList<CheckItem> items;
    for (std::size_t k = 0; k < questions_.size(); ++k)
    {
        const DQuesElem& elem = questions_[k];
        if (acceptance ? !elem.type.IsPositive() : elem.type.IsPositive())
            continue;
        items.append({DLanguage::Active().GetMsg(18220, {static_cast<int>(k + 1)}), elem.graphSoc.IsRequested()});
    }
    return items;
}

void DQuesList::SetSelected(DQuesElem::Graph graph, const QList<bool>& checks)
{
    const std::size_t n = std::min(questions_.size(), static_cast<std::size_t>(checks.size()));
    for (std::size_t k = 0; k < n; ++k)
        questions_[k].GraphFlag(graph).ToGraph(checks[static_cast<qsizetype>(k)]);
}

void DQuesList::SetSocSelected(bool acceptance, const QList<bool>& checks)
{
    qsizetype j = 0;
    for (DQuesElem& elem : questions_)
    {
        // Same split as ListItemsSoc: acceptance takes the positive questions,
        // rejection every other one.
        if (acceptance ? !elem.type.IsPositive() : elem.type.IsPositive())
            continue;
        if (j >= checks.size())
            break;
        elem.graphSoc.ToGraph(checks[j++]);
    }
}

void DQuesList::ToFile(DFileStream& stream)
{
    EError::Guard("DQuesList::ToFile()",
                  [&]
                  {
                      count_.ToFile(stream);
                      for (DQuesElem& elem : questions_)
                          elem.ToFile(stream);
                  });
}

void DQuesList::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DQuesList::FromFile()",
                  [&]
                  {
                      DElemInt32 count;
                      count.FromFile(stream);
                      if (count.GetValue() < kMin || count.GetValue() > kMax)
                          throw EError(60020, {stream.Path()});
                      SetSize(count.GetValue(), false);
                      for (DQuesElem& elem : questions_)
                          elem.FromFile(stream, version);
                  });
}

void DQuesList::TakeData(const DQuesList& other)
{
    EError::Guard("DQuesList::TakeData()",
                  [&]
                  {
                      count_ = other.count_;
                      questions_ = other.questions_;
                  });
}
