#include "pages/TFormDesi.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"
#include "pages/commands/DCommandAnswer.h"
#include "pages/commands/DCommandWhole.h"

#include "answers/DAnswPaste.h"
#include "answers/DAnswPick.h"
#include "answers/DSubjElemAnswList.h"
#include "document/DTest.h"
#include "kit/DGlyph.h"
#include "kit/TFormHost.h"
#include "kit/TGrid.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "pages/TFormDesiOpt.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QShowEvent>
#include <QSignalBlocker>
#include <QSplitter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>

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
constexpr int kNoneText = 12250;
constexpr int kPasteStep = 27350;
constexpr int kAlreadyChosen = 27360;
constexpr int kKeysHint = 27370;
constexpr int kSelfMark = 37000;
constexpr int kNoNumber = 37010;
constexpr int kNoName = 37020;
constexpr int kErrSelf = 37030;
constexpr int kErrRepeated = 37040;
constexpr int kCaptionNamed = 37060;
constexpr int kCaptionNumber = 37070;
// The questions' texts beside the answers are cut beyond this width; the
// whole text is in the row's tip.
constexpr int kQuestionWidth = 280;
constexpr int kQuestionMargins = 16;
// The subjects a typed text may stand for, shown at most this many at once.
constexpr int kTypedRows = 10;
constexpr int kTypedMinWidth = 220;

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
    SubjSg->installEventFilter(this);

    auto* answers = new QWidget(Splitter);
    auto* answersLayout = new QVBoxLayout(answers);
    answersLayout->setContentsMargins(0, 2, 0, 0);
    answersLayout->setSpacing(2);
    SubjSt = new QLabel(answers);
    SubjSt->setObjectName(QStringLiteral("SubjSt"));
    SubjSt->setTextFormat(Qt::PlainText);
    SubjSt->setContentsMargins(4, 0, 0, 0);
    QFont bold = SubjSt->font();
    bold.setBold(true);
    SubjSt->setFont(bold);
    answersLayout->addWidget(SubjSt);
    DesiSg = MakeGrid(answers, "DesiSg");
    DesiSg->setSelectionBehavior(QAbstractItemView::SelectItems);
    DesiSg->setShowGrid(true);
    DesiSg->verticalHeader()->setMaximumWidth(kQuestionWidth);
    answersLayout->addWidget(DesiSg, 1);

    Splitter->addWidget(SubjSg);
    Splitter->addWidget(answers);
    // The answers keep the height their questions need; a taller window
    // shows more subjects.
    Splitter->setStretchFactor(0, 1);
    Splitter->setStretchFactor(1, 0);
    Splitter->setSizes({kSubjHeight, kSubjHeight});
    connect(Splitter, &QSplitter::splitterMoved, this, [this] { userSplit_ = true; });
    layout->addWidget(Splitter, 1);

    // A child of the grid's viewport: it is clipped with the cells and
    // moves with them when the grid scrolls.
    AppelCb = new QComboBox(DesiSg->viewport());
    AppelCb->setObjectName(QStringLiteral("AppelCb"));
    AppelCb->setEditable(false);
    AppelCb->setMaxVisibleItems(kAppelItems);
    AppelCb->hide();
    AppelCb->installEventFilter(this);
    // The keys stay with the grid, which moves with them; the pick list is
    // for the mouse (or Space, which opens it).
    AppelCb->setFocusPolicy(Qt::NoFocus);
    DesiSg->installEventFilter(this);
    DesiSg->viewport()->installEventFilter(this);
    // A block of cells can be selected, to be copied.
    DesiSg->setSelectionMode(QAbstractItemView::ContiguousSelection);

    AppelLe = new QLineEdit(DesiSg->viewport());
    AppelLe->setObjectName(QStringLiteral("AppelLe"));
    AppelLe->setFrame(false);
    AppelLe->hide();
    AppelLe->installEventFilter(this);
    // A child of the page rather than of the grid, so that it may reach
    // below the grid's last row.
    AppelLb = new QListWidget(this);
    AppelLb->setObjectName(QStringLiteral("AppelLb"));
    AppelLb->setFocusPolicy(Qt::NoFocus);
    AppelLb->hide();

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
    connect(AppelLe, &QLineEdit::textEdited, this, [this] { AppelLeChange(); });
    connect(AppelLb, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item)
            {
                // A click on a refusal's reason picks nothing.
                if (!(item->flags() & Qt::ItemIsSelectable))
                    return;
                AppelLb->setCurrentItem(item);
                AppelLeEnter();
            });
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

