#include "kit/TGrid.h"
#include "kit/TFormPage.h"
#include "model/DElemString.h"

#include <QAbstractButton>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace
{
// How near a column border in the header row the pointer grabs it.
constexpr int kBorderGrip = 3;
constexpr int kMinColumnWidth = 8;

void Fix(QTableWidgetItem* item, const QBrush& fixed)
{
    if (item->flags() != Qt::ItemIsEnabled)
        item->setFlags(Qt::ItemIsEnabled);
    if (item->background() != fixed)
        item->setBackground(fixed);
}
} // namespace

// The in-place editor of the edit cells. Every edit goes into the cell and
// on to the page at once; Left at the start and Right at the end of the text
// go on to the grid, which takes them as steps to the neighbouring cell.
class TGrid::Delegate : public QStyledItemDelegate
{
public:
    Delegate(TGrid* grid, Edited edited) : QStyledItemDelegate(grid), grid_(grid), edited_(std::move(edited)) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex& index) const override
    {
        auto* editor = new QLineEdit(parent);
        editor->setFrame(false);
        // The editor's own limit would cut a longer stored text.
        editor->setMaxLength(DElemString::kMaxLength);
        const QPersistentModelIndex cell(index);
        grid_->editCell_ = cell;
        grid_->editBefore_ = index.data(Qt::EditRole).toString();
        connect(editor, &QLineEdit::textEdited, editor,
                [this, cell](const QString& text)
                {
                    if (QTableWidgetItem* item = grid_->item(cell.row(), cell.column()))
                        item->setText(text);
                    edited_();
                });
        grid_->editor_ = editor;
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
        // Undo and redo inside an editor work on the whole cell: Undo (and
        // Escape) bring back the text from before the edit, leaving no step;
        // with nothing typed they are the window's commands, which undo the
        // edits of cells already left.
        if (event->type() == QEvent::ShortcutOverride)
        {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y))
            {
                const bool pending = grid_->editCell_.isValid() && grid_->EditText() != grid_->editBefore_;
                if (pending && key->matches(QKeySequence::Undo))
                    key->accept();
                else
                    key->ignore();
                return true;
            }
        }
        if (event->type() == QEvent::KeyPress)
        {
            auto* key = static_cast<QKeyEvent*>(event);
            if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
                key->keyCombination() == QKeyCombination(Qt::CTRL | Qt::Key_Y))
            {
                // The editor's own key-by-key history never runs.
                if (key->matches(QKeySequence::Undo))
                    grid_->RevertEdit();
                key->accept();
                return true;
            }
            if (key->key() == Qt::Key_Escape)
                grid_->RevertEdit();
            if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
                (key->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier)) == Qt::NoModifier)
            {
                // Enter keeps what was typed and goes on to the next row, as
                // in a spreadsheet; Shift+Enter to the row above.
                grid_->FinishEdit();
                grid_->StepRows(key->modifiers() & Qt::ShiftModifier ? -1 : 1);
                key->accept();
                return true;
            }
            auto* line = qobject_cast<QLineEdit*>(object);
            if (line && key->modifiers() == Qt::NoModifier && !line->hasSelectedText() &&
                ((key->key() == Qt::Key_Left && line->cursorPosition() == 0) ||
                 (key->key() == Qt::Key_Right && line->cursorPosition() == line->text().size())))
            {
                grid_->keyPressEvent(key);
                // Handled, even where the grid had no cell to step to: left
                // ignored, the key would travel on from the editor to the
                // grid a second time and undo a toggle.
                key->accept();
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TGrid* grid_;
    Edited edited_;
};

QString TGrid::EditText() const
{
    const QTableWidgetItem* cell = editCell_.isValid() ? item(editCell_.row(), editCell_.column()) : nullptr;
    return cell ? cell->text() : QString();
}

TGrid::TGrid(QWidget* parent) : QTableWidget(parent)
{
    connect(horizontalHeader(), &QHeaderView::sectionResized, this,
            [this](int column)
            {
                if (!sizingColumns_)
                    dragged_.insert(column);
            });
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The pointer's shape follows the borders of row 0 without a button held.
    viewport()->setMouseTracking(true);
}

