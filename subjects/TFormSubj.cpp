#include "subjects/TFormSubj.h"

#include "app/DFonts.h"
#include "app/TFormMain.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"
#include "subjects/TFormSubjImp.h"
#include "subjects/TFormSubjOpt.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
constexpr int kStripWidth = 61;
constexpr int kButtonSize = 55;
constexpr int kIconSize = 44;
constexpr int kBandHeight = 137;
constexpr int kColumns = 5;
// How near a column border in the header row the pointer grabs it.
constexpr int kBorderGrip = 2;
constexpr int kMinColumnWidth = 8;

const QColor kOutline(0x26, 0x37, 0x46);
const QColor kLine(0x8F, 0xA3, 0xB8);
const QColor kArrow(0xF4, 0xB6, 0x3F);
// The colours of the subject boxes in the analysis pictures.
const QColor kFemale(255, 192, 203);
const QColor kMale(175, 238, 238);

bool IsEditColumn(int column)
{
    return column == TFormSubj::ColSurname || column == TFormSubj::ColName || column == TFormSubj::ColNote;
}

// A subject as the analyses draw it: a circle for a female, a square for a
// male subject.
void PaintSubject(QPainter& p, const QPointF& centre, qreal radius, bool female)
{
    p.setPen(QPen(kOutline, 1.6));
    p.setBrush(female ? kFemale : kMale);
    if (female)
        p.drawEllipse(centre, radius, radius);
    else
        p.drawRect(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius));
}

void PaintGroup(QPainter& p, const QPointF& topLeft)
{
    PaintSubject(p, topLeft + QPointF(7, 7), 6, true);
    PaintSubject(p, topLeft + QPointF(21, 7), 6, false);
    PaintSubject(p, topLeft + QPointF(7, 21), 6, false);
    PaintSubject(p, topLeft + QPointF(21, 21), 6, true);
}

enum class Picture
{
    Options,
    ImportFile,
    ImportClipboard
};

QIcon PaintPicture(Picture picture)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(kOutline, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    switch (picture)
    {
    case Picture::Options:
        // How many subjects: the group with a spin of up and down arrows.
        PaintGroup(p, QPointF(3, 8));
        p.setPen(outline);
        p.setBrush(kArrow);
        p.drawPolygon(QPolygonF({QPointF(33, 19), QPointF(42, 19), QPointF(37.5, 10)}));
        p.drawPolygon(QPolygonF({QPointF(33, 26), QPointF(42, 26), QPointF(37.5, 35)}));
        break;
    case Picture::ImportFile:
    {
        // The subjects come into this test from another file: an arrow into
        // the group.
        PaintGroup(p, QPointF(14, 8));
        QPainterPath arrow;
        arrow.moveTo(2, 18);
        arrow.lineTo(9, 18);
        arrow.lineTo(9, 11);
        arrow.lineTo(20, 22);
        arrow.lineTo(9, 33);
        arrow.lineTo(9, 26);
        arrow.lineTo(2, 26);
        arrow.closeSubpath();
        p.setPen(outline);
        p.setBrush(kArrow);
        p.drawPath(arrow);
        break;
    }
    case Picture::ImportClipboard:
    {
        // Names taken from the clipboard: a clipboard holding a list.
        p.setPen(outline);
        p.setBrush(QColor(0xB8, 0x86, 0x4B));
        p.drawRoundedRect(QRectF(8, 5, 28, 36), 3, 3);
        p.setBrush(Qt::white);
        p.drawRect(QRectF(12, 10, 20, 27));
        p.setBrush(QColor(0xC8, 0xCE, 0xD6));
        p.drawRoundedRect(QRectF(16, 2, 12, 7), 2, 2);
        p.setPen(QPen(kLine, 2, Qt::SolidLine, Qt::RoundCap));
        for (int k = 0; k < 4; ++k)
            p.drawLine(QPointF(15, 16 + k * 5), QPointF(29 - (k % 2) * 4, 16 + k * 5));
        break;
    }
    }
    return QIcon(pixmap);
}
} // namespace

