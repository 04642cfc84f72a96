#include "pages/TFormDesiOpt.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"
#include "pages/commands/DCommandValue.h"
#include "pages/commands/DCommandWhole.h"

#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "pages/TFormDesi.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShowEvent>
#include <QVBoxLayout>

TFormDesiOpt::TFormDesiOpt(DTest& test, DLanguage& language, TFormDesi& page, QWidget* parent)
    : TFormDialog(language, "FormDesiOpt", parent), test_(test), page_(page)
{
    setModal(true);
    setFixedSize(249, 231);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* body = new QWidget(this);
    auto* fields = new QVBoxLayout(body);
    fields->setContentsMargins(12, 14, 16, 0);
    fields->setSpacing(3);
    AnswNumLb = new QLabel(body);
    AnswNumLb->setObjectName(QStringLiteral("AnswNumLb"));
    AnswNumLe = new QLineEdit(body);
    AnswNumLe->setObjectName(QStringLiteral("AnswNumLe"));
    AnswNumLe->setFixedWidth(121);
    AnswNumLb->setBuddy(AnswNumLe);
    fields->addWidget(AnswNumLb);
    fields->addWidget(AnswNumLe, 0, Qt::AlignLeft);
    fields->addSpacing(16);

    SelGb = new QGroupBox(body);
    SelGb->setObjectName(QStringLiteral("SelGb"));
    SelGb->setFixedSize(221, 81);
    auto* choices = new QVBoxLayout(SelGb);
    choices->setContentsMargins(10, 8, 8, 8);
    choices->setSpacing(6);
    SelSurNamRb = new QRadioButton(SelGb);
    SelSurNamRb->setObjectName(QStringLiteral("SelSurNamRb"));
    SelNamSurRb = new QRadioButton(SelGb);
    SelNamSurRb->setObjectName(QStringLiteral("SelNamSurRb"));
    choices->addWidget(SelSurNamRb);
    choices->addWidget(SelNamSurRb);
    fields->addWidget(SelGb, 0, Qt::AlignLeft);
    fields->addStretch(1);
    layout->addWidget(body, 1);

    AddButtonBand(layout, 60, QMargins(0, 19, 0, 16), 6, 76);
}

void TFormDesiOpt::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TFormDesiOpt::FormShow()
{
    DMessages::Handle(language_, "TFormDesiOpt::FormShow()",
                      [&]
                      {
                          setWindowTitle(language_.GetStr(15020));
                          AnswNumLb->setText(language_.GetStr(15000));
                          const QString numberHint = language_.GetStr(15010);
                          AnswNumLb->setToolTip(numberHint);
                          AnswNumLe->setToolTip(numberHint);
                          SelGb->setTitle(language_.GetStr(15030));
                          SelGb->setToolTip(language_.GetStr(15040));
                          SelSurNamRb->setText(language_.GetStr(15050));
                          SelNamSurRb->setText(language_.GetStr(15060));
                          AnswNumLe->setText(QString::number(test_.answ.num.GetValue()));
                          DViews::DrawSubjSort(test_.answ.subjSort, SelSurNamRb, SelNamSurRb);
                          AnswNumLe->setFocus();
                          AnswNumLe->selectAll();
                      });
}

void TFormDesiOpt::OkBbClick()
{
    // Asked before either setting is applied, so that "no" leaves both as they were.
    bool goOn = false;
    DMessages::Handle(
        language_, "TFormDesiOpt::OkBbClick()",
        [&] { goOn = DMessages::Confirm(language_, DDataLoss::AnswerCount(test_, AnswNumLe->text()).Question()); });
    if (!goOn)
    {
        AnswNumLe->setFocus();
        AnswNumLe->selectAll();
        return;
    }
    // Both settings are applied whatever happens to the other one, so a
    // mistyped number does not lose the name order chosen with it.
    bool numberStored = false;
    DMessages::Handle(language_, "TFormDesiOpt::OkBbClick()",
                      [&]
                      {
                          DCommandWhole::Run(
                              test_, 26310, [&] { test_.answ.num.SetFromText(AnswNumLe->text()); }, page_.Pusher());
                          page_.Draw();
                          numberStored = true;
                      });
    if (!numberStored)
    {
        AnswNumLe->setFocus();
        AnswNumLe->selectAll();
    }
    bool orderStored = false;
    DMessages::Handle(language_, "TFormDesiOpt::OkBbClick()",
                      [&]
                      {
                          const qint32 before = test_.answ.subjSort.GetValue();
                          DViews::UpdateSubjSort(test_.answ.subjSort, SelSurNamRb);
                          const qint32 after = test_.answ.subjSort.GetValue();
                          if (after != before)
                              page_.Push(new DCommandValue(test_, DCommandValue::Field::SubjSort, 0, before, after));
                          page_.Draw();
                          orderStored = true;
                      });
    if (numberStored && orderStored)
        accept();
}
