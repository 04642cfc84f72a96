#include "pages/TFormLang.h"
#include "analyses/DPalette.h"
#include "kit/DMessages.h"

#include "kit/DToolkitTexts.h"
#include "kit/TFormHost.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
constexpr int kWidth = 274;
constexpr int kHeight = 251;
constexpr int kButtonPanelHeight = 61;
constexpr int kRowHeight = 13;
} // namespace

TFormLang::TFormLang(DLanguage& language, TFormHost& main, std::vector<TFormPage*> pages, QWidget* parent)
    : TFormDialog(language, "FormLang", parent, main.HostWindow()), main_(main), pages_(std::move(pages))
{
    setModal(true);
    setSizeGripEnabled(false);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The group box keeps 16 pixels to its left, 8 above and 19 below, which
    // makes it 238 x 137 in the fixed window.
    auto* client = new QWidget(this);
    auto* clientLayout = new QVBoxLayout(client);
    clientLayout->setContentsMargins(16, 8, 20, 19);
    Gb = new QGroupBox(client);
    Gb->setObjectName(QStringLiteral("Gb"));
    auto* boxLayout = new QVBoxLayout(Gb);
    Lb = new QListWidget(Gb);
    Lb->setObjectName(QStringLiteral("Lb"));
    Lb->setSelectionMode(QAbstractItemView::SingleSelection);
    Lb->setUniformItemSizes(true);
    boxLayout->addWidget(Lb);
    clientLayout->addWidget(Gb);
    SafeCb = new QCheckBox(client);
    SafeCb->setObjectName(QStringLiteral("SafeCb"));
    clientLayout->addSpacing(6);
    clientLayout->addWidget(SafeCb);
    layout->addWidget(client, 1);

    AddButtonBand(layout, kButtonPanelHeight, QMargins(59, 19, 59, 17), 5, 76);

    setFixedSize(kWidth, kHeight);
    ViewDesc();
    // The list is 177 x 97 pixels, 32 in from the box's left edge and 24
    // below its top edge.
    SetBoxMargins(Gb, boxLayout, 32, 24, 29, 16);
}

void TFormLang::ViewDesc()
{
    DMessages::Handle(language_, "TFormLang::ViewDesc()",
                      [&]
                      {
                          setWindowTitle(language_.GetStr(16000));
                          Gb->setTitle(language_.GetStr(16010));
                          Lb->setAccessibleName(Gb->title());
                          SafeCb->setText(language_.GetStr(29250));
                          SafeCb->setToolTip(language_.GetStr(29260));
                      });
}

void TFormLang::showEvent(QShowEvent* event)
{
    TFormDialog::showEvent(event);
    FormShow();
}

void TFormLang::FormShow()
{
    DMessages::Handle(language_, "TFormLang::FormShow()",
                      [&]
                      {
                          ViewDesc();
                          DMessages::ToListBox(language_, Lb);
                          SafeCb->setChecked(DPalette::IsSafe());
                          for (int i = 0; i < Lb->count(); ++i)
                              Lb->item(i)->setSizeHint(QSize(1, kRowHeight));
                          // A list that receives the focus makes its first row current, which
                          // would pass for a choice the user never made when the stored
                          // language is one the list does not hold.
                          if (Lb->currentRow() >= 0)
                              Lb->setFocus();
                          else
                              OkBb->setFocus();
                      });
}

std::vector<TFormPage*> TFormLang::Pages() const
{
    if (!pages_.empty())
        return pages_;
    const QList<TFormPage*> list = main_.PageList();
    return {list.begin(), list.end()};
}

void TFormLang::OkBbClick()
{
    DMessages::Handle(language_, "TFormLang::OkBbClick()",
                      [&]
                      {
                          DMessages::FromListBox(language_, Lb);
                          if (SafeCb->isChecked() != DPalette::IsSafe())
                          {
                              DPalette::Use(SafeCb->isChecked());
                              DPalette::Save();
                          }
                          DToolkitTexts::Apply(language_.GetLanguage());
                          ViewDesc();
                          main_.ViewDesc();
                          // Each page is drawn again as well: summaries, value names and graph
                          // labels are built from the document in the language of the moment.
                          for (TFormPage* page : Pages())
                          {
                              if (!page)
                                  continue;
                              page->ViewDesc();
                              page->Draw();
                          }
                      });
    accept();
}