// The grid of the page. Row 0 and column 0 are ordinary cells standing for
// the fixed header row and column, so the grid itself keeps the cursor out
// of them, asks the page before it enters a cell (the sex column is a
// toggle, never a place to stand), and lets the user drag column borders in
// the header row.
class TFormSubjGrid : public QTableWidget
{
public:
    using SelectCell = std::function<bool(int column, int row)>;
    using MouseMove = std::function<void(int x, int y)>;

    TFormSubjGrid(SelectCell selectCell, MouseMove mouseMove, QWidget* parent)
        : QTableWidget(parent), selectCell_(std::move(selectCell)), mouseMove_(std::move(mouseMove))
    {
    }

    // The editor of a text cell shows as long as the cursor is there.
    void SetEditor(QLineEdit* editor) { editor_ = editor; }
    void CancelEdit()
    {
        if (editor_ && state() == EditingState)
            closeEditor(editor_, QAbstractItemDelegate::NoHint);
    }
    void ShowEditor()
    {
        const QModelIndex current = currentIndex();
        if (state() != EditingState && current.isValid() && (current.flags() & Qt::ItemIsEditable))
            edit(current);
    }
    // A key the editor leaves to the grid.
    void ForwardKey(QKeyEvent* event) { keyPressEvent(event); }

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const QModelIndex current = currentIndex();
        QModelIndex target;
        if ((action == MoveNext || action == MovePrevious) && current.isValid())
            // Tab walks the texts of the subjects: it never toggles a sex.
            target = NextText(current, action == MoveNext);
        else
            target = QTableWidget::moveCursor(action, modifiers);
        if (!target.isValid() || target == current)
            return current;
        return Enter(target) ? target : current;
    }

    void mousePressEvent(QMouseEvent* event) override
    {
        const QPoint pos = event->position().toPoint();
        if (event->button() == Qt::LeftButton)
        {
            resizing_ = BorderAt(pos);
            if (resizing_ >= 0)
                return;
        }
        if (!Click(event))
            QTableWidget::mousePressEvent(event);
    }

    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        // A quick second click on a sex cell is a second toggle.
        if (!Click(event))
            QTableWidget::mouseDoubleClickEvent(event);
    }

    void mouseMoveEvent(QMouseEvent* event) override
    {
        const QPoint pos = event->position().toPoint();
        if (resizing_ >= 0)
        {
            setColumnWidth(resizing_, qMax(kMinColumnWidth, pos.x() - columnViewportPosition(resizing_)));
            return;
        }
        mouseMove_(pos.x(), pos.y());
        if (BorderAt(pos) >= 0)
            viewport()->setCursor(Qt::SplitHCursor);
        // Dragging never carries the cursor into a cell it may not enter.
        const QModelIndex index = indexAt(pos);
        if ((event->buttons() & Qt::LeftButton) && index.isValid() && !IsTextCell(index))
            return;
        QTableWidget::mouseMoveEvent(event);
    }

    void mouseReleaseEvent(QMouseEvent* event) override
    {
        if (resizing_ >= 0)
        {
            resizing_ = -1;
            return;
        }
        QTableWidget::mouseReleaseEvent(event);
    }

private:
    static bool IsTextCell(const QModelIndex& index) { return index.row() >= 1 && IsEditColumn(index.column()); }

    QModelIndex NextText(const QModelIndex& current, bool forward) const
    {
        int row = current.row();
        int column = current.column();
        do
        {
            column += forward ? 1 : -1;
            if (column >= columnCount())
            {
                column = 0;
                ++row;
            }
            else if (column < 0)
            {
                column = columnCount() - 1;
                --row;
            }
        } while (row >= 1 && row < rowCount() && !IsEditColumn(column));
        return model()->index(row, column);
    }

    bool Enter(const QModelIndex& target)
    {
        if (target.row() < 1 || target.column() < 1)
            return false;
        return selectCell_(target.column(), target.row());
    }

    // Handles a click on a cell the cursor may not enter; false for the
    // cells the grid handles itself.
    bool Click(QMouseEvent* event)
    {
        const QModelIndex index = indexAt(event->position().toPoint());
        if (!index.isValid() || IsTextCell(index))
            return false;
        if (event->button() == Qt::LeftButton)
            Enter(index);
        // The click took the focus from the editor, which closed: the text
        // cell under the cursor keeps its editor.
        ShowEditor();
        return true;
    }

    // The column whose right border in the header row lies under the pointer.
    int BorderAt(const QPoint& pos) const
    {
        if (rowAt(pos.y()) != 0)
            return -1;
        for (int column = 0; column < columnCount(); ++column)
        {
            const int right = columnViewportPosition(column) + columnWidth(column);
            if (qAbs(pos.x() - right) <= kBorderGrip)
                return column;
        }
        return -1;
    }

    SelectCell selectCell_;
    MouseMove mouseMove_;
    QPointer<QLineEdit> editor_;
    int resizing_ = -1;
};

