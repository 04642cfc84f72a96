#include "pages/TFormDesi.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"
#include "pages/commands/DCommandAnswer.h"

#include "answers/DSubjElemAnswList.h"
#include "document/DTest.h"
#include "kit/DGlyph.h"
#include "kit/TFormHost.h"
#include "kit/TGrid.h"
#include "lang/DLanguage.h"
#include "pages/TFormDesiOpt.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int kStripWidth = 60;
constexpr int kSubjHeight = 201;
constexpr int kSplitterWidth = 3;
constexpr int kMinPaneHeight = 10;
constexpr int kAppelItems = 50;
constexpr int kSubjColumns = 4;
constexpr int kSummaryColumn = 3;
constexpr int kSubjHeaderIds[kSubjColumns] = {12200, 12210, 12220, 14030};

TGrid* MakeGrid(QWidget* parent, const char* name)
{
    auto* grid = new TGrid(parent);
    grid->setObjectName(QLatin1String(name));
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->ShowFixedInHeaders();
    grid->setMinimumHeight(kMinPaneHeight);
    return grid;
}
} // namespace

TFormDesi::TFormDesi(DTest& test, DLanguage& language, TFormHost& main, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), main_(main)
{
    setObjectName(QStringLiteral("FormDesi"));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* strip = new QWidget(this);
    strip->setFixedWidth(kStripWidth);
    auto* stripLayout = new QVBoxLayout(strip);
    stripLayout->setContentsMargins(2, 2, 0, 0);
    OptionsSb = MakeStripButton(strip, DGlyph::PageIcon(DGlyph::Page::Options, kIconSize));
    OptionsSb->setObjectName(QStringLiteral("OptionsSb"));
    OptionsSb->setFocusPolicy(Qt::NoFocus);
    stripLayout->addWidget(OptionsSb, 0, Qt::AlignLeft | Qt::AlignTop);
    stripLayout->addStretch(1);
    layout->addWidget(strip);

    Splitter = new QSplitter(Qt::Vertical, this);
    Splitter->setObjectName(QStringLiteral("Splitter"));
    Splitter->setHandleWidth(kSplitterWidth);
    Splitter->setChildrenCollapsible(false);

    SubjSg = MakeGrid(Splitter, "SubjSg");
    SubjSg->setSelectionBehavior(QAbstractItemView::SelectRows);
    SubjSg->setColumnCount(kSubjColumns);
    SubjSg->setRowCount(1);

    DesiSg = MakeGrid(Splitter, "DesiSg");
    DesiSg->setSelectionBehavior(QAbstractItemView::SelectItems);
    DesiSg->setShowGrid(true);

    Splitter->addWidget(SubjSg);
    Splitter->addWidget(DesiSg);
    // The subject grid keeps its height; the answers grid takes the rest.
    Splitter->setStretchFactor(0, 0);
    Splitter->setStretchFactor(1, 1);
    Splitter->setSizes({kSubjHeight, 1000});
    layout->addWidget(Splitter, 1);

    // A child of the grid's viewport: it is clipped with the cells and
    // moves with them when the grid scrolls.
    AppelCb = new QComboBox(DesiSg->viewport());
    AppelCb->setObjectName(QStringLiteral("AppelCb"));
    AppelCb->setEditable(false);
    AppelCb->setMaxVisibleItems(kAppelItems);
    AppelCb->hide();
    AppelCb->installEventFilter(this);

    optionsDialog_ = new TFormDesiOpt(test, language, *this, main.HostWindow());

    connect(SubjSg, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int)
            {
                if (row == 0)
                {
                    SubjSg->setCurrentCell(previous >= 1 ? previous : 1, 1);
                    return;
                }
                SubjSgSelectCell(row);
            });
    connect(DesiSg, &QTableWidget::currentCellChanged, this,
            [this](int row, int column)
            {
                if ((row == 0 || column == 0) && DesiSg->rowCount() > 1 && DesiSg->columnCount() > 1)
                {
                    DesiSg->setCurrentCell(std::max(row, 1), std::max(column, 1));
                    return;
                }
                DesiSgClick();
            });
    connect(DesiSg, &QTableWidget::cellClicked, this, [this] { DesiSgClick(); });
    // The pick list follows its cell when the cells move under it.
    const auto follow = [this] { DesiSgClick(); };
    connect(DesiSg->horizontalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(DesiSg->verticalScrollBar(), &QScrollBar::valueChanged, this, follow);
    connect(DesiSg->horizontalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(DesiSg->verticalHeader(), &QHeaderView::sectionResized, this, follow);
    connect(AppelCb, &QComboBox::activated, this, [this](int index) { AppelCbChange(index); });
    connect(OptionsSb, &QToolButton::clicked, this, [this] { OptionsSbClick(); });

    ViewDesc();
}

void TFormDesi::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    // Restoring a minimised window is no new visit of the page.
    if (!event->spontaneous())
        FormShow();
}

