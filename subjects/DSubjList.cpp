#include "subjects/DSubjList.h"

#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "model/EError.h"

#include <QCollator>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSignalBlocker>
#include <QTableWidget>

#include <algorithm>

namespace
{
bool IsValidSize(qint32 n)
{
    return n >= DSubjList::kMinSubjects && n <= DSubjList::kMaxSubjects;
}

EError SizeError()
{
    return EError(50070, {DSubjList::kMinSubjects, DSubjList::kMaxSubjects});
}

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

void FillGrid(QTableWidget* grid, const QList<int>& widths, const QList<QStringList>& rows,
              const QList<Qt::ItemFlags>& flags)
{
    // A program fill is not an edit: handlers listening to the grid must not
    // take these texts for the user's.
    const QSignalBlocker blocker(grid);
    // The widths are the grid's starting layout: a redraw of a grid that
    // already has its columns keeps the widths the user dragged.
    if (grid->columnCount() != int(widths.size()))
    {
        grid->setColumnCount(int(widths.size()));
        for (int column = 0; column < widths.size(); ++column)
            grid->setColumnWidth(column, widths.at(column));
    }
    grid->setRowCount(int(rows.size()) + 1);
    const int height = DSubjList::RowHeight(grid);
    for (int i = 0; i < rows.size(); ++i)
    {
        grid->setRowHeight(i + 1, height);
        const QStringList& texts = rows.at(i);
        for (int column = 0; column < texts.size(); ++column)
            SetCell(grid, i + 1, column, texts.at(column), flags.at(column));
    }
}
} // namespace

DSubjList::DSubjList(DDesi& desi) : desi_(desi)
{
    Default();
}

void DSubjList::Default()
{
    EError::Guard("DSubjList::Default()", [&] { SetSize(kDefaultSubjects, false); });
}

void DSubjList::SetSize(qint32 n, bool byUser)
{
    EError::Guard("DSubjList::SetSize()",
                  [&]
                  {
                      // Identifiers beyond 100 are not subjects for the rest of the test,
                      // and an empty list has nobody to answer.
                      if (!IsValidSize(n))
                          throw SizeError();
                      if (!byUser)
                          subjects_.clear();
                      count_.SetValue(n, byUser);
                      subjects_.resize(std::size_t(n));
                      desi_.SetSubj(n);
                      SetId();
                  });
}

void DSubjList::SetSize(const QString& text)
{
    EError::Guard("DSubjList::SetSize()",
                  [&]
                  {
                      bool ok = false;
                      qint32 n = text.trimmed().toInt(&ok);
                      if (!ok)
                          n = -1;
                      if (!IsValidSize(n))
                          throw SizeError();
                      SetSize(n, true);
                  });
}

void DSubjList::SetId()
{
    for (std::size_t k = 0; k < subjects_.size(); ++k)
        subjects_[k].id.SetValue(qint32(k) + 1, false);
}

DSubjElem& DSubjList::GetSelected(qint32 index)
{
    if (index < 0 || std::size_t(index) >= subjects_.size())
        throw EError(50020, {"DSubjList::GetSelected()"});
    return subjects_[std::size_t(index)];
}

const DSubjElem& DSubjList::GetSelected(qint32 index) const
{
    return const_cast<DSubjList*>(this)->GetSelected(index);
}

qint32 DSubjList::GetSelected(const QString& name, bool surnameFirst) const
{
    return EError::Guard("DSubjList::GetSelected()",
                         [&]
                         {
                             for (const DSubjElem& subject : subjects_)
                                 if (subject.appe.ToString(surnameFirst) == name)
                                     return subject.id.GetValue();
                             return qint32(0);
                         });
}

bool DSubjList::IsChangedByUser() const
{
    return count_.IsChangedByUser() ||
           std::any_of(subjects_.begin(), subjects_.end(), [](const DSubjElem& s) { return s.IsChangedByUser(); });
}

QList<QStringList> DSubjList::ListAllRows() const
{
    return EError::Guard("DSubjList::DrawListAll()",
                         [&]
                         {
                             QList<QStringList> rows;
                             rows.reserve(qsizetype(subjects_.size()));
                             for (const DSubjElem& s : subjects_)
                                 rows.append({QString::number(s.id.GetValue()), s.appe.Surname().ToString(),
                                              s.appe.Name().ToString(), s.sex.ToString(), s.note.ToString()});
                             return rows;
                         });
}

QList<QStringList> DSubjList::ListSelRows() const
{
    return EError::Guard("DSubjList::DrawListSel()",
                         [&]
                         {
                             QList<QStringList> rows;
                             rows.reserve(qsizetype(subjects_.size()));
                             for (std::size_t k = 0; k < subjects_.size(); ++k)
                             {
                                 const DSubjElem& s = subjects_[k];
                                 const qint32 number = qint32(k) + 1;
                                 rows.append({QString::number(number), s.appe.Surname().ToString(),
                                              s.appe.Name().ToString(), desi_.GetSubjSummary(number)});
                             }
                             return rows;
                         });
}

