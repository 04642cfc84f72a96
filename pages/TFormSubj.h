#pragma once

#include "kit/TFormPage.h"
#include "kit/TGrid.h"

class DLanguage;
class DSubjList;
class DTest;
class QGroupBox;
class QLabel;
class QLineEdit;
class QToolButton;
class TFormHost;
class TFormSubjImp;
class TFormSubjOpt;

// The subjects page: the description of the group, its summary and the grid
// in which the user types each subject's surname, name and note and toggles
// the sex. Every change goes straight into the test document.
class TFormSubj : public TFormPage
{
    Q_OBJECT
public:
    TFormSubj(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent = nullptr);
    ~TFormSubj() override;

    void ViewDesc() override;
    void Draw() override;
    // The grid's open cell and the description typed so far, each one step.
    void CommitEdits() override;

    // Event handlers, public so that tests can drive them as the user would.
    void FormShow();
    void DscEdChange();
    // Space or a click on a cell: one of the sex column toggles the sex.
    void StringGridToggle(int column, int row);
    // Stores the text of the current cell (surname, name or note) into its
    // subject; runs with every key typed in the cell.
    void StringGridKeyUp();
    // A cell left with a text other than it had: one step.
    void StringGridCellEdited(int column, int row, const QString& before, const QString& after);
    // Viewport coordinates of the pointer over the grid.
    void StringGridMouseMove(int x, int y);
    void ImpFileSbClick();
    void ImpClipSbClick();
    void OptionsSbClick();

    // Grid columns.
    enum Column
    {
        ColNumber = 0,
        ColSurname = 1,
        ColName = 2,
        ColSex = 3,
        ColNote = 4
    };

    QToolButton* OptionsSb = nullptr;
    QToolButton* ImpFileSb = nullptr;
    QToolButton* ImpClipSb = nullptr;
    QGroupBox* SumGb = nullptr;
    QLabel* SumSt = nullptr;
    QGroupBox* DscGb = nullptr;
    QLineEdit* DscEd = nullptr;
    TGrid* StringGrid = nullptr;
    TFormSubjOpt* FormSubjOpt = nullptr;
    TFormSubjImp* FormSubjImp = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DSubjList& List();
    // The texts of the header row and the look of the fixed cells.
    void DressHeader();

    DTest& test_;
    DLanguage& language_;
    TFormHost& main_;
    // The description is being typed in; its text before the typing began.
    bool dscEditing_ = false;
    QString dscBefore_;
};
