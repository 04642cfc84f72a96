#pragma once

#include "kit/TFormDialog.h"

class DLanguage;
class DTest;
class TFormDesi;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

// The answers options: the number of answers for each question and the
// order of the names in the answers page's pick list.
class TFormDesiOpt : public TFormDialog
{
    Q_OBJECT
public:
    TFormDesiOpt(DTest& test, DLanguage& language, TFormDesi& page, QWidget* parent = nullptr);

    // Texts and the current settings; run on every show.
    void FormShow();
    // Stores both settings; the dialog closes only when neither failed.
    void OkBbClick() override;

    QLabel* AnswNumLb = nullptr;
    QLineEdit* AnswNumLe = nullptr;
    QGroupBox* SelGb = nullptr;
    QRadioButton* SelSurNamRb = nullptr;
    QRadioButton* SelNamSurRb = nullptr;

protected:
    void showEvent(QShowEvent* event) override;

private:
    DTest& test_;
    TFormDesi& page_;
};