void TFormDesi::resizeEvent(QResizeEvent* event)
{
    TFormPage::resizeEvent(event);
    FitSplitter();
}

void TFormDesi::FitSplitter()
{
    // Once the user has dragged the border, it stays where it was put.
    const int total = Splitter->height() - Splitter->handleWidth();
    if (userSplit_ || total <= 0 || DesiSg->rowCount() < 1)
        return;
    // Room for the caption, the header row, every question and a scroll bar.
    const QLayout* layout = DesiSg->parentWidget()->layout();
    const QHeaderView* header = DesiSg->horizontalHeader();
    int wanted = layout->contentsMargins().top() + SubjSt->sizeHint().height() + layout->spacing() +
                 2 * DesiSg->frameWidth() +
                 (header->minimumHeight() > 0 ? header->minimumHeight() : header->sizeHint().height()) +
                 DesiSg->horizontalScrollBar()->sizeHint().height();
    for (int row = 1; row < DesiSg->rowCount(); ++row)
        wanted += DesiSg->rowHeight(row);
    const int answers = std::max(std::min(wanted, total - std::min(kSubjHeight, total / 2)), kMinPaneHeight);
    Splitter->setSizes({total - answers, answers});
}

bool TFormDesi::eventFilter(QObject* watched, QEvent* event)
{
    const bool onGrid = watched == DesiSg || watched == AppelCb;
    if (event->type() == QEvent::Wheel && (watched == AppelCb || watched == DesiSg->viewport()))
    {
        // The wheel scrolls the answers up and down, even over the pick list:
        // it never changes an answer, and where there is nothing to scroll it
        // does not slide the columns sideways under the pick list either.
        auto* wheel = static_cast<QWheelEvent*>(event);
        const QPoint delta = wheel->angleDelta();
        if (std::abs(delta.y()) >= std::abs(delta.x()))
            QCoreApplication::sendEvent(DesiSg->verticalScrollBar(), event);
        else if (watched == AppelCb)
            QCoreApplication::sendEvent(DesiSg->viewport(), event);
        else
            return false;
        return true;
    }
    if (onGrid && event->type() == QEvent::ShortcutOverride)
    {
        // Copy and paste of answers win over any command of the window.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::Paste))
        {
            key->accept();
            return true;
        }
    }
    if (watched == SubjSg && event->type() == QEvent::KeyPress)
    {
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::NoModifier && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter))
        {
            // From the subject to that subject's first answer.
            if (DesiSg->rowCount() > 1 && DesiSg->columnCount() > 1)
                DesiSg->setCurrentCell(1, 1);
            DesiSg->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    if (onGrid && event->type() == QEvent::KeyPress)
    {
        auto* key = static_cast<QKeyEvent*>(event);
        // The pick list never takes a key itself: its own keys pick the
        // neighbouring entry, which stored wrong answers.
        if (!DesiKey(key) && watched == AppelCb)
            QCoreApplication::sendEvent(DesiSg, key);
        return watched == AppelCb || key->isAccepted();
    }
    if (watched == AppelLe)
    {
        if (event->type() == QEvent::KeyPress)
            return AppelLeKey(static_cast<QKeyEvent*>(event));
        if (event->type() == QEvent::FocusOut && AppelLe->isVisible())
            StopTyping();
    }
    return TFormPage::eventFilter(watched, event);
}