namespace
{
// The in-place editor of the text cells. Every edit goes into the cell and
// on to the subject at once; Left at the start and Right at the end of the
// text move on to the grid, which takes them as steps to the next cell.
class TextDelegate : public QStyledItemDelegate
{
public:
    TextDelegate(TFormSubjGrid* grid, std::function<void()> edited)
        : QStyledItemDelegate(grid), grid_(grid), edited_(std::move(edited))
    {
    }

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        const QPersistentModelIndex cell(index);
        connect(editor, &QLineEdit::textEdited, editor,
                [this, cell](const QString& text)
                {
                    if (QTableWidgetItem* item = grid_->item(cell.row(), cell.column()))
                        item->setText(text);
                    edited_();
                });
        grid_->SetEditor(editor);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        // The cell changes with every key typed in the editor: writing the
        // same text back would move the editor's cursor to the end.
        auto* line = static_cast<QLineEdit*>(editor);
        const QString text = index.data(Qt::EditRole).toString();
        if (line->text() != text)
            line->setText(text);
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress)
        {
            auto* key = static_cast<QKeyEvent*>(event);
            auto* line = qobject_cast<QLineEdit*>(object);
            if (line && key->modifiers() == Qt::NoModifier && !line->hasSelectedText() &&
                ((key->key() == Qt::Key_Left && line->cursorPosition() == 0) ||
                 (key->key() == Qt::Key_Right && line->cursorPosition() == line->text().size())))
            {
                grid_->ForwardKey(key);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TFormSubjGrid* grid_;
    std::function<void()> edited_;
};
} // namespace

TFormSubj::TFormSubj(DTest& test, DLanguage& language, TFormMain& main, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), main_(main),
      dialogExec_([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("FormSubj"));
    setFont(QFont(DFonts::Family(), 8));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    // The left strip with the three buttons, one under the other.
    auto* strip = new QWidget(this);
    strip->setFixedWidth(kStripWidth);
    auto* buttons = new QVBoxLayout(strip);
    buttons->setContentsMargins(2, 2, 4, 2);
    buttons->setSpacing(0);
    auto makeButton = [&](const char* name, Picture picture)
    {
        auto* button = new QToolButton(strip);
        button->setObjectName(QLatin1String(name));
        button->setAutoRaise(true);
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setIcon(PaintPicture(picture));
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        return button;
    };
    OptionsSb = makeButton("OptionsSb", Picture::Options);
    ImpFileSb = makeButton("ImpFileSb", Picture::ImportFile);
    ImpClipSb = makeButton("ImpClipSb", Picture::ImportClipboard);
    buttons->addStretch(1);
    layout->addWidget(strip);

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // The top band: the summary above the description.
    auto* band = new QWidget(body);
    band->setFixedHeight(kBandHeight);
    auto* bandLayout = new QVBoxLayout(band);
    bandLayout->setContentsMargins(0, 8, 0, 0);
    bandLayout->setSpacing(6);

    SumGb = new QGroupBox(band);
    SumGb->setObjectName(QStringLiteral("SumGb"));
    SumGb->setFixedSize(457, 57);
    SumSt = new QLabel(SumGb);
    SumSt->setObjectName(QStringLiteral("SumSt"));
    SumSt->setFixedSize(425, 17);
    SumSt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SumSt->setIndent(3);
    auto* sumLayout = new QVBoxLayout(SumGb);
    sumLayout->setContentsMargins(16, 10, 16, 10);
    sumLayout->addWidget(SumSt, 0, Qt::AlignLeft | Qt::AlignVCenter);
    bandLayout->addWidget(SumGb, 0, Qt::AlignLeft);

    DscGb = new QGroupBox(band);
    DscGb->setObjectName(QStringLiteral("DscGb"));
    DscGb->setFixedSize(457, 58);
    DscEd = new QLineEdit(DscGb);
    DscEd->setObjectName(QStringLiteral("DscEd"));
    DscEd->setFixedSize(425, 21);
    auto* dscLayout = new QVBoxLayout(DscGb);
    dscLayout->setContentsMargins(16, 8, 16, 8);
    dscLayout->addWidget(DscEd, 0, Qt::AlignLeft | Qt::AlignVCenter);
    bandLayout->addWidget(DscGb, 0, Qt::AlignLeft);
    bandLayout->addStretch(1);
    column->addWidget(band);

    grid_ = new TFormSubjGrid([this](int c, int r) { return StringGridSelectCell(c, r); },
                              [this](int x, int y) { StringGridMouseMove(x, y); }, body);
    StringGrid = grid_;
    StringGrid->setObjectName(QStringLiteral("StringGrid"));
    StringGrid->horizontalHeader()->hide();
    StringGrid->verticalHeader()->hide();
    StringGrid->verticalHeader()->setMinimumSectionSize(1);
    StringGrid->setShowGrid(true);
    StringGrid->setWordWrap(false);
    StringGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    StringGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
    StringGrid->setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                                QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                                QAbstractItemView::EditKeyPressed);
    StringGrid->setItemDelegate(new TextDelegate(grid_, [this] { StringGridKeyUp(); }));
    StringGrid->viewport()->setMouseTracking(true);
    StringGrid->setColumnCount(kColumns);
    StringGrid->setRowCount(1);
    column->addWidget(StringGrid, 1);
    layout->addWidget(body, 1);

