#pragma once

#include "kit/TFormPage.h"
#include "kit/TGrid.h"

#include <QString>

class DLanguage;
class DQuesList;
class DTest;
class TFormHost;
class TFormQuesOpt;
class QGroupBox;
class QLabel;
class QToolButton;

// The questions page: the question list in a grid whose text column is
// edited in place, Space or a click in the type column toggling the polarity, the
// summary line above it, the options dialog and the import of the questions
// of another test file.
class TFormQues : public TFormPage
{
    Q_OBJECT
public:
    TFormQues(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent = nullptr);

    void ViewDesc() override;
    void Draw() override;

    // Event handlers, public so that they can be driven without a screen.
    void FormShow();
    // Space or a click on a cell: one of the type column toggles that
    // question's polarity.
    void StringGridToggle(int column, int row);
    // Stores the text of the current text cell into its question.
    void StringGridKeyUp();
    // A text cell left with a text other than it had: one step.
    void StringGridCellEdited(int row, const QString& before, const QString& after);
    // Viewport coordinates of the pointer over the grid.
    void StringGridMouseMove(int x, int y);
    void ImportSbClick();
    void OptionsSbClick();

    // Grid columns; row 0 and column 0 stand for the fixed header row and
    // column.
    static constexpr int kNumberColumn = 0;
    static constexpr int kTypeColumn = 1;
    static constexpr int kTextColumn = 2;

    QToolButton* OptionsSb = nullptr;
    QToolButton* ImportSb = nullptr;
    QGroupBox* SumGb = nullptr;
    QLabel* SumQuesSt = nullptr;
    TGrid* StringGrid = nullptr;
    TFormQuesOpt* FormQuesOpt = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DQuesList& List();
    void SetRowHeights();

    DTest& test_;
    DLanguage& language_;
    TFormHost& main_;
    // The cell text last stored into a question.
    QString text_;
};
