#pragma once

#include <QPointer>
#include <QSet>
#include <QTableWidget>

#include <functional>

class QAbstractButton;
class QLineEdit;

// The grid of the pages. Row 0 and column 0 are cells holding the header
// row and the number column, so that the pages fill and read every grid by
// the same row and column numbers. ShowFixedInHeaders puts them into the
// grid's own header views, which stay in place while the cells scroll and
// size the columns; without it the real headers are hidden, the grid gives
// the cells of row 0 and column 0 the fixed look itself and lets the user
// size a column by dragging its right border within row 0.
//
// A page whose grid the user types in hands over its edit columns and what
// toggles a cell (SetTyping). The grid then works like a spreadsheet: the
// cursor stays out of the fixed cells; arrows, Tab and Enter only move it;
// typing on a text cell starts an edit that replaces the text, F2 or a
// double click one that keeps it; Escape takes the edit back, Delete clears
// the cell; Space or a click toggles any other cell. Every key typed in an
// editor is passed on at once.
class TGrid : public QTableWidget
{
    Q_OBJECT
public:
    using EditColumn = std::function<bool(int column)>;
    using Toggle = std::function<void(int column, int row)>;
    using Edited = std::function<void()>;
    using MouseMove = std::function<void(int x, int y)>;
    using CellEdited = std::function<void(int column, int row, const QString& before, const QString& after)>;

    explicit TGrid(QWidget* parent = nullptr);

    // editColumn: whether the cells of a column below the header are typed
    // in. toggle: Space or a click on a cell of any other column below the
    // header. edited: runs after every change the user makes in a cell, the
    // cell already holding it.
    void SetTyping(EditColumn editColumn, Toggle toggle, Edited edited);
    // Runs once per edited cell, when its editor closes (or CommitEdit runs)
    // on a text other than the one it opened with: the cell edit as one
    // step, however many keys it took.
    void SetCellEdited(CellEdited cellEdited);
    // Hands an edit in progress to the cell-edited handler now, so that
    // whatever the user does next comes after it; the editor stays open.
    void CommitEdit();
    // Receives the viewport coordinates of the pointer over the cells; it
    // may set the pointer's shape, except over a border it can drag.
    void SetMouseMove(MouseMove mouseMove);

    // Gives a cell, created if missing, the look of a fixed one; it can be
    // neither selected nor edited.
    void MarkFixed(int row, int column);
    // Fixes the cells of row 0 and column 0, makes the others selectable and
    // those of the edit columns editable as well.
    void DressCells();
    // The pointer at x (viewport coordinates) becomes a hand inside the
    // column, whose cells a click toggles, and the arrow elsewhere.
    void PointHandOver(int column, int x);

    // Ends an edit in progress without storing it, so that a redraw is not
    // overwritten by the editor's old text.
    void CancelEdit();
    // Shows the cells of row 0 and column 0 in the grid's own header views,
    // which stay in place while the cells scroll; the cells themselves are
    // hidden but keep their texts, so the rows and columns keep their
    // numbers. The header of column 0 goes into the corner.
    void ShowFixedInHeaders();

    // Gives each column its starting width, except the columns whose width
    // the user dragged: those keep it through every redraw.
    void SetColumnWidths(const QList<int>& widths);

protected:
    QModelIndex moveCursor(CursorAction action, Qt::KeyboardModifiers modifiers) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyboardSearch(const QString& search) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;

private:
    class Delegate;

    bool IsTyping() const { return static_cast<bool>(toggle_); }
    bool IsFixed(const QModelIndex& index) const { return index.row() < 1 || index.column() < 1; }
    bool IsEditCell(const QModelIndex& index) const;
    // A cell below the header that Space or a click toggles.
    bool IsToggleCell(const QModelIndex& index) const;
    // The text of the cell being edited.
    QString EditText() const;
    QModelIndex NextCell(const QModelIndex& current, bool forward) const;
    // Ends the open edit, keeping what was typed, and moves the cursor by
    // rows (Enter) or to the next or previous cell (Tab).
    void FinishEdit();
    void StepRows(int rows);
    // Empties the current text cell: one edit.
    void ClearCell();
    bool Click(QMouseEvent* event);
    // The editor's text back to the one it opened with, in the cell and the
    // page alike; false when there was nothing to restore.
    bool RevertEdit();
    int BorderAt(const QPoint& pos) const;
    // The header views' texts and sizes from row 0 and column 0.
    void SyncHeaders();
    bool eventFilter(QObject* object, QEvent* event) override;

    EditColumn editColumn_;
    Toggle toggle_;
    MouseMove mouseMove_;
    QPointer<QLineEdit> editor_;
    Edited edited_;
    CellEdited cellEdited_;
    // The cell of the open editor and its text when the edit began.
    QPersistentModelIndex editCell_;
    QString editBefore_;
    // The column whose border is being dragged, -1 while none is; where the
    // drag started and the column's width then.
    int sizing_ = -1;
    int sizingX_ = 0;
    int sizingWidth_ = 0;
    // The columns whose width the user dragged; set while the program sizes
    // the columns, so that its widths are not taken for the user's.
    QSet<int> dragged_;
    bool sizingColumns_ = false;
    bool fixedInHeaders_ = false;
    QAbstractButton* corner_ = nullptr;
};
