#include "app/TFormLang.h"

#include "app/DFonts.h"
#include "app/TFormMain.h"
#include "app/TFormPage.h"
#include "lang/DLanguage.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int kWidth = 274;
constexpr int kHeight = 225;
constexpr int kButtonPanelHeight = 61;
constexpr int kRowHeight = 13;

// Places a group box's contents at the given distances from the box's outer
// edges; the box's own frame and title already take part of them.
void SetBoxMargins(QGroupBox* box, QLayout* layout, int left, int top, int right, int bottom)
{
    const QMargins frame = box->contentsMargins();
    layout->setContentsMargins(std::max(0, left - frame.left()), std::max(0, top - frame.top()),
                               std::max(0, right - frame.right()), std::max(0, bottom - frame.bottom()));
}
} // namespace

TFormLang::TFormLang(DLanguage& language, TFormMain& main, std::vector<TFormPage*> pages, QWidget* parent)
    : QDialog(parent), language_(language), main_(main), pages_(std::move(pages))
{
    setObjectName(QStringLiteral("FormLang"));
    setFont(QFont(DFonts::Family(), 8));
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
    layout->addWidget(client, 1);

    auto* panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setFixedHeight(kButtonPanelHeight);
    auto* buttons = new QHBoxLayout(panel);
    buttons->setContentsMargins(59, 19, 59, 17);
    buttons->setSpacing(5);
    OkBb = new QPushButton(QStringLiteral("OK"), panel);
    OkBb->setObjectName(QStringLiteral("OkBb"));
    OkBb->setFixedSize(76, 25);
    OkBb->setDefault(true);
    CancelB = new QPushButton(QStringLiteral("Cancel"), panel);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setFixedSize(75, 25);
    buttons->addWidget(OkBb);
    buttons->addWidget(CancelB);
    layout->addWidget(panel);

    connect(OkBb, &QPushButton::clicked, this, [this] { OkBbClick(); });
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);

    setFixedSize(kWidth, kHeight);
    ViewDesc();
    // The list is 177 x 97 pixels, 32 in from the box's left edge and 24
    // below its top edge.
    SetBoxMargins(Gb, boxLayout, 32, 24, 29, 16);
}

void TFormLang::ViewDesc()
{
    language_.Handle("TFormLang::ViewDesc()", [&] {
        setWindowTitle(language_.GetStr(16000));
        Gb->setTitle(language_.GetStr(16010));
    });
}

void TFormLang::showEvent(QShowEvent* event)
{
    // Centred on the main window every time, which may have moved since.
    QRect frame = frameGeometry();
    frame.moveCenter(main_.frameGeometry().center());
    move(frame.topLeft());
    QDialog::showEvent(event);
    FormShow();
}

void TFormLang::FormShow()
{
    language_.Handle("TFormLang::FormShow()", [&] {
        ViewDesc();
        language_.ToListBox(Lb);
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
    language_.Handle("TFormLang::OkBbClick()", [&] {
        language_.FromListBox(Lb);
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