void TGrid::SetTyping(EditColumn editColumn, Toggle toggle, Edited edited)
{
    editColumn_ = std::move(editColumn);
    toggle_ = std::move(toggle);
    // Rows are as high as a one-line edit field, which may be lower than the
    // header's own minimum for a section.
    verticalHeader()->setMinimumSectionSize(1);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    // No editor opens by itself: a cell the cursor lands on is only
    // selected, so that no key meant for moving can change its text.
    setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                    QAbstractItemView::EditKeyPressed);
    edited_ = edited;
    setItemDelegate(new Delegate(this, std::move(edited)));
}

void TGrid::SetCellEdited(CellEdited cellEdited)
{
    cellEdited_ = std::move(cellEdited);
}

void TGrid::CommitEdit()
{
    if (!editCell_.isValid())
        return;
    const QString after = EditText();
    if (after == editBefore_)
        return;
    const QString before = std::exchange(editBefore_, after);
    if (cellEdited_)
        cellEdited_(editCell_.column(), editCell_.row(), before, after);
}

bool TGrid::RevertEdit()
{
    if (!editCell_.isValid() || EditText() == editBefore_)
        return false;
    if (QTableWidgetItem* cell = item(editCell_.row(), editCell_.column()))
        cell->setText(editBefore_);
    if (editor_)
        editor_->setText(editBefore_);
    if (edited_)
        edited_();
    for (QWidget* parent = parentWidget(); parent; parent = parent->parentWidget())
        if (auto* page = qobject_cast<TFormPage*>(parent))
        {
            page->EditReverted();
            break;
        }
    return true;
}

void TGrid::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    if (editor == editor_)
    {
        CommitEdit();
        editCell_ = QPersistentModelIndex();
    }
    // Tab out of an editor moves like Tab on the grid: the cell it reaches
    // is selected, not opened with its text selected for replacing.
    const bool next = hint == QAbstractItemDelegate::EditNextItem;
    const bool previous = hint == QAbstractItemDelegate::EditPreviousItem;
    QTableWidget::closeEditor(editor, next || previous ? QAbstractItemDelegate::NoHint : hint);
    if (next || previous)
    {
        const QModelIndex target = moveCursor(next ? MoveNext : MovePrevious, Qt::NoModifier);
        if (target.isValid())
            setCurrentIndex(target);
    }
}

void TGrid::FinishEdit()
{
    if (editor_ && state() == EditingState)
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void TGrid::StepRows(int rows)
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return;
    const int row = current.row() + rows;
    if (row >= 1 && row < rowCount())
        setCurrentIndex(model()->index(row, current.column()));
}

void TGrid::ClearCell()
{
    const QModelIndex current = currentIndex();
    QTableWidgetItem* cell = item(current.row(), current.column());
    if (!cell || cell->text().isEmpty())
        return;
    const QString before = cell->text();
    cell->setText(QString());
    if (edited_)
        edited_();
    if (cellEdited_)
        cellEdited_(current.column(), current.row(), before, QString());
}

void TGrid::SetMouseMove(MouseMove mouseMove)
{
    mouseMove_ = std::move(mouseMove);
}

