#pragma once

#include "analyses/DComparison.h"
#include "kit/DPrintPreview.h"
#include "kit/TFormDialog.h"
#include "pages/TFormCsvOpt.h"

#include <QString>

#include <functional>
#include <memory>

class DTest;
class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;
class QTableWidget;
class QTextDocument;

// The comparison of the current test with another of the same group: the
// table with the largest changes first, the subjects found in one test only,
// and the compared sociogram of either type; copy, print and export of the
// table. Neither test is changed.
class TFormCompare : public TFormDialog
{
    Q_OBJECT
public:
    TFormCompare(const DTest& test, DLanguage& language, QWidget* parent = nullptr, QWidget* centreOn = nullptr);
    ~TFormCompare() override;

    // Compares the current test with other (read from name) and shows the
    // result; the dialog keeps other until the next comparison. Raises the
    // comparison's EError and then shows nothing new.
    void FormShow(std::unique_ptr<DTest> other, const QString& name);

    void CopyBtClick();
    void PrintBtClick();
    void ExportBtClick();
    // Shows the compared sociogram of the type chosen.
    void TypeCbChange();

    // What is printed: the sentences, the table, the unmatched subjects and
    // the sociogram shown.
    void FillDocument(QTextDocument& document) const;

    // Tests replace the modal questions of the export and the preview.
    void SetCsvDialogs(TFormCsvOpt::Dialogs dialogs) { csvDialogs_ = std::move(dialogs); }
    void SetPrintDialog(DPrintPreview::Dialog dialog) { printDialog_ = std::move(dialog); }

    const DComparison& Comparison() const { return comparison_; }

    QLabel* SchemeSt = nullptr;
    QTableWidget* TableSg = nullptr;
    QLabel* UnmatchedSt = nullptr;
    QComboBox* TypeCb = nullptr;
    QLabel* TiesSt = nullptr;
    QScrollArea* PicturePn = nullptr;
    QLabel* PictureSt = nullptr;
    QPushButton* CopyBt = nullptr;
    QPushButton* PrintBt = nullptr;
    QPushButton* ExportBt = nullptr;

private:
    void ViewDesc();
    DComparison::Sociogram Type() const;

    const DTest& test_;
    std::unique_ptr<DTest> other_;
    QString otherName_;
    DComparison comparison_;
    TFormCsvOpt::Dialogs csvDialogs_;
    DPrintPreview::Dialog printDialog_;
};
