#pragma once

#include "kit/TFormDialog.h"

class DLanguage;
class DSubjList;
class DTest;
class QLabel;
class QLineEdit;

// The subjects options dialog: the number of subjects of the test.
class TFormSubjOpt : public TFormDialog
{
    Q_OBJECT
public:
    TFormSubjOpt(DTest& test, DLanguage& language, QWidget* parent = nullptr);

    // Texts and the current number; called each time before the dialog opens.
    void FormShow();
    // Applies the number and closes with OK; a refused number keeps the
    // dialog open with the focus on the number.
    void OkBbClick() override;

    QLabel* NumSt = nullptr;
    QLineEdit* NumLe = nullptr;

private:
    DTest& test_;
    DSubjList& list_;
};