    FormSubjOpt = new TFormSubjOpt(test_.subj.List(), language_, this);
    FormSubjImp = new TFormSubjImp(test_.subj.List(), language_, this);

    connect(OptionsSb, &QToolButton::clicked, this, &TFormSubj::OptionsSbClick);
    connect(ImpFileSb, &QToolButton::clicked, this, &TFormSubj::ImpFileSbClick);
    connect(ImpClipSb, &QToolButton::clicked, this, &TFormSubj::ImpClipSbClick);
    connect(DscEd, &QLineEdit::textChanged, this, &TFormSubj::DscEdChange);

    ViewDesc();
}

DSubjList& TFormSubj::List()
{
    return test_.subj.List();
}

void TFormSubj::ViewDesc()
{
    SumGb->setTitle(language_.GetStr(12000));
    DscGb->setTitle(language_.GetStr(12020));
    OptionsSb->setToolTip(language_.GetStr(12030));
    ImpFileSb->setToolTip(language_.GetStr(12040));
    ImpClipSb->setToolTip(language_.GetStr(12050));
    StringGrid->setColumnCount(kColumns);
    if (StringGrid->rowCount() < 1)
        StringGrid->setRowCount(1);
    DressHeader();
}

void TFormSubj::DressHeader()
{
    const int ids[kColumns] = {12200, 12210, 12220, 12230, 12240};
    const QBrush fixed = palette().button();
    for (int column = 0; column < kColumns; ++column)
    {
        const QString text = language_.GetStr(ids[column]);
        QTableWidgetItem* item = StringGrid->item(0, column);
        if (!item)
        {
            item = new QTableWidgetItem(text);
            StringGrid->setItem(0, column, item);
        }
        else if (item->text() != text)
            item->setText(text);
        item->setFlags(Qt::ItemIsEnabled);
        item->setBackground(fixed);
    }
    for (int row = 1; row < StringGrid->rowCount(); ++row)
        if (QTableWidgetItem* item = StringGrid->item(row, ColNumber))
            item->setBackground(fixed);
    StringGrid->setRowHeight(0, main_.CellHeight());
}

