#pragma once

#include "analyses/DGroupProblem.h"
#include "analyses/DGroupSettings.h"
#include "analyses/DGroupSolver.h"
#include "kit/DPrintPreview.h"
#include "kit/TFormDialog.h"
#include "pages/TFormCsvOpt.h"

#include <functional>
#include <optional>

class DTest;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;

// The working-groups dialog: the settings of the grouping (stored with the
// test when the user proposes or confirms), the proposal as a list with each
// subject's fulfilled choices and conflicts, "try another", copy and print as
// text and export as comma-separated text.
class TFormGroups : public TFormDialog
{
    Q_OBJECT
public:
    TFormGroups(DTest& test, DLanguage& language, QWidget* parent = nullptr, QWidget* centreOn = nullptr);

    // Texts and the settings stored with the test; called each time before
    // the dialog opens. The proposal of an earlier opening is cleared.
    void FormShow();
    // Stores the settings and closes.
    void OkBbClick() override;

    // Stores the settings and shows the best proposal.
    void ProposeBtClick();
    // The next-best different proposal for the same settings.
    void AnotherBtClick();
    void CopyBtClick();
    // The proposal shown, as text in the print preview, under a heading
    // that names the class, the date and the settings.
    void PrintBtClick();
    // Asks for a file and writes the proposal shown into it.
    void ExportBtClick();
    // Adds the pair of the two subject combo boxes, or removes the selected.
    void TogetherBtClick();
    void ApartBtClick();
    void RemoveBtClick();

    // The save dialog of the export (an empty path means the user
    // cancelled) and the run of its options dialog (false when cancelled).
    // Tests replace them so that nothing modal is shown.
    using PathDialog = std::function<QString()>;
    // How the sociogram is drawn again when the groups it colours change:
    // while a proposal is shown, and when the dialog closes.
    void SetShowGroups(std::function<void()> redraw) { showGroups_ = std::move(redraw); }
    void SetSaveDialog(PathDialog dialog) { csvDialogs_.path = std::move(dialog); }
    void SetCsvOptionsDialog(std::function<bool(TFormCsvOpt&)> dialog) { csvDialogs_.options = std::move(dialog); }
    void SetPrintDialog(DPrintPreview::Dialog dialog) { printDialog_ = std::move(dialog); }

    QGroupBox* SizeGb = nullptr;
    QRadioButton* CountRb = nullptr;
    QRadioButton* SizeRb = nullptr;
    QSpinBox* ValueEd = nullptr;
    QCheckBox* BalanceCb = nullptr;
    QGroupBox* QuesGb = nullptr;
    QListWidget* QuesLb = nullptr;
    QGroupBox* PairsGb = nullptr;
    QComboBox* FirstCb = nullptr;
    QComboBox* SecondCb = nullptr;
    QPushButton* TogetherBt = nullptr;
    QPushButton* ApartBt = nullptr;
    QListWidget* PairsLb = nullptr;
    QPushButton* RemoveBt = nullptr;
    QPushButton* ProposeBt = nullptr;
    QPushButton* AnotherBt = nullptr;
    QPushButton* CopyBt = nullptr;
    QPushButton* PrintBt = nullptr;
    QPushButton* ExportBt = nullptr;
    QPlainTextEdit* ResultEd = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;

private:
    // Colours the groups of the proposal shown on the sociogram, or none.
    void ColourGroups(bool shown);
    DGroupSettings ReadSettings() const;
    void DrawPairs();
    void AddPair(bool together);
    void Show(qint32 index);

    DTest& test_;
    TFormCsvOpt::Dialogs csvDialogs_;
    DPrintPreview::Dialog printDialog_;
    std::vector<DGroupSettings::Pair> together_;
    std::vector<DGroupSettings::Pair> apart_;
    std::optional<DGroupProblem> problem_;
    // What the proposal shown was made with.
    DGroupSettings settings_;
    DGroupProposal proposal_;
    qint32 index_ = 0;
    std::function<void()> showGroups_;
};
