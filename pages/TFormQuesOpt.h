#pragma once

#include "kit/TFormDialog.h"

class DLanguage;
class DTest;
class TFormPage;
class QLabel;
class QLineEdit;

// The questions options dialog: the number of questions of the test.
// Created once and shown modally by the questions page.
class TFormQuesOpt : public TFormDialog
{
    Q_OBJECT
public:
    // page is the questions page, redrawn after an accepted change.
    TFormQuesOpt(DTest& test, DLanguage& language, TFormPage& page, QWidget* parent = nullptr);

    // Texts and the current number, before every showing.
    void FormShow();
    // Accepts the number and closes, or shows why not and stays open.
    void OkBbClick() override;

    QLabel* QuesNumLb = nullptr;
    QLineEdit* QuesNumLe = nullptr;

private:
    DTest& test_;
    TFormPage& page_;
};
