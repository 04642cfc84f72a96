#include "kit/TGrid.h"
#include "kit/TFormPage.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
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
    horizontalHeader()->hide();
    verticalHeader()->hide();
    setWordWrap(false);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // The pointer's shape follows the borders of row 0 without a button held.
    viewport()->setMouseTracking(true);
}

void TGrid::SetTyping(EditColumn editColumn, SelectCell selectCell, Edited edited)
{
    editColumn_ = std::move(editColumn);
    selectCell_ = std::move(selectCell);
    // Rows are as high as a one-line edit field, which may be lower than the
    // header's own minimum for a section.
    verticalHeader()->setMinimumSectionSize(1);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setEditTriggers(QAbstractItemView::CurrentChanged | QAbstractItemView::AnyKeyPressed |
                    QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
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
    QTableWidget::closeEditor(editor, hint);
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

void TGrid::ShowEditor()
{
    const QModelIndex current = currentIndex();
    if (state() != EditingState && current.isValid() && (current.flags() & Qt::ItemIsEditable))
        edit(current);
}

QModelIndex TGrid::moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers)
{
    if (!IsTyping())
        return QTableWidget::moveCursor(action, modifiers);
    const QModelIndex current = currentIndex();
    QModelIndex target;
    if ((action == MoveNext || action == MovePrevious) && current.isValid())
        // Tab walks the edit cells: it never toggles anything.
        target = NextEditCell(current, action == MoveNext);
    else
    {
        target = QTableWidget::moveCursor(action, modifiers);
        // Page Up and the like stop at the first row below the header.
        if (target.isValid() && target.row() < 1 && target.column() >= 1)
            target = model()->index(1, target.column());
    }
    if (!target.isValid() || target == current)
        return current;
    return Enter(target) ? target : current;
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
    // Dragging never carries the cursor into a cell it may not enter.
    const QModelIndex index = indexAt(pos);
    if (IsTyping() && (event->buttons() & Qt::LeftButton) && index.isValid() && !IsEditCell(index))
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
    return index.row() >= 1 && editColumn_ && editColumn_(index.column());
}

QModelIndex TGrid::NextEditCell(const QModelIndex& current, bool forward) const
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
    } while (row >= 1 && row < rowCount() && !editColumn_(column));
    return model()->index(row, column);
}

bool TGrid::Enter(const QModelIndex& target)
{
    if (target.row() < 1 || target.column() < 1)
        return false;
    return selectCell_(target.column(), target.row());
}

bool TGrid::Click(QMouseEvent* event)
{
    // Handles a click on a cell the cursor may not enter; false for the
    // cells the grid handles itself.
    if (!IsTyping())
        return false;
    const QModelIndex index = indexAt(event->position().toPoint());
    if (!index.isValid() || IsEditCell(index))
        return false;
    if (event->button() == Qt::LeftButton)
        Enter(index);
    // The click took the focus from the editor, which closed: the edit cell
    // under the cursor keeps its editor.
    ShowEditor();
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