bool TFormDesi::eventFilter(QObject* watched, QEvent* event)
{
    // The wheel scrolls the answers grid even over the pick list: turning it
    // must never change an answer on the way.
    if (watched == AppelCb && event->type() == QEvent::Wheel)
    {
        QCoreApplication::sendEvent(DesiSg->viewport(), event);
        return true;
    }
    return TFormPage::eventFilter(watched, event);
}

void TFormDesi::FormShow()
{
    DMessages::Handle(language_, "TFormDesi::FormShow()",
                      [&]
                      {
                          SubjSg->setColumnCount(kSubjColumns);
                          ViewDesc();
                          Draw();
                          if (DesiSg->rowCount() > 1 && DesiSg->columnCount() > 1)
                          {
                              const QSignalBlocker blocker(DesiSg);
                              DesiSg->setCurrentCell(1, 1);
                          }
                          PlaceAppel();
                      });
}

void TFormDesi::ViewDesc()
{
    OptionsSb->setToolTip(language_.GetStr(14100));
    const QSignalBlocker blocker(SubjSg);
    if (SubjSg->columnCount() < kSubjColumns)
        SubjSg->setColumnCount(kSubjColumns);
    if (SubjSg->rowCount() < 1)
        SubjSg->setRowCount(1);
    for (int column = 0; column < kSubjColumns; ++column)
    {
        SubjSg->MarkFixed(0, column);
        SubjSg->item(0, column)->setText(language_.GetStr(kSubjHeaderIds[column]));
    }
    SubjSg->setRowHeight(0, main_.CellHeight());
}

void TFormDesi::Draw()
{
    if (!IsTabShown())
        return;
    const DSubjList& list = test_.subj.List();
    DViews::DrawListSel(list, test_.desi, SubjSg);
    {
        const QSignalBlocker blocker(SubjSg);
        for (int column = 0; column < kSubjColumns; ++column)
            SubjSg->MarkFixed(0, column);
        SubjSg->setRowHeight(0, main_.CellHeight());
        if (SubjSg->currentRow() < 1 && SubjSg->rowCount() > 1)
            SubjSg->setCurrentCell(1, 1);
    }
    DViews::DrawAppels(list, AppelCb, test_.answ.subjSort.IsSurnameName());
    MarkAppelIds();
    DrawDesi();
    PlaceAppel();
}

int TFormDesi::CurrentSubject() const
{
    return std::clamp(SubjSg->currentRow(), 1, std::max(1, test_.subj.Count()));
}

void TFormDesi::DrawDesi()
{
    const int subject = CurrentSubject();
    DViews::DrawAnswers(DSubjElemAnswList(test_.desi, test_.subj.List(), test_.answ.subjSort), subject, DesiSg);
    const QSignalBlocker blocker(DesiSg);
    for (int column = 0; column < DesiSg->columnCount(); ++column)
        DesiSg->MarkFixed(0, column);
    for (int row = 1; row < DesiSg->rowCount(); ++row)
        DesiSg->MarkFixed(row, 0);
    DesiSg->setRowHeight(0, main_.CellHeight());
    // Where the font is wider than the one the widths were made for, the
    // question column grows so that its numbers stay readable.
    int headerWidth = DSubjElemAnswList::kHeaderWidth;
    for (int row = 1; row < DesiSg->rowCount(); ++row)
        headerWidth = std::max(headerWidth, DesiSg->fontMetrics().horizontalAdvance(DesiSg->item(row, 0)->text()) + 8);
    if (DesiSg->columnWidth(0) < headerWidth)
        DesiSg->setColumnWidth(0, headerWidth);
    if ((DesiSg->currentRow() < 1 || DesiSg->currentColumn() < 1) && DesiSg->rowCount() > 1 &&
        DesiSg->columnCount() > 1)
        DesiSg->setCurrentCell(1, 1);
    shownSubjRow_ = subject;
}

