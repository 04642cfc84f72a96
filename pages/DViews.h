#pragma once

#include "answers/DAnswPick.h"
#include "questions/DQuesList.h"

#include <QList>
#include <QStringList>
#include <QtGlobal>

class DAnswSubjSort;
class DDesi;
class DGraphOption;
class DGraphSocSize;
class DSubjElemAnswList;
class DSubjList;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QRadioButton;
class QTableWidget;
class QWidget;
class TGrid;

// The thin layer between the model's plain data (texts, check marks,
// indices) and the controls of the pages. Filling a control is the program's
// doing, never the user's: each fill keeps the control's change signals
// quiet, so the page's handlers do not store half-filled values back.
namespace DViews
{
// Questions grid: row 0 is the page's header, row i question i.
void DrawQuestions(const DQuesList& questions, TGrid* grid);
// Rewrites the label only when its text differs.
void DrawSummary(const QString& text, QLabel* label);
// A read-only table: the header, then one row of texts each; marked rows
// are shaded so they stand out.
void DrawTable(const QStringList& header, const QList<QStringList>& rows, const QList<bool>& marked,
               QTableWidget* grid);

// An analysis' question check list, and the check marks read back.
void DrawChecks(const QList<DQuesList::CheckItem>& items, QListWidget* list);
QList<bool> Checks(const QListWidget* list);
void DrawListBar(const DQuesList& questions, QListWidget* list);
void DrawListTar(const DQuesList& questions, QListWidget* list);
void DrawListMet(const DQuesList& questions, QListWidget* list);
void DrawListSoc(const DQuesList& questions, QListWidget* list, bool acceptance);
void GraphBarSelected(DQuesList& questions, const QListWidget* list);
void GraphTarSelected(DQuesList& questions, const QListWidget* list);
void GraphMetSelected(DQuesList& questions, const QListWidget* list);
void GraphSocSelected(DQuesList& questions, const QListWidget* list, bool acceptance);

// Subjects grids: row 0 and column 0 are the fixed header, held as cells;
// row 0 is left to the page, row i is subject i. Every grid fill gives the
// columns their starting widths, except those the user dragged. The summary column of the
// answers page comes from the choice matrix.
void DrawListAll(const DSubjList& subjects, TGrid* grid);
void DrawListSel(const DSubjList& subjects, const DDesi& desi, TGrid* grid);
// "None" and the full names of the offered subjects in their order, for
// picking a chosen subject; each entry carries its subject's number (0 for
// "None"), and one that cannot be picked is greyed with the reason.
void DrawAppels(const DSubjList& subjects, const QList<DAnswPick::Offer>& offers, QComboBox* combo, bool surnameFirst);
// Height of a single-line edit box in the widget's font: the row height.
int RowHeight(const QWidget* widget);
// The name formats, the first selected.
void DrawAppeTypes(QComboBox* combo);

// The answers of one subject; row 0 and column 0 are the fixed header, the
// rows named by their questions' texts (the whole text in the row's tip).
void DrawAnswers(const DSubjElemAnswList& answers, qint32 subject, const DQuesList& questions, TGrid* grid);

// The order of names as two radio buttons of one group.
void DrawSubjSort(const DAnswSubjSort& sort, QRadioButton* surnameName, QRadioButton* nameSurname);
void UpdateSubjSort(DAnswSubjSort& sort, const QRadioButton* surnameName);

// An analysis option as a drop-down list: its texts, the stored value
// selected (a value outside the list selects nothing). Update stores the
// selected index as the user's change; no selection changes nothing.
void DrawOption(const DGraphOption& option, QComboBox* combo);
void UpdateOption(DGraphOption& option, const QComboBox* combo);

// The sociogram's size as two edit fields. Each field is checked and stored
// on its own, so a refused height keeps the width accepted before it; the
// refused field takes the focus.
void DrawSize(const DGraphSocSize& size, QLineEdit* width, QLineEdit* height);
void UpdateSize(DGraphSocSize& size, QLineEdit* width, QLineEdit* height);
} // namespace DViews