bool TFormDesi::DesiKey(QKeyEvent* key)
{
    key->setAccepted(true);
    if (key->matches(QKeySequence::Copy))
    {
        CopyAnswers();
        return true;
    }
    if (key->matches(QKeySequence::Paste))
    {
        PasteAnswers();
        return true;
    }
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier)
        switch (key->key())
        {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            Advance();
            return true;
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            ClearAnswer();
            return true;
        case Qt::Key_Space:
        case Qt::Key_F4:
            if (AppelCb->isVisible())
                AppelCb->showPopup();
            return true;
        default:
            break;
        }
    if (modifiers == Qt::AltModifier && key->key() == Qt::Key_Down && AppelCb->isVisible())
    {
        AppelCb->showPopup();
        return true;
    }
    const QString text = key->text();
    if (!(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) && !text.isEmpty() &&
        text.front().isLetterOrNumber())
    {
        StartTyping(text);
        return true;
    }
    key->setAccepted(false);
    return false;
}

bool TFormDesi::AppelLeKey(QKeyEvent* key)
{
    const int rows = AppelLb->count();
    const auto moveTo = [&](int row, int step)
    {
        if (rows > 0)
            MoveTypedRow(std::clamp(row, 0, rows - 1), step);
    };
    switch (key->key())
    {
    case Qt::Key_Up:
        moveTo(AppelLb->currentRow() - 1, -1);
        return true;
    case Qt::Key_Down:
        moveTo(AppelLb->currentRow() + 1, 1);
        return true;
    case Qt::Key_PageUp:
        moveTo(AppelLb->currentRow() - kTypedRows, -1);
        return true;
    case Qt::Key_PageDown:
        moveTo(AppelLb->currentRow() + kTypedRows, 1);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        AppelLeEnter();
        return true;
    case Qt::Key_Escape:
        StopTyping();
        return true;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        // Leaves the typing unstored and moves on, as from the grid.
        StopTyping();
        QCoreApplication::sendEvent(DesiSg, key);
        return true;
    default:
        return false;
    }
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
                          FitSplitter();
                          // Back on the page, the keys go to its first answer.
                          TakeFocus(DesiSg);
                      });
}

void TFormDesi::ViewDesc()
{
    SetHint(OptionsSb, language_.GetStr(14100));
    SubjSg->setAccessibleName(language_.GetStr(10510));
    SubjSg->setAccessibleDescription(language_.GetStr(35610));
    DesiSg->setAccessibleName(language_.GetStr(10520));
    DesiSg->setToolTip(language_.GetStr(kKeysHint));
    DesiSg->setAccessibleDescription(DesiSg->toolTip());
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
    DrawDesi();
    PlaceAppel();
    FitSplitter();
}

int TFormDesi::CurrentSubject() const
{
    return std::clamp(SubjSg->currentRow(), 1, std::max(1, test_.subj.Count()));
}

