#pragma once

#include "answers/DFormImport.h"
#include "kit/TFormDialog.h"

#include <functional>
#include <memory>

class DTest;
class QGroupBox;
class QLineEdit;
class QProgressDialog;
class QPushButton;
class QStandardItemModel;
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
    // Imports the answers and closes; a refusal or a cancel keeps the dialog
    // open, the test as it was.
    void OkBbClick() override;
    // What the last import did, for the user; empty when none was made
    // since the dialog opened.
    const QString& Summary() const { return summary_; }

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
    // One row per name to resolve: where it is (the row and who answered in
    // it), the name, why, and a combo box of the subject it stands for (or
    // leaving it out); one row per subject who answered in several rows,
    // with a combo box of the row to keep.
    QTableWidget* NamesSg = nullptr;

private:
    void LoadFile(const QString& path);
    void DrawColumns();
    void DrawNames();
    void ViewTexts();
    void NameChange(const DFormImport::Name& name, int choice);
    // The progress of long work, in a bar with Cancel that shows only when
    // the work lasts.
    DFormImport::Progress ProgressOf(QProgressDialog& bar);

    DTest& test_;
    std::unique_ptr<DFormImport> form_;
    PathDialog openDialog_;
    QString summary_;
    // The names the grid shows, to tell whether a word of the user changed them.
    QList<DFormImport::Name> shown_;
    // The items every column's drop-down list shares, and those of every name
    // that matches no subject: the same long list, kept once.
    QStandardItemModel* holdsItems_ = nullptr;
    QStandardItemModel* subjectItems_ = nullptr;
};
