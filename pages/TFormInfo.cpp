#include "pages/TFormInfo.h"
#include "kit/DMessages.h"

#include "lang/DLanguage.h"

#include <QDesktopServices>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace
{
constexpr int kWidth = 349;
constexpr int kHeight = 400;
constexpr int kButtonPanelHeight = 61;
} // namespace

QStringList TFormInfo::Thanks()
{
    return {QStringLiteral("Marta Ferraris"), QStringLiteral("Daniel Okafor"), QStringLiteral("Elena Rossetti")};
}

TFormInfo::TFormInfo(DLanguage& language, QWidget& main, QWidget* parent)
    : TFormDialog(language, "FormInfo", parent, &main),
      urlOpener_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setModal(true);
    setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // Three boxes 313 pixels wide, 16 pixels from the left, stacked from 16
    // pixels down with gaps of 15 and 14 pixels.
    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(16, 16, 20, 19);
    clientLayout->setSpacing(0);

    GroupBox1 = new QGroupBox(client);
    GroupBox1->setObjectName(QStringLiteral("GroupBox1"));
    GroupBox1->setFixedHeight(49);
    auto* versLayout = new QHBoxLayout(GroupBox1);
    versLayout->setSpacing(8);
    VersSt = new QLabel(GroupBox1);
    VersSt->setObjectName(QStringLiteral("VersSt"));
    DateSt = new QLabel(GroupBox1);
    DateSt->setObjectName(QStringLiteral("DateSt"));
    for (QLabel* label : {VersSt, DateSt})
    {
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setFixedHeight(17);
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    }
    // Each text keeps its full width: the substitute font is wider than the
    // one the 137 and 133 pixel fields were measured for.
    versLayout->addWidget(VersSt, 1);
    versLayout->addWidget(DateSt, 1);
    clientLayout->addWidget(GroupBox1);
    clientLayout->addSpacing(15);

    ThanksGb = new QGroupBox(client);
    ThanksGb->setObjectName(QStringLiteral("ThanksGb"));
    ThanksGb->setFixedHeight(137);
    auto* thanksLayout = new QVBoxLayout(ThanksGb);
    ThanksMm = new QPlainTextEdit(ThanksGb);
    ThanksMm->setObjectName(QStringLiteral("ThanksMm"));
    ThanksMm->setReadOnly(true);
    ThanksMm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ThanksMm->setLineWrapMode(QPlainTextEdit::NoWrap);
    thanksLayout->addWidget(ThanksMm);
    clientLayout->addWidget(ThanksGb);
    clientLayout->addSpacing(14);

    EmailGb = new QGroupBox(client);
    EmailGb->setObjectName(QStringLiteral("EmailGb"));
    EmailGb->setFixedHeight(89);
    auto* emailLayout = new QVBoxLayout(EmailGb);
    emailLayout->setSpacing(0);
    EmailSt = new QLabel(EmailGb);
    EmailSt->setObjectName(QStringLiteral("EmailSt"));
    EmailSt->setWordWrap(true);
    EmailSt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    EmailSt->setFixedHeight(33);
    EmailLl = new QLabel(EmailGb);
    EmailLl->setObjectName(QStringLiteral("EmailLl"));
    QFont bold = EmailLl->font();
    bold.setBold(true);
    EmailLl->setFont(bold);
    EmailLl->setFixedSize(198, 17);
    EmailLl->setTextFormat(Qt::RichText);
    // Selectable as well, so a user without a mail program can copy it.
    EmailLl->setTextInteractionFlags(Qt::TextBrowserInteraction);
    EmailLl->setOpenExternalLinks(false);
    EmailLl->setCursor(Qt::PointingHandCursor);
    connect(EmailLl, &QLabel::linkActivated, this, [this] { EmailLlClick(); });
    emailLayout->addWidget(EmailSt);
    emailLayout->addWidget(EmailLl);
    emailLayout->addStretch(1);
    clientLayout->addWidget(EmailGb);
    clientLayout->addStretch(1);
    layout->addWidget(client, 1);

    AddButtonBand(layout, kButtonPanelHeight, QMargins(97, 18, 96, 18), 6, 75);

    setFixedSize(kWidth, kHeight);
    ViewDesc();
    // After ViewDesc: the boxes know the room their titles take only once
    // they have them.
    SetBoxMargins(GroupBox1, versLayout, 8, 16, 8, 16);
    SetBoxMargins(ThanksGb, thanksLayout, 16, 24, 16, 8);
    SetBoxMargins(EmailGb, emailLayout, 16, 24, 24, 8);
}

void TFormInfo::ViewDesc()
{
    DMessages::Handle(language_, "TFormInfo::ViewDesc()",
                      [&]
                      {
                          setWindowTitle(language_.GetStr(30000));
                          VersSt->setText(language_.GetStr(30010) + Version());
                          DateSt->setText(language_.GetStr(30020) + ReleaseDate());
                          ThanksGb->setTitle(language_.GetStr(30040));
                          // Filled anew each time, so showing the dialog again never repeats
                          // the lines.
                          ThanksMm->clear();
                          for (const QString& line : Thanks())
                              ThanksMm->appendPlainText(line);
                          ThanksMm->moveCursor(QTextCursor::Start);
                          EmailGb->setTitle(language_.GetStr(32010));
                          EmailSt->setText(language_.GetStr(32020));
                          EmailLl->setText(QStringLiteral("<a href=\"mailto:%1\">%1</a>").arg(Email()));
                      });
}

void TFormInfo::showEvent(QShowEvent* event)
{
    TFormDialog::showEvent(event);
    FormShow();
}

void TFormInfo::FormShow()
{
    ViewDesc();
    OkBb->setFocus();
}

void TFormInfo::EmailLlClick()
{
    // Whether a mail program answers is the system's affair; the address
    // stays on screen to be copied.
    DMessages::Handle(language_, "TFormInfo::EmailLlClick()",
                      [&] { urlOpener_(QUrl(QStringLiteral("mailto:") + Email())); });
}