void TFormDesi::DrawDesi()
{
    const int subject = CurrentSubject();
    DViews::DrawAnswers(DSubjElemAnswList(test_.desi, test_.subj.List(), test_.answ.subjSort), subject,
                        test_.ques.List(), DesiSg);
    // A long question is cut with an ellipsis in its row's header; the tip
    // holds all of it.
    const QFontMetrics metrics(DesiSg->verticalHeader()->font());
    for (int row = 1; row < DesiSg->rowCount(); ++row)
        if (QTableWidgetItem* header = DesiSg->verticalHeaderItem(row))
        {
            const QString cut =
                metrics.elidedText(DesiSg->item(row, 0)->text(), Qt::ElideRight, kQuestionWidth - kQuestionMargins);
            if (header->text() != cut)
                header->setText(cut);
        }
    const DSubjElemAppe& appe = test_.subj.List().GetSelected(subject - 1).appe;
    SubjSt->setText(appe.IsFilled()
                        ? language_.GetMsg(kCaptionNamed, {subject, appe.ToString(test_.answ.subjSort.IsSurnameName())})
                        : language_.GetMsg(kCaptionNumber, {subject}));
    // The subject whose answers these are stays in sight above them.
    if (QTableWidgetItem* item = SubjSg->item(subject, 1))
        SubjSg->scrollToItem(item);
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

void TFormDesi::PlaceAppel()
{
    StopTyping();
    // A hidden widget hands its focus on to the next one, which for the
    // grid is a step to the next cell: the grid takes it back first.
    if (AppelCb->hasFocus())
        DesiSg->setFocus();
    AppelCb->hide();
    const int row = DesiSg->currentRow();
    const int column = DesiSg->currentColumn();
    if (row < 1 || column < 1)
        return;
    AppelCb->setGeometry(DesiSg->visualRect(DesiSg->model()->index(row, column)));
    if (!isVisible())
        return;
    // The entries depend on the cell: the one who answers is never offered,
    // a classmate chosen in another answer of the question is greyed.
    const bool surnameFirst = test_.answ.subjSort.IsSurnameName();
    DViews::DrawAppels(test_.subj.List(),
                       DAnswPick::Pickable(test_.subj.List(), test_.subj.Count(), CurrentPlace(), surnameFirst),
                       AppelCb, surnameFirst);
    const qint32 value = test_.desi.GetDesi(row, column, CurrentSubject());
    const bool chosen = DDesi::IsChoice(value) && value <= test_.subj.Count();
    // A chosen subject without a name has no entry: nothing is selected.
    AppelCb->setCurrentIndex(chosen ? AppelCb->findData(value) : 0);
    AppelCb->show();
}

DAnswPick::Place TFormDesi::CurrentPlace() const
{
    const qint32 chooser = CurrentSubject();
    return {chooser, DesiSg->currentColumn(), DAnswPick::Answers(test_.desi, DesiSg->currentRow(), chooser)};
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
                          const qint32 value = AppelCb->itemData(index).toInt();
                          // Shows the stored answer again, should the pick be refused.
                          {
                              const QSignalBlocker blocker(AppelCb);
                              const qint32 stored =
                                  test_.desi.GetDesi(DesiSg->currentRow(), DesiSg->currentColumn(), CurrentSubject());
                              AppelCb->setCurrentIndex(AppelCb->findData(DDesi::IsChoice(stored) ? stored : 0));
                          }
                          StoreAnswer(value);
                      });
}

void TFormDesi::StoreAnswer(qint32 value)
{
    const int question = DesiSg->currentRow();
    const int answer = DesiSg->currentColumn();
    if (question < 1 || answer < 1)
        return;
    const int subject = CurrentSubject();
    const DAnswPick::Refusal refusal = DAnswPick::Check(subject, value, answer, CurrentPlace().answers);
    const auto name = [&]
    { return test_.subj.List().GetSelected(value - 1).appe.ToString(test_.answ.subjSort.IsSurnameName()); };
    if (refusal.kind == DAnswPick::Refusal::Kind::Self)
        throw EError(kErrSelf, {question, answer, name()});
    if (refusal.kind == DAnswPick::Refusal::Kind::Repeated)
        throw EError(kErrRepeated, {question, answer, name(), refusal.answer});
    // Stored first: should showing it fail, the answer is kept.
    const qint32 before = test_.desi.GetDesi(question, answer, subject);
    test_.desi.SetDesi(question, answer, subject, value);
    if (before != value)
        Push(new DCommandAnswer(test_, question, answer, subject, before, value));
    const bool chosen = DDesi::IsChoice(value) && value <= test_.subj.Count();
    if (QTableWidgetItem* item = DesiSg->item(question, answer))
        item->setText(chosen
                          ? test_.subj.List().GetSelected(value - 1).appe.ToString(test_.answ.subjSort.IsSurnameName())
                          : language_.GetStr(kNoneText));
    if (QTableWidgetItem* item = SubjSg->item(subject, kSummaryColumn))
        item->setText(test_.desi.GetSubjSummary(subject));
    const QSignalBlocker blocker(AppelCb);
    AppelCb->setCurrentIndex(chosen ? AppelCb->findData(value) : 0);
}

void TFormDesi::ClearAnswer()
{
    DMessages::Handle(language_, "TFormDesi::ClearAnswer()", [&] { StoreAnswer(0); });
}

