#include "pages/TFormSubjOpt.h"
#include "kit/DMessages.h"

#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjList.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSubjOpt::TFormSubjOpt(DTest& test, DLanguage& language, QWidget* parent)
    : TFormDialog(language, "FormSubjOpt", parent), test_(test), list_(test.subj.List())
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* top = new QWidget(this);
    auto* field = new QVBoxLayout(top);
    field->setContentsMargins(24, 16, 24, 0);
    field->setSpacing(3);
    NumSt = new QLabel(top);
    NumSt->setObjectName(QStringLiteral("NumSt"));
    NumLe = new QLineEdit(top);
    NumLe->setObjectName(QStringLiteral("NumLe"));
    NumLe->setFixedSize(121, 21);
    NumSt->setFixedHeight(13);
    NumSt->setBuddy(NumLe);
    field->addWidget(NumSt);
    field->addWidget(NumLe);
    field->addStretch(1);
    layout->addWidget(top, 1);

    // The buttons 16 pixels above the bottom edge.
    AddButtonBand(layout, 60, QMargins(24, 19, 24, 16), 6, 75);
    CancelB->setAutoDefault(false);

    setFixedSize(205, 136);
}

void TFormSubjOpt::FormShow()
{
    setWindowTitle(language_.GetStr(12500));
    NumSt->setText(language_.GetStr(12510));
    NumSt->setToolTip(language_.GetStr(12520));
    NumLe->setToolTip(language_.GetStr(12520));
    NumLe->setText(QString::number(list_.GetSize()));
    NumLe->selectAll();
    NumLe->setFocus();
}

void TFormSubjOpt::OkBbClick()
{
    bool applied = false;
    DMessages::Handle(language_, "TFormSubjOpt::OkBbClick()",
                      [&]
                      {
                          const QString text = NumLe->text();
                          // Fewer subjects take the last ones away with their names and
                          // answers: only on the user's word. A refused number is left to
                          // SetSize, which reports the range.
                          if (!DMessages::Confirm(language_, DDataLoss::SubjectCount(test_, text).Question()))
                              return;
                          list_.SetSize(text);
                          applied = true;
                      });
    if (applied)
    {
        accept();
        return;
    }
    NumLe->setFocus();
    NumLe->selectAll();
}
