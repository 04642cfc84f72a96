#pragma once

#include "app/TFormPage.h"

#include <QString>

#include <functional>

class DLanguage;
class DQuesList;
class DTest;
class TFormMain;
class TFormQuesGrid;
class TFormQuesOpt;
class QDialog;
class QGroupBox;
class QLabel;
class QTableWidget;
class QToolButton;

// The questions page: the question list in a grid whose text column is
// edited in place, a click in the type column toggling the polarity, the
// summary line above it, the options dialog and the import of the questions
// of another test file.
class TFormQues : public TFormPage
{
    Q_OBJECT
public:
    TFormQues(DTest& test, DLanguage& language, TFormMain& main, QWidget* parent = nullptr);

    void ViewDesc() override;
    void Draw() override;

    // Event handlers, public so that they can be driven without a screen.
    void FormShow();
    // Whether the grid's cursor may move to the cell; a cell of the type
    // column is refused and toggles that question's polarity instead.
    bool StringGridSelectCell(int column, int row);
    // Stores the text of the current text cell into its question.
    void StringGridKeyUp();
    // Viewport coordinates of the pointer over the grid.
    void StringGridMouseMove(int x, int y);
    void ImportSbClick();
    void OptionsSbClick();

    // How the options dialog is run: exec() unless a test replaces it.
    using DialogExec = std::function<int(QDialog&)>;
    void SetDialogExec(DialogExec exec) { dialogExec_ = std::move(exec); }

    // Grid columns; row 0 and column 0 stand for the fixed header row and
    // column.
    static constexpr int kNumberColumn = 0;
    static constexpr int kTypeColumn = 1;
    static constexpr int kTextColumn = 2;

    QToolButton* OptionsSb = nullptr;
    QToolButton* ImportSb = nullptr;
    QGroupBox* SumGb = nullptr;
    QLabel* SumQuesSt = nullptr;
    QTableWidget* StringGrid = nullptr;
    TFormQuesOpt* FormQuesOpt = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DQuesList& List();
    // Makes the fixed cells look fixed and only the text cells editable.
    void DressCells();
    void SetRowHeights();
    // Ends an edit in progress without storing it, so that a redraw is not
    // overwritten by the editor's old text.
    void CancelEdit();
    // Shows the editor on the current text cell, which stays open while the
    // cursor is there.
    void ShowEditor();

    TFormQuesGrid* grid_ = nullptr;
    DTest& test_;
    DLanguage& language_;
    TFormMain& main_;
    DialogExec dialogExec_;
    // The cell text last stored into a question.
    QString text_;
};
