#pragma once

#include <QDialog>

class DLanguage;
class DTest;
class TFormPage;
class QLabel;
class QLineEdit;
class QPushButton;

// The questions options dialog: the number of questions of the test.
// Created once and shown modally by the questions page.
class TFormQuesOpt : public QDialog
{
    Q_OBJECT
public:
    // page is the questions page, redrawn after an accepted change.
    TFormQuesOpt(DTest& test, DLanguage& language, TFormPage& page, QWidget* parent = nullptr);

    // Texts and the current number, before every showing.
    void FormShow();
    // Accepts the number and closes, or shows why not and stays open.
    void OkBbClick();

    QLabel* QuesNumLb = nullptr;
    QLineEdit* QuesNumLe = nullptr;
    QPushButton* OkBb = nullptr;
    QPushButton* CancelB = nullptr;

private:
    DTest& test_;
    DLanguage& language_;
    TFormPage& page_;
};