QString DSubjList::SummaryText() const
{
    return EError::Guard("DSubjList::DrawSummary()",
                         [&]
                         {
                             const qint32 females =
                                 qint32(std::count_if(subjects_.begin(), subjects_.end(),
                                                      [](const DSubjElem& s) { return s.sex.IsFemale(); }));
                             const qint32 count = GetSize();
                             return DLanguage::Active().GetMsg(12010, {count, females, count - females});
                         });
}

void DSubjList::SortNames(QStringList& names)
{
    // The interface language, not the system locale, decides: under the C
    // locale a plain comparison would put every accented name after "Z".
    const QLocale locale = DLanguage::Active().IsIta() ? QLocale(QLocale::Italian, QLocale::Italy)
                                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

QStringList DSubjList::AppelTexts(bool surnameFirst) const
{
    return EError::Guard("DSubjList::DrawAppels()",
                         [&]
                         {
                             QStringList names;
                             for (const DSubjElem& s : subjects_)
                                 if (s.appe.IsFilled())
                                     names.append(s.appe.ToString(surnameFirst));
                             SortNames(names);
                             names.prepend(DLanguage::Active().GetStr(12250));
                             return names;
                         });
}

int DSubjList::RowHeight(const QWidget* widget)
{
    QLineEdit edit;
    if (widget)
        edit.setFont(widget->font());
    return edit.sizeHint().height();
}

void DSubjList::DrawListAll(QTableWidget* grid) const
{
    const QList<QStringList> rows = ListAllRows();
    EError::Guard("DSubjList::DrawListAll()",
                  [&]
                  {
                      const Qt::ItemFlags fixed = Qt::ItemIsEnabled;
                      const Qt::ItemFlags toggled = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                      const Qt::ItemFlags edited = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
                      FillGrid(grid, {30, 100, 100, 60, 300}, rows, {fixed, edited, edited, toggled, edited});
                  });
}

void DSubjList::DrawListSel(QTableWidget* grid) const
{
    const QList<QStringList> rows = ListSelRows();
    EError::Guard("DSubjList::DrawListSel()",
                  [&]
                  {
                      const Qt::ItemFlags shown = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
                      FillGrid(grid, {30, 100, 100, 60}, rows, {shown, shown, shown, shown});
                  });
}

void DSubjList::DrawSummary(QLabel* label) const
{
    const QString text = SummaryText();
    EError::Guard("DSubjList::DrawSummary()",
                  [&]
                  {
                      if (label->text() != text)
                          label->setText(text);
                  });
}

void DSubjList::DrawAppels(QComboBox* combo, bool surnameFirst) const
{
    const QStringList names = AppelTexts(surnameFirst);
    EError::Guard("DSubjList::DrawAppels()",
                  [&]
                  {
                      combo->clear();
                      combo->addItems(names);
                  });
}

void DSubjList::FromMemo(const QComboBox* format, const QStringList& lines)
{
    const int index = EError::Guard("DSubjList::FromMemo()", [&] { return format->currentIndex(); });
    FromMemo(index, lines);
}

void DSubjList::FromMemo(int format, const QStringList& lines)
{
    EError::Guard("DSubjList::FromMemo()",
                  [&]
                  {
                      // Refused before anything changes: an unknown format, no lines, or
                      // more lines than subjects a test can hold.
                      if (format < 0 || format >= DSubjElemAppe::kFormats)
                          throw EError(50020, {"DSubjElemAppe::FromString()"});
                      const qsizetype count = lines.size();
                      if (count < kMinSubjects || count > kMaxSubjects)
                          throw SizeError();
                      SetSize(qint32(count), true);
                      for (qsizetype k = 0; k < count; ++k)
                          subjects_[std::size_t(k)].appe.FromString(format, lines.at(k));
                  });
}

QStringList DSubjList::MemoLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    QStringList lines = normalized.split(u'\n');
    if (normalized.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

void DSubjList::ToFile(DFileStream& stream)
{
    EError::Guard("DSubjList::ToFile()",
                  [&]
                  {
                      count_.ToFile(stream);
                      for (DSubjElem& s : subjects_)
                          s.ToFile(stream);
                  });
}

void DSubjList::FromFile(DFileStream& stream)
{
    EError::Guard("DSubjList::FromFile()",
                  [&]
                  {
                      DElemInt32 count;
                      count.FromFile(stream);
                      // A damaged or foreign file; such a count would otherwise allocate
                      // at will or make identifiers no other part accepts.
                      if (!IsValidSize(count.GetValue()))
                          throw EError(60020, {stream.Path()});
                      SetSize(count.GetValue(), false);
                      for (DSubjElem& s : subjects_)
                          s.FromFile(stream);
                  });
}

void DSubjList::TakeData(const DSubjList& other)
{
    EError::Guard("DSubjList::TakeData()",
                  [&]
                  {
                      count_ = other.count_;
                      subjects_ = other.subjects_;
                  });
}
