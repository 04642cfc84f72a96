#include "pages/TFormSubjImp.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"

#include "document/DNamesImport.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjElemAppe.h"
#include "subjects/DSubjList.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TFormSubjImp::TFormSubjImp(DTest& test, DLanguage& language, QWidget* parent)
    : TFormDialog(language, "FormSubjImp", parent), test_(test)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);

    NamesGb = new QGroupBox(this);
    NamesGb->setObjectName(QStringLiteral("NamesGb"));
    NamesGb->setFixedSize(428, 374);
    NamesMm = new QPlainTextEdit(NamesGb);
    NamesMm->setObjectName(QStringLiteral("NamesMm"));
    // One subject a line: long lines scroll rather than wrap, so that what
    // looks like a line is one.
    NamesMm->setLineWrapMode(QPlainTextEdit::NoWrap);
    NamesMm->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NamesMm->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    NamesMm->setTabChangesFocus(true);
    auto* names = new QVBoxLayout(NamesGb);
    names->setContentsMargins(16, 12, 11, 13);
    names->addWidget(NamesMm);

    OrderGb = new QGroupBox(this);
    OrderGb->setObjectName(QStringLiteral("OrderGb"));
    OrderGb->setFixedSize(428, 62);
    OrderCb = new QComboBox(OrderGb);
    OrderCb->setObjectName(QStringLiteral("OrderCb"));
    OrderCb->setEditable(false);
    OrderCb->setFixedWidth(145);
    auto* order = new QHBoxLayout(OrderGb);
    order->setContentsMargins(16, 10, 16, 10);
    order->addWidget(OrderCb);
    order->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(13, 11, 16, 0);
    layout->setSpacing(6);
    layout->addWidget(NamesGb);
    layout->addWidget(OrderGb);
    layout->addStretch(1);
    AddButtonBand(layout, 61, QMargins(0, 19, 0, 17), 6, 75);
    CancelB->setAutoDefault(false);

    setFixedSize(457, 528);
}

void TFormSubjImp::FormShow()
{
    DMessages::Handle(language_, "TFormSubjImp::FormShow()",
                      [&]
                      {
                          setWindowTitle(language_.GetStr(13000));
                          NamesGb->setTitle(language_.GetStr(13100));
                          NamesGb->setToolTip(language_.GetStr(13110));
                          OrderGb->setTitle(language_.GetStr(13200));
                          OrderGb->setToolTip(language_.GetStr(13210));
                          DViews::DrawAppeTypes(OrderCb);
                          NamesMm->clear();
                          const QMimeData* mime = QGuiApplication::clipboard()->mimeData();
                          if (mime && mime->hasText())
                              NamesMm->setPlainText(mime->text());
                          NamesMm->setFocus();
                      });
}

void TFormSubjImp::OkBbClick()
{
    bool imported = false;
    DMessages::Handle(language_, "TFormSubjImp::OkBbClick()",
                      [&]
                      {
                          // Planned on the test as it is: a refused line or number of lines,
                          // or a No, changes nothing and the user corrects the text here. The
                          // question says what moves, comes and goes before any of it does.
                          const DNamesImport import(test_, OrderCb->currentIndex(),
                                                    DSubjList::MemoLines(NamesMm->toPlainText()));
                          if (!DMessages::Confirm(language_, import.Question()))
                              return;
                          import.Apply(test_);
                          imported = true;
                      });
    if (imported)
        accept();
    else
        NamesMm->setFocus();
}