void TFormDesi::Advance()
{
    int question = DesiSg->currentRow();
    int answer = DesiSg->currentColumn();
    if (question < 1 || answer < 1)
        return;
    if (answer + 1 < DesiSg->columnCount())
        ++answer;
    else if (question + 1 < DesiSg->rowCount())
    {
        ++question;
        answer = 1;
    }
    else if (SubjSg->currentRow() + 1 < SubjSg->rowCount())
    {
        SubjSg->setCurrentCell(SubjSg->currentRow() + 1, 0);
        question = 1;
        answer = 1;
    }
    DesiSg->setCurrentCell(question, answer);
}

void TFormDesi::StartTyping(const QString& text)
{
    if (DesiSg->currentRow() < 1 || DesiSg->currentColumn() < 1)
        return;
    AppelLe->setGeometry(DesiSg->visualRect(DesiSg->model()->index(DesiSg->currentRow(), DesiSg->currentColumn())));
    AppelLe->setText(text);
    AppelLe->show();
    AppelLe->raise();
    AppelLe->setFocus();
    AppelLeChange();
}

void TFormDesi::StopTyping()
{
    if (!AppelLe || !AppelLe->isVisible())
        return;
    // Focus first (see PlaceAppel): hidden with it, the field would move the
    // grid's cursor on.
    if (AppelLe->hasFocus())
        DesiSg->setFocus();
    AppelLe->hide();
    AppelLb->hide();
    AppelLb->clear();
}

void TFormDesi::AppelLeChange()
{
    DMessages::Handle(
        language_, "TFormDesi::AppelLeChange()",
        [&]
        {
            const DSubjList& list = test_.subj.List();
            const bool surnameFirst = test_.answ.subjSort.IsSurnameName();
            const QString typed = AppelLe->text().trimmed();
            AppelLb->clear();
            if (typed.isEmpty())
            {
                AppelLb->hide();
                return;
            }
            const auto add = [&](const QString& text, qint32 id, bool enabled)
            {
                auto* item = new QListWidgetItem(text, AppelLb);
                item->setData(Qt::UserRole, id);
                // What cannot be entered is said, in slanted letters that
                // stay readable, but neither Enter nor a click takes it.
                if (!enabled)
                {
                    item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
                    QFont font = item->font();
                    font.setItalic(true);
                    item->setFont(font);
                }
            };
            for (const DAnswPick::Offer& offer :
                 DAnswPick::Offers(list, test_.subj.Count(), typed, CurrentPlace(), surnameFirst))
            {
                QString text = QStringLiteral("%1  %2")
                                   .arg(offer.subject)
                                   .arg(list.GetSelected(offer.subject - 1).appe.ToString(surnameFirst));
                if (offer.refusal.kind == DAnswPick::Refusal::Kind::Self)
                    text = language_.GetMsg(kSelfMark, {text});
                else if (offer.refusal.kind == DAnswPick::Refusal::Kind::Repeated)
                    text = language_.GetMsg(kAlreadyChosen, {text, offer.refusal.answer});
                add(text, offer.subject, !offer.refusal);
            }
            if (AppelLb->count() == 0)
                add(std::all_of(typed.begin(), typed.end(), [](QChar c) { return c.isDigit(); })
                        ? language_.GetMsg(kNoNumber, {typed, test_.subj.Count()})
                        : language_.GetMsg(kNoName, {typed}),
                    0, false);
            MoveTypedRow(0, 1);
            const QRect cell(AppelLe->mapTo(this, QPoint(0, 0)), AppelLe->size());
            const int rowHeight = std::max(AppelLb->sizeHintForRow(0), 1);
            const int height = std::min(AppelLb->count(), kTypedRows) * rowHeight + 2 * AppelLb->frameWidth();
            const int width = std::max({cell.width(), kTypedMinWidth, AppelLb->sizeHintForColumn(0) + 24});
            // Below the cell, or above it where the page ends first.
            const int top = cell.bottom() + height < this->height() ? cell.bottom() + 1 : cell.top() - height;
            // Within the page sideways too, so that the reason of a refusal
            // is not cut at its right edge.
            const int left = std::max(std::min(cell.left(), this->width() - width), 0);
            AppelLb->setGeometry(left, std::max(top, 0), width, height);
            AppelLb->show();
            AppelLb->raise();
        });
}