void TFormSubj::Draw()
{
    if (!IsTabShown())
        return;
    language_.Handle("TFormSubj::Draw()",
                     [&]
                     {
                         grid_->CancelEdit();
                         List().DrawSummary(SumSt);
                         const QString description = test_.subj.Description().ToString();
                         if (DscEd->text() != description)
                             DscEd->setText(description);
                         List().DrawListAll(StringGrid);
                         DressHeader();
                         const QModelIndex current = StringGrid->currentIndex();
                         if (StringGrid->rowCount() > 1 &&
                             (!current.isValid() || current.row() < 1 || !IsEditColumn(current.column())))
                             StringGrid->setCurrentCell(1, ColSurname);
                         grid_->ShowEditor();
                     });
}

void TFormSubj::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    FormShow();
}

void TFormSubj::FormShow()
{
    language_.Handle("TFormSubj::FormShow()",
                     [&]
                     {
                         ViewDesc();
                         Draw();
                     });
}

void TFormSubj::DscEdChange()
{
    // Draw writes the stored text back into the box: an equal text is no
    // change by the user.
    language_.Handle("TFormSubj::DscEdChange()", [&] { test_.subj.Description().UserUpdate(DscEd->text()); });
}

bool TFormSubj::StringGridSelectCell(int column, int row)
{
    if (column != ColSex)
        return true;
    language_.Handle("TFormSubj::StringGridSelectCell()",
                     [&]
                     {
                         const QString text = List().GetSelected(row - 1).sex.Invert();
                         if (QTableWidgetItem* item = StringGrid->item(row, ColSex))
                             item->setText(text);
                         List().DrawSummary(SumSt);
                     });
    return false;
}

void TFormSubj::StringGridKeyUp()
{
    language_.Handle("TFormSubj::StringGridKeyUp()",
                     [&]
                     {
                         const int row = StringGrid->currentRow();
                         const int column = StringGrid->currentColumn();
                         if (row < 1 || !IsEditColumn(column))
                             return;
                         const QTableWidgetItem* item = StringGrid->item(row, column);
                         const QString text = item ? item->text() : QString();
                         DSubjElem& subject = List().GetSelected(row - 1);
                         switch (column)
                         {
                         case ColSurname:
                             subject.appe.Surname().UserUpdate(text);
                             break;
                         case ColName:
                             subject.appe.Name().UserUpdate(text);
                             break;
                         default:
                             subject.note.UserUpdate(text);
                             break;
                         }
                     });
}

void TFormSubj::StringGridMouseMove(int x, int)
{
    language_.Handle("TFormSubj::StringGridMouseMove()",
                     [&]
                     {
                         const int left = StringGrid->columnViewportPosition(ColSex);
                         const int right = left + StringGrid->columnWidth(ColSex);
                         if (x > left && x < right)
                             StringGrid->viewport()->setCursor(Qt::PointingHandCursor);
                         else
                             StringGrid->viewport()->unsetCursor();
                     });
}

void TFormSubj::ImpFileSbClick()
{
    language_.Handle("TFormSubj::ImpFileSbClick()",
                     [&]
                     {
                         const QString path = main_.AskOpenPath();
                         if (path.isEmpty())
                             return;
                         test_.file.ReadOnlySubjects(path);
                         Draw();
                     });
}

void TFormSubj::ImpClipSbClick()
{
    language_.Handle("TFormSubj::ImpClipSbClick()",
                     [&]
                     {
                         grid_->CancelEdit();
                         FormSubjImp->FormShow();
                         if (dialogExec_(*FormSubjImp) == QDialog::Accepted)
                             Draw();
                     });
}

void TFormSubj::OptionsSbClick()
{
    language_.Handle("TFormSubj::OptionsSbClick()",
                     [&]
                     {
                         grid_->CancelEdit();
                         FormSubjOpt->FormShow();
                         if (dialogExec_(*FormSubjOpt) == QDialog::Accepted)
                             Draw();
                         else
                             List().DrawSummary(SumSt);
                     });
}
