#include "app/TFormHelp.h"

#include "app/DHelpGuide.h"
#include "lang/DLanguage.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>

namespace
{
constexpr int kPositionRole = Qt::UserRole;
} // namespace

TFormHelp::TFormHelp(DLanguage& language, QWidget* parent)
    : QWidget(parent, Qt::Window), language_(language),
      urlOpener_([](const QUrl& url) { return QDesktopServices::openUrl(url); })
{
    setObjectName(QStringLiteral("FormHelp"));
    resize(900, 640);

    auto* layout = new QVBoxLayout(this);

    auto* bar = new QHBoxLayout;
    FindLb = new QLabel(this);
    FindEd = new QLineEdit(this);
    FindEd->setObjectName(QStringLiteral("FindEd"));
    FindEd->setClearButtonEnabled(true);
    FindLb->setBuddy(FindEd);
    FindBb = new QPushButton(this);
    FindBb->setObjectName(QStringLiteral("FindBb"));
    PdfBb = new QPushButton(this);
    PdfBb->setObjectName(QStringLiteral("PdfBb"));
    bar->addWidget(FindLb);
    bar->addWidget(FindEd, 1);
    bar->addWidget(FindBb);
    bar->addSpacing(16);
    bar->addWidget(PdfBb);
    layout->addLayout(bar);

    auto* splitter = new QSplitter(this);
    ContentsTv = new QTreeWidget(splitter);
    ContentsTv->setObjectName(QStringLiteral("ContentsTv"));
    ContentsTv->setHeaderHidden(true);
    GuideTb = new QTextBrowser(splitter);
    GuideTb->setObjectName(QStringLiteral("GuideTb"));
    GuideTb->setOpenExternalLinks(true);
    // The guide names its pictures as the PDF guides do, relative to the
    // guide; in the program they are resources beside it.
    GuideTb->setSearchPaths({QStringLiteral(":/help")});
    splitter->addWidget(ContentsTv);
    splitter->addWidget(GuideTb);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({260, 640});
    layout->addWidget(splitter, 1);

    StatusSt = new QLabel(this);
    StatusSt->setObjectName(QStringLiteral("StatusSt"));
    StatusSt->setWordWrap(true);
    layout->addWidget(StatusSt);

    setTabOrder(FindEd, FindBb);
    setTabOrder(FindBb, PdfBb);
    setTabOrder(PdfBb, ContentsTv);
    setTabOrder(ContentsTv, GuideTb);

    connect(FindEd, &QLineEdit::returnPressed, this, [this] { FindBbClick(); });
    connect(FindBb, &QPushButton::clicked, this, [this] { FindBbClick(); });
    connect(PdfBb, &QPushButton::clicked, this, [this] { PdfBbClick(); });
    connect(ContentsTv, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { ContentsTvClick(item); });
    connect(ContentsTv, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item) { ContentsTvClick(item); });
    connect(FindEd, &QLineEdit::textEdited, StatusSt, &QLabel::clear);

    ViewDesc();
}

void TFormHelp::ViewDesc()
{
    setWindowTitle(language_.GetStr(35400));
    FindLb->setText(language_.GetStr(35410));
    FindBb->setText(language_.GetStr(35420));
    PdfBb->setText(language_.GetStr(35430));
    FindEd->setPlaceholderText(language_.GetStr(35440));
    FindEd->setAccessibleName(language_.GetStr(35440));
    ContentsTv->setAccessibleName(language_.GetStr(35470));
    GuideTb->setAccessibleName(language_.GetStr(35400));
    if (shownLanguage_ != language_.GetLanguage())
    {
        shownLanguage_ = language_.GetLanguage();
        GuideTb->setHtml(DHelpGuide::Html(shownLanguage_));
        FillContents();
        StatusSt->clear();
    }
}

void TFormHelp::FillContents()
{
    ContentsTv->clear();
    QTreeWidgetItem* chapter = nullptr;
    for (const DHelpGuide::Heading& heading : DHelpGuide::Headings(*GuideTb->document()))
    {
        // The title names the whole guide; chapters are the top level and
        // their sections hang below them.
        if (heading.level == 1)
            continue;
        QTreeWidgetItem* item = nullptr;
        if (heading.level > 2 && chapter)
            item = new QTreeWidgetItem(chapter);
        else
        {
            item = new QTreeWidgetItem(ContentsTv);
            chapter = item;
        }
        item->setText(0, heading.title);
        item->setData(0, kPositionRole, heading.position);
    }
    ContentsTv->expandAll();
}

void TFormHelp::ContentsTvClick(QTreeWidgetItem* item)
{
    if (!item)
        return;
    QTextCursor cursor(GuideTb->document());
    cursor.setPosition(item->data(0, kPositionRole).toInt());
    GuideTb->setTextCursor(cursor);
    // The heading at the top of the view, not merely somewhere in it.
    const QRect rect = GuideTb->cursorRect(cursor);
    GuideTb->verticalScrollBar()->setValue(GuideTb->verticalScrollBar()->value() + rect.top());
}

void TFormHelp::FindBbClick()
{
    const QString words = FindEd->text().simplified();
    if (words.isEmpty())
        return;
    const QTextCursor found = DHelpGuide::Find(*GuideTb->document(), words, GuideTb->textCursor());
    if (found.isNull())
    {
        StatusSt->setText(language_.GetMsg(35450, {words}));
        return;
    }
    StatusSt->clear();
    GuideTb->setTextCursor(found);
    GuideTb->ensureCursorVisible();
}

void TFormHelp::PdfBbClick()
{
    const QString path = language_.GetHelpFile();
    if (!QFileInfo(path).isFile() || !urlOpener_(QUrl::fromLocalFile(path)))
        StatusSt->setText(language_.GetMsg(35460, {path}));
    else
        StatusSt->clear();
}
