#include "pages/DViews.h"

#include "analyses/DGraphOption.h"
#include "analyses/DGraphSocSize.h"
#include "answers/DAnswSubjSort.h"
#include "answers/DDesi.h"
#include "answers/DSubjElemAnswList.h"
#include "kit/TGrid.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjElemAppe.h"
#include "subjects/DSubjList.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTableWidget>

#include <utility>

namespace
{
constexpr int kQuestionRowHeight = 21;
constexpr int kNoneText = 12250;
constexpr int kAlreadyChosen = 27360;
constexpr int kSelfMark = 37000;
constexpr int kQuestionText = 37080;

// Writes a cell, reusing its item so the grid keeps its selection.
void SetCell(QTableWidget* grid, int row, int column, const QString& text, Qt::ItemFlags flags)
{
    QTableWidgetItem* item = grid->item(row, column);
    if (!item)
    {
        item = new QTableWidgetItem(text);
        grid->setItem(row, column, item);
    }
    else if (item->text() != text)
        item->setText(text);
    if (item->flags() != flags)
        item->setFlags(flags);
}

void FillGrid(TGrid* grid, const QList<int>& widths, const QList<QStringList>& rows, const QList<Qt::ItemFlags>& flags)
{
    // A program fill is not an edit: handlers listening to the grid must not
    // take these texts for the user's.
    const QSignalBlocker blocker(grid);
    if (grid->columnCount() != int(widths.size()))
        grid->setColumnCount(int(widths.size()));
    grid->SetColumnWidths(widths);
    grid->setRowCount(int(rows.size()) + 1);
    const int height = DViews::RowHeight(grid);
    for (int i = 0; i < rows.size(); ++i)
    {
        grid->setRowHeight(i + 1, height);
        const QStringList& texts = rows.at(i);
        for (int column = 0; column < texts.size(); ++column)
            SetCell(grid, i + 1, column, texts.at(column), flags.at(column));
    }
}
} // namespace

