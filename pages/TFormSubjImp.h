#pragma once

#include "kit/TFormDialog.h"

class DLanguage;
class DTest;
class QComboBox;
class QGroupBox;
class QPlainTextEdit;

// The dialog in which the user pastes or types the names of the subjects,
// one subject a line, and picks the format of the lines.
class TFormSubjImp : public TFormDialog
{
    Q_OBJECT
public:
    TFormSubjImp(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    // Texts, the first format and the clipboard's text; called each time
    // before the dialog opens.
    void FormShow();
    // Imports the lines (DNamesImport: each name keeps its subject) and
    // closes with OK. A text that cannot be imported, or a question answered
    // other than Yes, changes nothing and keeps the dialog open.
    void OkBbClick() override;

    QGroupBox* NamesGb = nullptr;
    QPlainTextEdit* NamesMm = nullptr;
    QGroupBox* OrderGb = nullptr;
    QComboBox* OrderCb = nullptr;

private:
    DTest& test_;
};