void TFormDesi::MoveTypedRow(int row, int step)
{
    for (int r = row; r >= 0 && r < AppelLb->count(); r += step)
        if (AppelLb->item(r)->flags() & Qt::ItemIsSelectable)
        {
            AppelLb->setCurrentRow(r);
            return;
        }
    // Nothing there can be entered: the cursor stays where it was, if anywhere.
}

void TFormDesi::AppelLeEnter()
{
    DMessages::Handle(language_, "TFormDesi::AppelLeEnter()",
                      [&]
                      {
                          const QListWidgetItem* item = AppelLb->currentItem();
                          // Nothing fits what was typed, or what fits cannot
                          // be entered here: the field stays open to be
                          // corrected, the list saying why.
                          if (!AppelLe->isVisible() || !item || !(item->flags() & Qt::ItemIsSelectable))
                              return;
                          const qint32 value = item->data(Qt::UserRole).toInt();
                          StopTyping();
                          DesiSg->setFocus();
                          StoreAnswer(value);
                          Advance();
                      });
}

void TFormDesi::CopyAnswers()
{
    DMessages::Handle(language_, "TFormDesi::CopyAnswers()",
                      [&]
                      {
                          QTableWidgetSelectionRange range(DesiSg->currentRow(), DesiSg->currentColumn(),
                                                           DesiSg->currentRow(), DesiSg->currentColumn());
                          const QList<QTableWidgetSelectionRange> ranges = DesiSg->selectedRanges();
                          if (!ranges.isEmpty())
                              range = ranges.first();
                          if (range.topRow() < 1 || range.leftColumn() < 1)
                              return;
                          const int subject = CurrentSubject();
                          QList<QStringList> rows;
                          for (int q = range.topRow(); q <= range.bottomRow(); ++q)
                          {
                              QStringList cells;
                              for (int r = range.leftColumn(); r <= range.rightColumn(); ++r)
                                  cells << DAnswPaste::CellText(test_.subj.List(), test_.subj.Count(),
                                                                test_.desi.GetDesi(q, r, subject),
                                                                test_.answ.subjSort.IsSurnameName());
                              rows << cells;
                          }
                          QApplication::clipboard()->setText(DAnswPaste::Text(rows));
                      });
}

void TFormDesi::PasteAnswers()
{
    DMessages::Handle(language_, "TFormDesi::PasteAnswers()",
                      [&]
                      {
                          if (DesiSg->currentRow() < 1 || DesiSg->currentColumn() < 1)
                              return;
                          const int subject = CurrentSubject();
                          // Every cell is checked before the first is stored: a refused
                          // block leaves the test as it was.
                          const std::vector<DAnswPaste::Cell> cells = DAnswPaste::Resolve(
                              QApplication::clipboard()->text(),
                              {test_.subj.List(), test_.subj.Count(), subject, DesiSg->currentRow(),
                               DesiSg->currentColumn(), test_.desi.QuesCount(), test_.desi.AnswCount(), &test_.desi});
                          DCommandWhole::Run(
                              test_, kPasteStep,
                              [&]
                              {
                                  for (const DAnswPaste::Cell& cell : cells)
                                      test_.desi.SetDesi(cell.question, cell.answer, subject, cell.value);
                              },
                              Pusher());
                          const int question = DesiSg->currentRow();
                          const int answer = DesiSg->currentColumn();
                          DrawDesi();
                          if (QTableWidgetItem* item = SubjSg->item(subject, kSummaryColumn))
                              item->setText(test_.desi.GetSubjSummary(subject));
                          DesiSg->setCurrentCell(question, answer);
                          PlaceAppel();
                      });
}

void TFormDesi::OptionsSbClick()
{
    DMessages::Handle(language_, "TFormDesi::OptionsSbClick()", [&] { ExecDialog(*optionsDialog_); });
}
