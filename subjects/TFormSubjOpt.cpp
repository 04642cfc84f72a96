#include "subjects/TFormSubjOpt.h"

#include "app/DFonts.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjList.h"

#include <QCoreApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSubjOpt::TFormSubjOpt(DSubjList& list, DLanguage& language, QWidget* parent)
    : QDialog(parent), list_(list), language_(language)
{
    setObjectName(QStringLiteral("FormSubjOpt"));
    setFont(QFont(DFonts::Family(), 8));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    NumSt = new QLabel(this);
    NumSt->setObjectName(QStringLiteral("NumSt"));
    NumLe = new QLineEdit(this);
    NumLe->setObjectName(QStringLiteral("NumLe"));
    NumLe->setFixedSize(121, 21);
    NumSt->setFixedHeight(13);
    NumSt->setBuddy(NumLe);

    // The string table has no texts for these two: they are the toolkit's
    // own, translated along with its other standard buttons.
    OkBb = new QPushButton(QCoreApplication::translate("QPlatformTheme", "OK"), this);
    OkBb->setObjectName(QStringLiteral("OkBb"));
    OkBb->setFixedSize(75, 25);
    OkBb->setDefault(true);
    CancelB = new QPushButton(QCoreApplication::translate("QPlatformTheme", "Cancel"), this);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setFixedSize(75, 25);
    CancelB->setAutoDefault(false);
    connect(OkBb, &QPushButton::clicked, this, &TFormSubjOpt::OkBbClick);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(3);
    layout->addWidget(NumSt);
    layout->addWidget(NumLe);
    layout->addStretch(1);
    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(6);
    buttons->addStretch(1);
    buttons->addWidget(OkBb);
    buttons->addWidget(CancelB);
    buttons->addStretch(1);
    layout->addLayout(buttons);

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
    language_.Handle("TFormSubjOpt::OkBbClick()",
                     [&]
                     {
                         const QString text = NumLe->text();
                         // Fewer subjects take the last ones away with their names and
                         // answers: only on the user's word. A refused number is left to
                         // SetSize, which reports the range.
                         bool isNumber = false;
                         const int n = text.trimmed().toInt(&isNumber);
                         if (isNumber && n >= DSubjList::kMinSubjects && n < list_.GetSize() &&
                             language_.ShowQuestion(40010) != QMessageBox::Yes)
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
