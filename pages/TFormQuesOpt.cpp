#include "pages/TFormQuesOpt.h"
#include "kit/DMessages.h"
#include "pages/commands/DCommandWhole.h"

#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormQuesOpt::TFormQuesOpt(DTest& test, DLanguage& language, TFormPage& page, QWidget* parent)
    : TFormDialog(language, "FormQuesOpt", parent), test_(test), page_(page)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(192, 137);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The labelled edit field: label just above the edit at (15, 32).
    auto* top = new QWidget(this);
    auto* field = new QVBoxLayout(top);
    field->setContentsMargins(15, 16, 15, 0);
    field->setSpacing(3);
    QuesNumLb = new QLabel(top);
    QuesNumLb->setObjectName(QStringLiteral("QuesNumLb"));
    QuesNumLb->setFixedHeight(13);
    QuesNumLe = new QLineEdit(top);
    QuesNumLe->setObjectName(QStringLiteral("QuesNumLe"));
    QuesNumLe->setFixedSize(121, 21);
    QuesNumLb->setBuddy(QuesNumLe);
    field->addWidget(QuesNumLb);
    field->addWidget(QuesNumLe);
    field->addStretch(1);
    layout->addWidget(top, 1);

    // The button band, 61 high, buttons 19 from its top and 17 from the left.
    AddButtonBand(layout, 61, QMargins(17, 19, 18, 17), 6, 76);
    CancelB->setAutoDefault(false);
}

void TFormQuesOpt::FormShow()
{
    DMessages::Handle(language_, "TFormQuesOpt::FormShow()",
                      [&]
                      {
                          setWindowTitle(language_.GetStr(11500));
                          QuesNumLb->setText(language_.GetStr(11510));
                          const QString hint = language_.GetStr(11520);
                          QuesNumLb->setToolTip(hint);
                          QuesNumLe->setToolTip(hint);
                          QuesNumLe->setText(QString::number(test_.ques.List().GetSize()));
                          QuesNumLe->selectAll();
                          QuesNumLe->setFocus();
                      });
}

void TFormQuesOpt::OkBbClick()
{
    bool accepted = false;
    DMessages::Handle(language_, "TFormQuesOpt::OkBbClick()",
                      [&]
                      {
                          const DDataLoss loss = DDataLoss::QuestionCount(test_, QuesNumLe->text());
                          if (!DMessages::Confirm(language_, loss.Question()))
                              return;
                          DCommandWhole::Run(
                              test_, 26120, [&] { test_.ques.List().SetSize(QuesNumLe->text()); }, page_.Pusher());
                          accepted = true;
                      });
    if (!accepted)
    {
        // Nothing changed: the user corrects the number where it was typed.
        QuesNumLe->setFocus();
        QuesNumLe->selectAll();
        return;
    }
    // The number is taken; a failed redraw is shown but does not keep the
    // dialog open over a change already made.
    DMessages::Handle(language_, "TFormQuesOpt::OkBbClick()", [&] { page_.Draw(); });
    accept();
}