void TGrid::MarkFixed(int row, int column)
{
    QTableWidgetItem* cell = item(row, column);
    if (!cell)
    {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    Fix(cell, palette().button());
}

void TGrid::DressCells()
{
    const QBrush fixed = palette().button();
    for (int row = 0; row < rowCount(); ++row)
        for (int column = 0; column < columnCount(); ++column)
        {
            QTableWidgetItem* cell = item(row, column);
            if (!cell)
                continue;
            if (row == 0 || column == 0)
            {
                Fix(cell, fixed);
                continue;
            }
            Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
            if (editColumn_ && editColumn_(column))
                flags |= Qt::ItemIsEditable;
            if (cell->flags() != flags)
                cell->setFlags(flags);
        }
}

void TGrid::PointHandOver(int column, int x)
{
    const int left = columnViewportPosition(column);
    const int right = left + columnWidth(column);
    if (x > left && x < right)
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
}

void TGrid::CancelEdit()
{
    if (editor_ && state() == EditingState)
        closeEditor(editor_, QAbstractItemDelegate::NoHint);
}

void TGrid::ShowFixedInHeaders()
{
    if (fixedInHeaders_)
        return;
    fixedInHeaders_ = true;
    for (QHeaderView* header : {horizontalHeader(), verticalHeader()})
    {
        // A click on a header selects nothing: a header is no cell to stand on.
        header->setSectionsClickable(false);
        header->setHighlightSections(false);
        header->show();
    }
    // Rows keep the height the pages give them, lower than the header's own
    // minimum may be.
    verticalHeader()->setMinimumSectionSize(1);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    corner_ = findChild<QAbstractButton*>();
    if (corner_)
        corner_->installEventFilter(this);
    const auto sync = [this] { SyncHeaders(); };
    connect(model(), &QAbstractItemModel::dataChanged, this,
            [this](const QModelIndex& topLeft)
            {
                if (topLeft.row() == 0 || topLeft.column() == 0)
                    SyncHeaders();
            });
    // The header row is as high as the rows below it.
    connect(verticalHeader(), &QHeaderView::sectionResized, this,
            [this](int row, int, int height)
            {
                if (row == 1 && height > 0)
                    horizontalHeader()->setFixedHeight(height);
            });
    connect(model(), &QAbstractItemModel::rowsInserted, this, sync);
    connect(model(), &QAbstractItemModel::columnsInserted, this, sync);
    connect(model(), &QAbstractItemModel::rowsRemoved, this, sync);
    connect(model(), &QAbstractItemModel::columnsRemoved, this, sync);
    SyncHeaders();
}

void TGrid::SyncHeaders()
{
    if (!fixedInHeaders_)
        return;
    if (rowCount() > 0 && !isRowHidden(0))
        setRowHidden(0, true);
    if (columnCount() > 0 && !isColumnHidden(0))
        setColumnHidden(0, true);
    const auto text = [this](int row, int column)
    {
        const QTableWidgetItem* cell = item(row, column);
        return cell ? cell->text() : QString();
    };
    for (int column = 1; column < columnCount(); ++column)
    {
        QTableWidgetItem* header = horizontalHeaderItem(column);
        if (!header)
            setHorizontalHeaderItem(column, new QTableWidgetItem(text(0, column)));
        else if (header->text() != text(0, column))
            header->setText(text(0, column));
    }
    for (int row = 1; row < rowCount(); ++row)
    {
        QTableWidgetItem* header = verticalHeaderItem(row);
        if (!header)
            setVerticalHeaderItem(row, new QTableWidgetItem(text(row, 0)));
        else if (header->text() != text(row, 0))
            header->setText(text(row, 0));
    }
    if (corner_)
        corner_->update();
}

bool TGrid::eventFilter(QObject* object, QEvent* event)
{
    // The corner above the row numbers shows the number column's title.
    if (object == corner_ && event->type() == QEvent::Paint && item(0, 0))
    {
        QStyleOptionHeader option;
        option.initFrom(corner_);
        option.rect = corner_->rect();
        option.text = item(0, 0)->text();
        option.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        option.orientation = Qt::Horizontal;
        QPainter painter(corner_);
        corner_->style()->drawControl(QStyle::CE_Header, &option, &painter, corner_);
        return true;
    }
    return QTableWidget::eventFilter(object, event);
}

void TGrid::SetColumnWidths(const QList<int>& widths)
{
    sizingColumns_ = true;
    for (int column = 0; column < widths.size() && column < columnCount(); ++column)
        if (!dragged_.contains(column) && columnWidth(column) != widths.at(column))
            setColumnWidth(column, widths.at(column));
    sizingColumns_ = false;
    // The number column's width becomes the row header's least width; the
    // header grows with wider numbers.
    if (fixedInHeaders_ && !widths.isEmpty())
        verticalHeader()->setMinimumWidth(widths.at(0));
}

QModelIndex TGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (!IsTyping())
        return QTableWidget::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    if ((action == MoveNext || action == MovePrevious) && current.isValid())
    {
        const QModelIndex next = NextCell(current, action == MoveNext);
        return next.isValid() ? next : current;
    }
    QModelIndex target = QTableWidget::moveCursor(action, modifiers);
    if (!target.isValid())
        return current;
    // Page Up, Home and the like stop at the first cell below and right of
    // the fixed ones.
    return model()->index(std::max(1, target.row()), std::max(1, target.column()));
}

bool TGrid::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    const bool editing = QTableWidget::edit(index, trigger, event);
    // The view opens an editor with its whole text selected, ready to be
    // replaced by the key that opened it; F2 and a double click go on
    // with the text instead.
    if (editing && editor_ && (trigger == EditKeyPressed || trigger == DoubleClicked))
    {
        editor_->deselect();
        editor_->end(false);
    }
    return editing;
}

