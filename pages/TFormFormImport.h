#pragma once

#include "answers/DFormImport.h"
#include "kit/TFormDialog.h"

#include <functional>
#include <memory>

class DTest;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

// The import of answers from an online form: the user picks the form's
// file, sees what each column holds (and changes it), says whom each name
// that fits no subject or several stands for, then imports. Nothing changes
// in the test before Import, and a refused import changes nothing.
class TFormFormImport : public TFormDialog
{
    Q_OBJECT
public:
    TFormFormImport(DTest& test, DLanguage& language, QWidget* parent = nullptr, QWidget* centreOn = nullptr);

    // Texts, and no form chosen yet; called each time before the dialog
    // opens, since the test may have changed since the last time.
    void FormShow();
    // Reads the chosen file; a file that cannot be read keeps what was shown.
    void ChooseBtClick();
    // Imports the answers and closes; a refusal keeps the dialog open.
    void OkBbClick() override;

    // The open dialog of the form's file; an empty path means the user
    // cancelled. Tests replace it so that no dialog is shown.
    using PathDialog = std::function<QString()>;
    void SetOpenDialog(PathDialog dialog) { openDialog_ = std::move(dialog); }

    QGroupBox* FileGb = nullptr;
    QLineEdit* FileEd = nullptr;
    QPushButton* ChooseBt = nullptr;
    QGroupBox* ColumnsGb = nullptr;
    // One row per column of the form: its header, its first row's cell and
    // a combo box of what it holds.
    QTableWidget* ColumnsSg = nullptr;
    QGroupBox* NamesGb = nullptr;
    // One row per name to resolve: the name, why, and a combo box of the
    // subject it stands for (or leaving its rows out).
    QTableWidget* NamesSg = nullptr;

private:
    void LoadFile(const QString& path);
    void DrawColumns();
    void DrawNames();
    void ViewTexts();

    DTest& test_;
    std::unique_ptr<DFormImport> form_;
    PathDialog openDialog_;
};
