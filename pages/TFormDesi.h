#pragma once

#include "kit/TFormPage.h"
#include "kit/TGrid.h"

class DLanguage;
class DTest;
class TFormDesiOpt;
class TFormHost;
class QComboBox;
class QSplitter;
class QToolButton;

// The answers page: the subjects with how many answers each has given, and
// for the selected subject one row per question and one column per answer
// rank. A pick list floats over the current answer cell; picking a name in
// it stores the choice.
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

    // The subject whose answers the lower grid shows: the current row of the
    // subject grid (the first subject while there is none).
    int CurrentSubject() const;
    TFormDesiOpt* OptionsDialog() const { return optionsDialog_; }

    QToolButton* OptionsSb = nullptr;
    QSplitter* Splitter = nullptr;
    TGrid* SubjSg = nullptr;
    TGrid* DesiSg = nullptr;
    QComboBox* AppelCb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void DrawDesi();
    void PlaceAppel();
    void MarkAppelIds();

    DTest& test_;
    DLanguage& language_;
    TFormHost& main_;
    TFormDesiOpt* optionsDialog_ = nullptr;
    // The subject the answers grid was last filled for; -1 before any.
    int shownSubjRow_ = -1;
};