void TFormDesi::MarkAppelIds()
{
    // Each entry carries the identifier it stands for. Entries with the same
    // name keep the list order (the sort is stable), so the n-th of them is
    // the n-th such subject: picking the second of two namesakes stores the
    // second, and "None" stores no choice even if a subject bears that name.
    const bool surnameFirst = test_.answ.subjSort.IsSurnameName();
    QHash<QString, QList<qint32>> ids;
    for (const DSubjElem& subject : test_.subj.List().Get())
        if (subject.appe.IsFilled())
            ids[subject.appe.ToString(surnameFirst)].append(subject.id.GetValue());
    if (AppelCb->count() > 0)
        AppelCb->setItemData(0, 0);
    for (int i = 1; i < AppelCb->count(); ++i)
    {
        QList<qint32>& left = ids[AppelCb->itemText(i)];
        AppelCb->setItemData(i, left.isEmpty() ? 0 : left.takeFirst());
    }
}

void TFormDesi::PlaceAppel()
{
    AppelCb->hide();
    const int row = DesiSg->currentRow();
    const int column = DesiSg->currentColumn();
    if (row < 1 || column < 1)
        return;
    AppelCb->setGeometry(DesiSg->visualRect(DesiSg->model()->index(row, column)));
    if (!isVisible())
        return;
    const qint32 value = test_.desi.GetDesi(row, column, CurrentSubject());
    const bool chosen = DDesi::IsChoice(value) && value <= test_.subj.Count();
    // A chosen subject without a name has no entry: nothing is selected.
    AppelCb->setCurrentIndex(chosen ? AppelCb->findData(value) : 0);
    AppelCb->show();
}

void TFormDesi::SubjSgSelectCell(int row)
{
    DMessages::Handle(language_, "TFormDesi::SubjSgSelectCell()",
                      [&]
                      {
                          if (!IsTabShown() || row < 1 || row == shownSubjRow_)
                              return;
                          DrawDesi();
                          PlaceAppel();
                      });
}

void TFormDesi::DesiSgClick()
{
    DMessages::Handle(language_, "TFormDesi::DesiSgClick()", [&] { PlaceAppel(); });
}

void TFormDesi::AppelCbChange(int index)
{
    DMessages::Handle(language_, "TFormDesi::AppelCbChange()",
                      [&]
                      {
                          if (index < 0 || index >= AppelCb->count())
                              return;
                          const QString text = AppelCb->itemText(index);
                          const qint32 value = AppelCb->itemData(index).toInt();
                          const int question = DesiSg->currentRow();
                          const int answer = DesiSg->currentColumn();
                          const int subject = CurrentSubject();
                          // Stored first: should showing it fail, the answer is kept.
                          const qint32 before = test_.desi.GetDesi(question, answer, subject);
                          test_.desi.SetDesi(question, answer, subject, value);
                          if (before != value)
                              Push(new DCommandAnswer(test_, question, answer, subject, before, value));
                          if (QTableWidgetItem* item = DesiSg->item(question, answer))
                              item->setText(text);
                          if (QTableWidgetItem* item = SubjSg->item(subject, kSummaryColumn))
                              item->setText(test_.desi.GetSubjSummary(subject));
                      });
}

void TFormDesi::OptionsSbClick()
{
    DMessages::Handle(language_, "TFormDesi::OptionsSbClick()", [&] { ExecDialog(*optionsDialog_); });
}
