#include "questions/DQuesList.h"

#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "model/EError.h"

#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QTableWidget>

#include <stdexcept>

namespace
{
// Height of a single-line edit box at the default font.
constexpr int kRowHeight = 21;
} // namespace

DQuesList::DQuesList(DDesi& desi) : desi_(desi)
{
    Default();
}

void DQuesList::Default()
{
    EError::Guard("DQuesList::Default()", [&] { SetSize(kDefault, false); });
}

void DQuesList::SetSize(qint32 n, bool byUser)
{
    EError::Guard("DQuesList::SetSize()", [&] {
        if (n < 0)
            throw std::out_of_range("negative number of questions");
        if (!byUser)
            questions_.clear();
        count_.SetValue(n, byUser);
        questions_.resize(static_cast<std::size_t>(n));
        desi_.SetQues(n);
    });
}

void DQuesList::SetSize(const QString& text)
{
    EError::Guard("DQuesList::SetSize()", [&] {
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
    return EError::Guard("DQuesList::GetSelected()", [&]() -> DQuesElem& {
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
    return EError::Guard("DQuesList::IsChangedByUser()", [&] {
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

void DQuesList::Draw(QTableWidget* grid) const
{
    EError::Guard("DQuesList::Draw()", [&] {
        const qint32 count = static_cast<qint32>(questions_.size());
        grid->setColumnCount(3);
        grid->setRowCount(count + 1);
        grid->setColumnWidth(0, 30);
        grid->setColumnWidth(1, 60);
        grid->setColumnWidth(2, 500);
        for (qint32 i = 0; i < count; ++i)
        {
            grid->setRowHeight(i + 1, kRowHeight);
            const QStringList texts = GridRow(i);
            for (int column = 0; column < 3; ++column)
            {
                if (QTableWidgetItem* item = grid->item(i + 1, column))
                    item->setText(texts[column]);
                else
                    grid->setItem(i + 1, column, new QTableWidgetItem(texts[column]));
            }
        }
    });
}

QString DQuesList::SummaryText() const
{
    return EError::Guard("DQuesList::DrawSummary()", [&] {
        qint32 positive = 0;
        for (const DQuesElem& elem : questions_)
            if (elem.type.IsPositive())
                ++positive;
        const qint32 count = static_cast<qint32>(questions_.size());
        return DLanguage::Active().GetMsg(11010, {count, positive, count - positive});
    });
}

void DQuesList::DrawSummary(QLabel* label) const
{
    EError::Guard("DQuesList::DrawSummary()", [&] {
        const QString text = SummaryText();
        if (label->text() != text)
            label->setText(text);
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

void DQuesList::FillList(QListWidget* list, const QList<CheckItem>& items)
{
    // Filling is not the user's doing: the list's change handlers must not
    // store half-filled check marks back into the questions.
    const QSignalBlocker blocker(list);
    list->clear();
    for (const CheckItem& entry : items)
    {
        auto* item = new QListWidgetItem(entry.label, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
}

QList<bool> DQuesList::Checks(QListWidget* list)
{
    QList<bool> checks;
    for (int k = 0; k < list->count(); ++k)
        checks.append(list->item(k)->checkState() == Qt::Checked);
    return checks;
}

void DQuesList::DrawListBar(QListWidget* list) const
{
    EError::Guard("DQuesList::DrawListBar()", [&] { FillList(list, ListItems(DQuesElem::Bar)); });
}

void DQuesList::DrawListTar(QListWidget* list) const
{
    EError::Guard("DQuesList::DrawListTar()", [&] { FillList(list, ListItems(DQuesElem::Tar)); });
}

void DQuesList::DrawListMet(QListWidget* list) const
{
    EError::Guard("DQuesList::DrawListMet()", [&] { FillList(list, ListItems(DQuesElem::Met)); });
}

void DQuesList::DrawListSoc(QListWidget* list, bool acceptance) const
{
    EError::Guard("DQuesList::DrawListSoc()", [&] { FillList(list, ListItemsSoc(acceptance)); });
}

void DQuesList::GraphBarSelected(QListWidget* list)
{
    EError::Guard("DQuesList::GraphBarSelected()", [&] { SetSelected(DQuesElem::Bar, Checks(list)); });
}

void DQuesList::GraphTarSelected(QListWidget* list)
{
    EError::Guard("DQuesList::GraphTarSelected()", [&] { SetSelected(DQuesElem::Tar, Checks(list)); });
}

void DQuesList::GraphMetSelected(QListWidget* list)
{
    EError::Guard("DQuesList::GraphMetSelected()", [&] { SetSelected(DQuesElem::Met, Checks(list)); });
}

void DQuesList::GraphSocSelected(QListWidget* list, bool acceptance)
{
    EError::Guard("DQuesList::GraphSocSelected()", [&] { SetSocSelected(acceptance, Checks(list)); });
}

void DQuesList::ToFile(DFileStream& stream)
{
    EError::Guard("DQuesList::ToFile()", [&] {
        count_.ToFile(stream);
        for (DQuesElem& elem : questions_)
            elem.ToFile(stream);
    });
}

void DQuesList::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DQuesList::FromFile()", [&] {
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
    EError::Guard("DQuesList::TakeData()", [&] {
        count_ = other.count_;
        questions_ = other.questions_;
    });
}