void TGrid::keyPressEvent(QKeyEvent* event)
{
    if (IsTyping() && state() != EditingState)
    {
        const QModelIndex current = currentIndex();
        const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
        switch (event->key())
        {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if ((modifiers & ~Qt::ShiftModifier) == Qt::NoModifier)
            {
                StepRows(modifiers & Qt::ShiftModifier ? -1 : 1);
                return;
            }
            break;
        case Qt::Key_Space:
            if (modifiers == Qt::NoModifier && IsToggleCell(current))
            {
                toggle_(current.column(), current.row());
                return;
            }
            break;
        case Qt::Key_Delete:
            if (modifiers == Qt::NoModifier && IsEditCell(current))
            {
                ClearCell();
                return;
            }
            break;
        default:
            break;
        }
    }
    QTableWidget::keyPressEvent(event);
}

void TGrid::keyboardSearch(const QString& search)
{
    // A letter typed on a cell that takes no text would jump to a cell
    // starting with it: only keys meant for moving move.
    if (!IsTyping())
        QTableWidget::keyboardSearch(search);
}

void TGrid::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (event->button() == Qt::LeftButton)
    {
        sizing_ = BorderAt(pos);
        if (sizing_ >= 0)
        {
            sizingX_ = pos.x();
            sizingWidth_ = columnWidth(sizing_);
            return;
        }
    }
    if (!Click(event))
        QTableWidget::mousePressEvent(event);
}

void TGrid::mouseDoubleClickEvent(QMouseEvent* event)
{
    // A quick second click on a toggle cell is a second toggle.
    if (!Click(event))
        QTableWidget::mouseDoubleClickEvent(event);
}

void TGrid::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    if (sizing_ >= 0)
    {
        setColumnWidth(sizing_, std::max(kMinColumnWidth, sizingWidth_ + pos.x() - sizingX_));
        return;
    }
    if (mouseMove_)
        mouseMove_(pos.x(), pos.y());
    else
        viewport()->unsetCursor();
    if (BorderAt(pos) >= 0)
        viewport()->setCursor(Qt::SplitHCursor);
    // Dragging never carries the cursor into a fixed cell.
    const QModelIndex index = indexAt(pos);
    if (IsTyping() && (event->buttons() & Qt::LeftButton) && index.isValid() && IsFixed(index))
        return;
    QTableWidget::mouseMoveEvent(event);
}

void TGrid::mouseReleaseEvent(QMouseEvent* event)
{
    if (sizing_ >= 0)
    {
        sizing_ = -1;
        return;
    }
    QTableWidget::mouseReleaseEvent(event);
}

bool TGrid::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Leave && sizing_ < 0)
        viewport()->unsetCursor();
    return QTableWidget::viewportEvent(event);
}

bool TGrid::IsEditCell(const QModelIndex& index) const
{
    return index.isValid() && !IsFixed(index) && editColumn_ && editColumn_(index.column());
}

bool TGrid::IsToggleCell(const QModelIndex& index) const
{
    return IsTyping() && index.isValid() && !IsFixed(index) && !IsEditCell(index);
}

QModelIndex TGrid::NextCell(const QModelIndex& current, bool forward) const
{
    // Row by row through the cells right of the number column.
    int row = current.row();
    int column = current.column() + (forward ? 1 : -1);
    if (column >= columnCount())
    {
        column = 1;
        ++row;
    }
    else if (column < 1)
    {
        column = columnCount() - 1;
        --row;
    }
    if (row < 1 || row >= rowCount())
        return {};
    return model()->index(row, column);
}

bool TGrid::Click(QMouseEvent* event)
{
    // Handles a click on a fixed or a toggle cell; false for the cells the
    // view handles itself.
    if (!IsTyping())
        return false;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || IsEditCell(index))
        return false;
    if (event->button() == Qt::LeftButton && IsToggleCell(index))
    {
        // The edit in progress ends with what was typed; the toggled cell
        // becomes the current one, where a typed letter changes nothing.
        FinishEdit();
        setCurrentIndex(index);
        toggle_(index.column(), index.row());
    }
    return true;
}

int TGrid::BorderAt(const QPoint& pos) const
{
    // The column whose right border in the header row lies under the pointer.
    if (rowAt(pos.y()) != 0)
        return -1;
    for (int column = 0; column < columnCount(); ++column)
    {
        const int right = columnViewportPosition(column) + columnWidth(column);
        if (std::abs(pos.x() - right) <= kBorderGrip)
            return column;
    }
    return -1;
}
