#include "questions/TFormQues.h"

#include "app/DFonts.h"
#include "app/TFormMain.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"
#include "questions/TFormQuesOpt.h"

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
constexpr int kStripWidth = 59;
constexpr int kButtonSize = 55;
constexpr int kIconSize = 44;
constexpr int kBandHeight = 65;
// How near a column border in the header row the pointer grabs it.
constexpr int kBorderGrip = 2;
constexpr int kMinColumnWidth = 8;

const QColor kOutline(0x26, 0x37, 0x46);
const QColor kLine(0x8F, 0xA3, 0xB8);

// A sheet with question lines, each marked with its polarity: the common
// part of the two button pictures.
void PaintSheet(QPainter& p, const QRectF& sheet)
{
    p.setPen(QPen(kOutline, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::white);
    p.drawRoundedRect(sheet, 2, 2);
    const QColor marks[] = {QColor(0x3C, 0xA0, 0x4B), QColor(0xD2, 0x4B, 0x3C), QColor(0x3C, 0xA0, 0x4B)};
    for (int k = 0; k < 3; ++k)
    {
        const qreal y = sheet.top() + 8 + k * 9;
        p.setPen(Qt::NoPen);
        p.setBrush(marks[k]);
        p.drawEllipse(QPointF(sheet.left() + 7, y), 3, 3);
        p.setPen(QPen(kLine, 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(sheet.left() + 13, y), QPointF(sheet.right() - 5, y));
    }
}

QIcon Picture(bool import)
{
    QPixmap pixmap(kIconSize, kIconSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (import)
    {
        // The questions come into this test from another file: an arrow
        // into the sheet.
        PaintSheet(p, QRectF(14, 6, 26, 33));
        QPainterPath arrow;
        arrow.moveTo(3, 22);
        arrow.lineTo(11, 22);
        arrow.lineTo(11, 15);
        arrow.lineTo(22, 26);
        arrow.lineTo(11, 37);
        arrow.lineTo(11, 30);
        arrow.lineTo(3, 30);
        arrow.closeSubpath();
        p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xF4, 0xB6, 0x3F));
        p.drawPath(arrow);
    }
    else
    {
        // How many questions: the sheet with a spin of up and down arrows.
        PaintSheet(p, QRectF(4, 6, 26, 33));
        p.setPen(QPen(kOutline, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.setBrush(QColor(0xF4, 0xB6, 0x3F));
        p.drawPolygon(QPolygonF({QPointF(33, 19), QPointF(42, 19), QPointF(37.5, 10)}));
        p.drawPolygon(QPolygonF({QPointF(33, 26), QPointF(42, 26), QPointF(37.5, 35)}));
    }
    return QIcon(pixmap);
}
} // namespace

// The grid of the page. Row 0 and column 0 are ordinary cells standing for
// the fixed header row and column, so the grid itself keeps the cursor out
// of them, asks the page before it enters a cell (the type column is a
// toggle, never a place to stand), and lets the user drag column borders in
// the header row.
class TFormQuesGrid : public QTableWidget
{
public:
    using SelectCell = std::function<bool(int column, int row)>;
    using MouseMove = std::function<void(int x, int y)>;

    TFormQuesGrid(SelectCell selectCell, MouseMove mouseMove, QWidget* parent)
        : QTableWidget(parent), selectCell_(std::move(selectCell)), mouseMove_(std::move(mouseMove))
    {
    }

    // The editor of the text column shows as long as the cursor is there.
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

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override
    {
        const QModelIndex current = currentIndex();
        QModelIndex target;
        if ((action == MoveNext || action == MovePrevious) && current.isValid())
            // Tab walks the texts, the only cells that can be edited.
            target = model()->index(current.row() + (action == MoveNext ? 1 : -1), TFormQues::kTextColumn);
        else
            target = QTableWidget::moveCursor(action, modifiers);
        // Page Up and the like stop at the first question, below the header.
        if (target.isValid() && target.row() < 1 && target.column() >= 1)
            target = model()->index(1, target.column());
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
        // A quick second click on a type cell is a second toggle.
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
    static bool IsTextCell(const QModelIndex& index)
    {
        return index.row() >= 1 && index.column() == TFormQues::kTextColumn;
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
// The in-place editor of the text column. Every edit goes into the cell and
// on to the question at once; the Left key at the start of the text is left
// to the grid, which takes it as a step into the type column.
class TextDelegate : public QStyledItemDelegate
{
public:
    TextDelegate(TFormQuesGrid* grid, std::function<void()> edited)
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
            if (line && key->key() == Qt::Key_Left && key->modifiers() == Qt::NoModifier &&
                line->cursorPosition() == 0 && !line->hasSelectedText())
            {
                // Ignored, the key goes on from the editor to the grid.
                key->ignore();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TFormQuesGrid* grid_;
    std::function<void()> edited_;
};
} // namespace

TFormQues::TFormQues(DTest& test, DLanguage& language, TFormMain& main, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), main_(main),
      dialogExec_([](QDialog& dialog) { return dialog.exec(); })
{
    setObjectName(QStringLiteral("FormQues"));
    setFont(QFont(DFonts::Family(), 8));

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* strip = new QWidget(this);
    strip->setFixedWidth(kStripWidth);
    auto* buttons = new QVBoxLayout(strip);
    buttons->setContentsMargins(2, 2, 2, 2);
    buttons->setSpacing(0);
    auto makeButton = [&](const char* name, bool import)
    {
        auto* button = new QToolButton(strip);
        button->setObjectName(QLatin1String(name));
        button->setAutoRaise(true);
        button->setFixedSize(kButtonSize, kButtonSize);
        button->setIconSize(QSize(kIconSize, kIconSize));
        button->setIcon(Picture(import));
        button->setFocusPolicy(Qt::NoFocus);
        buttons->addWidget(button);
        return button;
    };
    OptionsSb = makeButton("OptionsSb", false);
    ImportSb = makeButton("ImportSb", true);
    buttons->addStretch(1);
    layout->addWidget(strip);

    auto* body = new QWidget(this);
    auto* column = new QVBoxLayout(body);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    auto* band = new QWidget(body);
    band->setFixedHeight(kBandHeight);
    auto* bandLayout = new QHBoxLayout(band);
    bandLayout->setContentsMargins(0, 8, 0, 0);
    SumGb = new QGroupBox(band);
    SumGb->setObjectName(QStringLiteral("SumGb"));
    SumGb->setFixedSize(457, 49);
    SumQuesSt = new QLabel(SumGb);
    SumQuesSt->setObjectName(QStringLiteral("SumQuesSt"));
    SumQuesSt->setGeometry(14, 19, 425, 17);
    SumQuesSt->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SumQuesSt->setIndent(3);
    bandLayout->addWidget(SumGb, 0, Qt::AlignLeft | Qt::AlignTop);
    bandLayout->addStretch(1);
    column->addWidget(band);

    grid_ = new TFormQuesGrid([this](int c, int r) { return StringGridSelectCell(c, r); },
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
    StringGrid->setColumnCount(3);
    StringGrid->setRowCount(1);
    column->addWidget(StringGrid, 1);
    layout->addWidget(body, 1);

    FormQuesOpt = new TFormQuesOpt(test_, language_, *this, this);

    connect(OptionsSb, &QToolButton::clicked, this, &TFormQues::OptionsSbClick);
    connect(ImportSb, &QToolButton::clicked, this, &TFormQues::ImportSbClick);

    ViewDesc();
}

DQuesList& TFormQues::List()
{
    return test_.ques.List();
}

void TFormQues::ViewDesc()
{
    SumGb->setTitle(language_.GetStr(11000));
    OptionsSb->setToolTip(language_.GetStr(11030));
    ImportSb->setToolTip(language_.GetStr(11040));
    StringGrid->setColumnCount(3);
    if (StringGrid->rowCount() < 1)
        StringGrid->setRowCount(1);
    const int ids[] = {11200, 11210, 11220};
    for (int column = 0; column < 3; ++column)
    {
        const QString text = language_.GetStr(ids[column]);
        if (QTableWidgetItem* item = StringGrid->item(0, column))
            item->setText(text);
        else
            StringGrid->setItem(0, column, new QTableWidgetItem(text));
    }
    DressCells();
    StringGrid->setRowHeight(0, main_.CellHeight());
}

void TFormQues::Draw()
{
    if (!IsTabShown())
        return;
    CancelEdit();
    List().DrawSummary(SumQuesSt);
    List().Draw(StringGrid);
    DressCells();
    SetRowHeights();
    ShowEditor();
}

void TFormQues::DressCells()
{
    const QBrush fixed = palette().button();
    for (int row = 0; row < StringGrid->rowCount(); ++row)
        for (int column = 0; column < StringGrid->columnCount(); ++column)
        {
            QTableWidgetItem* item = StringGrid->item(row, column);
            if (!item)
                continue;
            Qt::ItemFlags flags = Qt::ItemIsEnabled;
            if (row == 0 || column == kNumberColumn)
                item->setBackground(fixed);
            else if (column == kTypeColumn)
                flags |= Qt::ItemIsSelectable;
            else
                flags |= Qt::ItemIsSelectable | Qt::ItemIsEditable;
            if (item->flags() != flags)
                item->setFlags(flags);
        }
}

void TFormQues::SetRowHeights()
{
    // The rows are as high as a one-line edit field of the main window, so
    // the in-place editor fits its cell.
    const int height = main_.CellHeight();
    for (int row = 0; row < StringGrid->rowCount(); ++row)
        StringGrid->setRowHeight(row, height);
}

void TFormQues::CancelEdit()
{
    grid_->CancelEdit();
}

void TFormQues::ShowEditor()
{
    grid_->ShowEditor();
}

void TFormQues::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    FormShow();
}

void TFormQues::FormShow()
{
    language_.Handle("TFormQues::FormShow()",
                     [&]
                     {
                         ViewDesc();
                         // Filled first: the grid has no question rows to select before.
                         Draw();
                         StringGrid->setFocus();
                         if (StringGrid->rowCount() > 1)
                             StringGrid->setCurrentCell(1, kTextColumn);
                         ShowEditor();
                     });
}

bool TFormQues::StringGridSelectCell(int column, int row)
{
    if (column != kTypeColumn)
        return true;
    language_.Handle("TFormQues::StringGridSelectCell()",
                     [&]
                     {
                         const QString text = List().GetSelected(row - 1).type.Invert();
                         if (QTableWidgetItem* item = StringGrid->item(row, kTypeColumn))
                             item->setText(text);
                         List().DrawSummary(SumQuesSt);
                     });
    return false;
}

void TFormQues::StringGridKeyUp()
{
    language_.Handle("TFormQues::StringGridKeyUp()",
                     [&]
                     {
                         const int row = StringGrid->currentRow();
                         if (StringGrid->currentColumn() != kTextColumn || row < 1)
                             return;
                         const QTableWidgetItem* item = StringGrid->item(row, kTextColumn);
                         text_ = item ? item->text() : QString();
                         List().GetSelected(row - 1).text.UserUpdate(text_);
                     });
}

void TFormQues::StringGridMouseMove(int x, int)
{
    language_.Handle("TFormQues::StringGridMouseMove()",
                     [&]
                     {
                         const int left = StringGrid->columnViewportPosition(kTypeColumn);
                         const int right = left + StringGrid->columnWidth(kTypeColumn);
                         if (x > left && x < right)
                             StringGrid->viewport()->setCursor(Qt::PointingHandCursor);
                         else
                             StringGrid->viewport()->unsetCursor();
                     });
}

void TFormQues::ImportSbClick()
{
    language_.Handle("TFormQues::ImportSbClick()",
                     [&]
                     {
                         const QString path = main_.AskOpenPath();
                         if (path.isEmpty())
                             return;
                         test_.file.ReadOnlyQuestions(path);
                         Draw();
                     });
}

void TFormQues::OptionsSbClick()
{
    language_.Handle("TFormQues::OptionsSbClick()",
                     [&]
                     {
                         FormQuesOpt->FormShow();
                         dialogExec_(*FormQuesOpt);
                         List().DrawSummary(SumQuesSt);
                     });
}
