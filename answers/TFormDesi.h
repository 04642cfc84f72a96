#pragma once

#include "app/TFormPage.h"

#include <functional>

class DLanguage;
class DTest;
class TFormDesiOpt;
class TFormMain;
class QComboBox;
class QDialog;
class QSplitter;
class QTableWidget;
class QToolButton;

// The answers page: the subjects with how many answers each has given, and
// for the selected subject one row per question and one column per answer
// rank. A pick list floats over the current answer cell; picking a name in
// it stores the choice.
class TFormDesi : public TFormPage
{
    Q_OBJECT
public:
    TFormDesi(DTest& test, DLanguage& language, TFormMain& main, QWidget* parent = nullptr);

    void ViewDesc() override;
    void Draw() override;

    // Handlers, public so that tests can drive them as the user would.
    void FormShow();
    void SubjSgSelectCell(int row);
    void DesiSgClick();
    void AppelCbChange(int index);
    void OptionsSbClick();

    // The subject whose answers the lower grid shows: the current row of the
    // subject grid (the first subject while there is none).
    int CurrentSubject() const;
    // The options dialog is modal; tests replace its exec() to answer it
    // without a screen.
    using DialogExec = std::function<int(QDialog&)>;
    void SetDialogExec(DialogExec exec) { dialogExec_ = std::move(exec); }
    TFormDesiOpt* OptionsDialog() const { return optionsDialog_; }

    QToolButton* OptionsSb = nullptr;
    QSplitter* Splitter = nullptr;
    QTableWidget* SubjSg = nullptr;
    QTableWidget* DesiSg = nullptr;
    QComboBox* AppelCb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawDesi();
    void PlaceAppel();
    void MarkAppelIds();
    void PaintFixedCells();

    DTest& test_;
    DLanguage& language_;
    TFormMain& main_;
    TFormDesiOpt* optionsDialog_ = nullptr;
    DialogExec dialogExec_;
    // The subject the answers grid was last filled for; -1 before any.
    int shownSubjRow_ = -1;
};