void DViews::DrawQuestions(const DQuesList& questions, TGrid* grid)
{
    EError::Guard("DQuesList::Draw()",
                  [&]
                  {
                      const qint32 count = questions.GetSize();
                      grid->setColumnCount(3);
                      grid->setRowCount(count + 1);
                      grid->SetColumnWidths({30, 60, 500});
                      for (qint32 i = 0; i < count; ++i)
                      {
                          grid->setRowHeight(i + 1, kQuestionRowHeight);
                          const QStringList texts = questions.GridRow(i);
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

void DViews::DrawSummary(const QString& text, QLabel* label)
{
    if (label->text() != text)
        label->setText(text);
}

void DViews::DrawChecks(const QList<DQuesList::CheckItem>& items, QListWidget* list)
{
    // Filling is not the user's doing: the list's change handlers must not
    // store half-filled check marks back into the questions.
    const QSignalBlocker blocker(list);
    list->clear();
    for (const DQuesList::CheckItem& entry : items)
    {
        auto* item = new QListWidgetItem(entry.label, list);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(entry.checked ? Qt::Checked : Qt::Unchecked);
    }
}

QList<bool> DViews::Checks(const QListWidget* list)
{
    QList<bool> checks;
    for (int k = 0; k < list->count(); ++k)
        checks.append(list->item(k)->checkState() == Qt::Checked);
    return checks;
}

void DViews::DrawListBar(const DQuesList& questions, QListWidget* list)
{
    EError::Guard("DQuesList::DrawListBar()", [&] { DrawChecks(questions.ListItems(DQuesElem::Bar), list); });
}

void DViews::DrawListTar(const DQuesList& questions, QListWidget* list)
{
    EError::Guard("DQuesList::DrawListTar()", [&] { DrawChecks(questions.ListItems(DQuesElem::Tar), list); });
}

void DViews::DrawListMet(const DQuesList& questions, QListWidget* list)
{
    EError::Guard("DQuesList::DrawListMet()", [&] { DrawChecks(questions.ListItems(DQuesElem::Met), list); });
}

void DViews::DrawListSoc(const DQuesList& questions, QListWidget* list, bool acceptance)
{
    EError::Guard("DQuesList::DrawListSoc()", [&] { DrawChecks(questions.ListItemsSoc(acceptance), list); });
}

void DViews::GraphBarSelected(DQuesList& questions, const QListWidget* list)
{
    EError::Guard("DQuesList::GraphBarSelected()", [&] { questions.SetSelected(DQuesElem::Bar, Checks(list)); });
}

void DViews::GraphTarSelected(DQuesList& questions, const QListWidget* list)
{
    EError::Guard("DQuesList::GraphTarSelected()", [&] { questions.SetSelected(DQuesElem::Tar, Checks(list)); });
}

void DViews::GraphMetSelected(DQuesList& questions, const QListWidget* list)
{
    EError::Guard("DQuesList::GraphMetSelected()", [&] { questions.SetSelected(DQuesElem::Met, Checks(list)); });
}

void DViews::GraphSocSelected(DQuesList& questions, const QListWidget* list, bool acceptance)
{
    EError::Guard("DQuesList::GraphSocSelected()", [&] { questions.SetSocSelected(acceptance, Checks(list)); });
}

void DViews::DrawListAll(const DSubjList& subjects, TGrid* grid)
{
    const QList<QStringList> rows = subjects.ListAllRows();
    EError::Guard("DSubjList::DrawListAll()",
                  [&]
                  {
                      const Qt::ItemFlags fixed = Qt::ItemIsEnabled;
                      const Qt::ItemFlags toggled = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                      const Qt::ItemFlags edited = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
                      FillGrid(grid, {30, 100, 100, 60, 300}, rows, {fixed, edited, edited, toggled, edited});
                  });
}

void DViews::DrawListSel(const DSubjList& subjects, const DDesi& desi, TGrid* grid)
{
    const QList<QStringList> rows =
        subjects.ListSelRows([&desi](qint32 subject) { return desi.GetSubjSummary(subject); });
    EError::Guard("DSubjList::DrawListSel()",
                  [&]
                  {
                      const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                      FillGrid(grid, {30, 100, 100, 60}, rows, {shown, shown, shown, shown});
                  });
}

void DViews::DrawAppels(const DSubjList& subjects, const QList<DAnswPick::Offer>& offers, QComboBox* combo,
                        bool surnameFirst)
{
    EError::Guard("DSubjList::DrawAppels()",
                  [&]
                  {
                      const DLanguage& language = DLanguage::Active();
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      combo->addItem(language.GetStr(kNoneText), 0);
                      auto* model = qobject_cast<QStandardItemModel*>(combo->model());
                      for (const DAnswPick::Offer& offer : offers)
                      {
                          const QString name = subjects.GetSelected(offer.subject - 1).appe.ToString(surnameFirst);
                          if (!offer.refusal)
                          {
                              combo->addItem(name, offer.subject);
                              continue;
                          }
                          combo->addItem(offer.refusal.kind == DAnswPick::Refusal::Kind::Repeated
                                             ? language.GetMsg(kAlreadyChosen, {name, offer.refusal.answer})
                                             : language.GetMsg(kSelfMark, {name}),
                                         offer.subject);
                          if (QStandardItem* item = model ? model->item(combo->count() - 1) : nullptr)
                              item->setEnabled(false);
                      }
                  });
}

int DViews::RowHeight(const QWidget* widget)
{
    QLineEdit edit;
    if (widget)
        edit.setFont(widget->font());
    return edit.sizeHint().height();
}

void DViews::DrawAppeTypes(QComboBox* combo)
{
    EError::Guard("DSubjElemAppe::TypesToComboBox()",
                  [&]
                  {
                      combo->clear();
                      combo->addItems(DSubjElemAppe::Types());
                      combo->setCurrentIndex(DSubjElemAppe::SurnameCommaName);
                  });
}

void DViews::DrawAnswers(const DSubjElemAnswList& answers, qint32 subject, const DQuesList& questions, TGrid* grid)
{
    QList<QStringList> rows = answers.Texts(subject);
    // A row names its question as the class read it; "Question n.1" says
    // nothing of what was asked.
    QStringList tips;
    for (qint32 q = 1; q < rows.size(); ++q)
    {
        const QString text =
            q <= questions.GetSize() ? questions.GetSelected(q - 1).text.ToString().simplified() : QString();
        if (!text.isEmpty())
            rows[q][0] = DLanguage::Active().GetMsg(kQuestionText, {q, text});
        tips.append(text);
    }
    EError::Guard("DSubjElemAnswList::ToStringGrid()",
                  [&]
                  {
                      // A program fill is not an edit: handlers listening to the grid must
                      // not take these texts for the user's.
                      const QSignalBlocker blocker(grid);
                      const int columns = int(rows.first().size());
                      grid->setRowCount(int(rows.size()));
                      grid->setColumnCount(columns);
                      QList<int> widths(columns, DSubjElemAnswList::kAnswerWidth);
                      widths[0] = DSubjElemAnswList::kHeaderWidth;
                      grid->SetColumnWidths(widths);
                      const int height = RowHeight(grid);
                      for (int row = 0; row < rows.size(); ++row)
                      {
                          grid->setRowHeight(row, height);
                          for (int column = 0; column < columns; ++column)
                          {
                              const bool fixed = row == 0 || column == 0;
                              const Qt::ItemFlags flags =
                                  fixed ? Qt::ItemFlags(Qt::ItemIsEnabled) : Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                              SetCell(grid, row, column, rows.at(row).at(column), flags);
                          }
                      }
                      for (int row = 1; row < rows.size(); ++row)
                      {
                          grid->item(row, 0)->setToolTip(tips.at(row - 1));
                          if (QTableWidgetItem* header = grid->verticalHeaderItem(row))
                              header->setToolTip(tips.at(row - 1));
                      }
                  });
}

void DViews::DrawSubjSort(const DAnswSubjSort& sort, QRadioButton* surnameName, QRadioButton* nameSurname)
{
    EError::Guard("DAnswSubjSort::ToRadioButtons()",
                  [&]
                  {
                      // Showing the stored order is not a choice of the user.
                      const QSignalBlocker blockFirst(surnameName);
                      const QSignalBlocker blockSecond(nameSurname);
                      // Radio buttons of one group are auto-exclusive: checking one unchecks the other.
                      if (sort.IsSurnameName())
                          surnameName->setChecked(true);
                      else
                          nameSurname->setChecked(true);
                  });
}

void DViews::UpdateSubjSort(DAnswSubjSort& sort, const QRadioButton* surnameName)
{
    EError::Guard("DAnswSubjSort::FromRadioButtons()",
                  [&]
                  {
                      if (surnameName->isChecked())
                          sort.SetSurnameName();
                      else
                          sort.SetNameSurname();
                  });
}

void DViews::DrawOption(const DGraphOption& option, QComboBox* combo)
{
    EError::Guard(option.DrawModule(),
                  [&]
                  {
                      const QSignalBlocker blocker(combo);
                      combo->clear();
                      const QStringList texts = option.Texts();
                      combo->addItems(texts);
                      const qint32 value = option.GetValue();
                      combo->setCurrentIndex(value >= 0 && value < qint32(texts.size()) ? value : -1);
                  });
}

void DViews::UpdateOption(DGraphOption& option, const QComboBox* combo)
{
    EError::Guard(option.UpdateModule(), [&] { option.Choose(combo->currentIndex()); });
}

void DViews::DrawSize(const DGraphSocSize& size, QLineEdit* width, QLineEdit* height)
{
    EError::Guard("DGraphSocSize::Draw()",
                  [&]
                  {
                      width->setText(QString::number(size.Width()));
                      height->setText(QString::number(size.Height()));
                  });
}

void DViews::UpdateSize(DGraphSocSize& size, QLineEdit* width, QLineEdit* height)
{
    EError::Guard("DGraphSocSize::Update()",
                  [&]
                  {
                      for (auto [field, update] : {std::pair{width, &DGraphSocSize::UpdateWidth},
                                                   std::pair{height, &DGraphSocSize::UpdateHeight}})
                      {
                          try
                          {
                              (size.*update)(field->text());
                          }
                          catch (const EError&)
                          {
                              field->setFocus();
                              throw;
                          }
                      }
                  });
}

void DViews::DrawTable(const QStringList& header, const QList<QStringList>& rows, const QList<bool>& marked,
                       QTableWidget* grid)
{
    const QSignalBlocker quiet(grid);
    grid->clear();
    grid->setColumnCount(int(header.size()));
    grid->setRowCount(int(rows.size()));
    grid->setHorizontalHeaderLabels(header);
    for (int r = 0; r < rows.size(); ++r)
        for (int c = 0; c < rows[r].size() && c < header.size(); ++c)
        {
            auto* item = new QTableWidgetItem(rows[r][c]);
            item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
            if (r < marked.size() && marked[r])
                item->setBackground(QColor(255, 236, 179));
            grid->setItem(r, c, item);
        }
    grid->resizeColumnsToContents();
}
