#pragma once

#include "answers/DAnswPick.h"
#include "kit/TFormPage.h"
#include "kit/TGrid.h"

class DLanguage;
class DTest;
class TFormDesiOpt;
class TFormHost;
class QComboBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QListWidget;
class QSplitter;
class QToolButton;

// The answers page: the subjects with how many answers each has given, and
// for the selected subject, named in a caption, one row per question and one
// column per answer rank. A pick list floats over the current answer cell;
// picking a name in it stores the choice. Nobody may choose themselves or
// the same classmate twice in a question (DAnswPick::Check): the pick list
// never offers the one who answers and greys a classmate already chosen.
//
// The keyboard works the grid as a spreadsheet: arrows, Page keys and the
// wheel only move; typing a number or the first letters of a name opens a
// field over the cell with the subjects it may stand for, and Enter stores
// the first (or the one chosen with the arrows) and moves on to the next
// answer; what cannot be entered is said in the list and Enter leaves it.
// Delete clears an answer; Ctrl+C and Ctrl+V copy and paste blocks. Enter on
// the subject grid goes to that subject's first answer.
class TFormDesi : public TFormPage
{
    Q_OBJECT
public:
    TFormDesi(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent = nullptr);

    void ViewDesc() override;
    void Draw() override;

    // Handlers, public so that tests can drive them as the user would.
    void FormShow();
    void SubjSgSelectCell(int row);
    void DesiSgClick();
    void AppelCbChange(int index);
    void OptionsSbClick();
    // Answers typed, cleared, copied and pasted from the keyboard.
    void AppelLeChange();
    void AppelLeEnter();
    void ClearAnswer();
    void CopyAnswers();
    void PasteAnswers();

    // The subject whose answers the lower grid shows: the current row of the
    // subject grid (the first subject while there is none).
    int CurrentSubject() const;
    TFormDesiOpt* OptionsDialog() const { return optionsDialog_; }

    QToolButton* OptionsSb = nullptr;
    QSplitter* Splitter = nullptr;
    TGrid* SubjSg = nullptr;
    // Whose answers the grid below shows.
    QLabel* SubjSt = nullptr;
    TGrid* DesiSg = nullptr;
    QComboBox* AppelCb = nullptr;
    // The field over the current cell while a name or number is typed, and
    // the subjects it may stand for.
    QLineEdit* AppelLe = nullptr;
    QListWidget* AppelLb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawDesi();
    void PlaceAppel();
    // Gives the answers the height their questions need and the subjects
    // the rest, until the user drags the border between them.
    void FitSplitter();
    // Keys on the answers grid (or the pick list over it); true when taken.
    bool DesiKey(QKeyEvent* key);
    bool AppelLeKey(QKeyEvent* key);
    void StartTyping(const QString& text);
    void StopTyping();
    // Moves the typed list's cursor to the first entry that can be entered
    // from row on, in the direction step.
    void MoveTypedRow(int row, int step);
    // Stores a choice in the current cell of the current subject as one
    // step and shows it; a choice DAnswPick::Check refuses raises instead.
    void StoreAnswer(qint32 value);
    // Where the current cell takes its choice: who answers, and the answers
    // of its question.
    DAnswPick::Place CurrentPlace() const;
    // The next answer cell after the current one: the next rank, the next
    // question, then the next subject's first answer.
    void Advance();

    DTest& test_;
    DLanguage& language_;
    TFormHost& main_;
    TFormDesiOpt* optionsDialog_ = nullptr;
    // The subject the answers grid was last filled for; -1 before any.
    int shownSubjRow_ = -1;
    bool userSplit_ = false;
};
