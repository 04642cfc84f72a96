#pragma once

#include "kit/TFormPage.h"
#include "kit/TGrid.h"

class DLanguage;
class DTest;
class TFormDesiOpt;
class TFormHost;
class QComboBox;
class QKeyEvent;
class QLineEdit;
class QListWidget;
class QSplitter;
class QToolButton;

// The answers page: the subjects with how many answers each has given, and
// for the selected subject one row per question and one column per answer
// rank. A pick list floats over the current answer cell; picking a name in
// it stores the choice.
//
// The keyboard works the grid as a spreadsheet: arrows, Page keys and the
// wheel only move; typing a number or the first letters of a name opens a
// field over the cell with the subjects it may stand for, and Enter stores
// the first (or the one chosen with the arrows) and moves on to the next
// answer. Delete clears an answer; Ctrl+C and Ctrl+V copy and paste blocks.
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
    TGrid* DesiSg = nullptr;
    QComboBox* AppelCb = nullptr;
    // The field over the current cell while a name or number is typed, and
    // the subjects it may stand for.
    QLineEdit* AppelLe = nullptr;
    QListWidget* AppelLb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawDesi();
    void PlaceAppel();
    void MarkAppelIds();
    // Keys on the answers grid (or the pick list over it); true when taken.
    bool DesiKey(QKeyEvent* key);
    bool AppelLeKey(QKeyEvent* key);
    void StartTyping(const QString& text);
    void StopTyping();
    // Stores a choice in the current cell of the current subject as one
    // step and shows it.
    void StoreAnswer(qint32 value);
    // The next answer cell after the current one: the next rank, the next
    // question, then the next subject's first answer.
    void Advance();

    DTest& test_;
    DLanguage& language_;
    TFormHost& main_;
    TFormDesiOpt* optionsDialog_ = nullptr;
    // The subject the answers grid was last filled for; -1 before any.
    int shownSubjRow_ = -1;
};
