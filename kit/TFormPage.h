#pragma once

#include <QWidget>

#include <functional>

class QDialog;
class QIcon;
class QUndoCommand;
class TFormHost;
class QScrollArea;
class QToolButton;

// Base of the windows that the main window embeds into its tabs. A page has
// no border, fills its tab and writes in the application's 8 point font; the
// main window shows it and calls Draw
// whenever its tab becomes the visible one, after New and Open, and the
// language dialog calls ViewDesc and Draw after a language change.
class TFormPage : public QWidget
{
    Q_OBJECT
public:
    explicit TFormPage(QWidget* parent = nullptr);
    ~TFormPage() override;

    // Re-reads every text of the page from the string table.
    virtual void ViewDesc() {}
    // Refreshes everything the page shows from the test document. Pages
    // return at once while their tab is hidden (see IsTabShown): the tab's
    // show handler draws them when the user comes back.
    virtual void Draw() {}
    // The scrolling area of an analysis page, which the main window scrolls
    // with the mouse wheel; none on the other pages.
    virtual QScrollArea* ScrollBox() { return nullptr; }

    // The page's modal dialogs are created once and run through this hook
    // (QDialog::exec while none is set), so that tests can answer them
    // without a screen.
    using DialogExec = std::function<int(QDialog&)>;
    void SetDialogExec(DialogExec exec) { dialogExec_ = std::move(exec); }

    // The window that holds the page; the main window sets it when it takes
    // the page.
    void SetHost(TFormHost* host) { host_ = host; }
    // Does a user change as one step of the host's history, which owns it
    // from now on; without a history the change is simply done.
    void Push(QUndoCommand* command);
    // Push as a function, for code that makes its step after the change is
    // done (a change between two copies of the test). The open edits go to
    // the history at once, so that the change comes after them.
    std::function<void(QUndoCommand*)> Pusher();
    // Hands the edits still open in the page's fields to the history, so
    // that an undo, a save or another step comes after them.
    virtual void CommitEdits();
    // Tells the host that an editor of the page took back its typing.
    void EditReverted();

    // The flat picture buttons of the strip on the left of a page.
    static constexpr int kButtonSize = 55;
    static constexpr int kIconSize = 44;

protected:
    // True while the page's tab is the one shown in a visible main window.
    bool IsTabShown() const { return isVisible(); }
    // Runs a modal dialog of the page; its result code.
    int ExecDialog(QDialog& dialog);
    // A flat picture button of the strip; placed by the caller.
    static QToolButton* MakeStripButton(QWidget* strip, const QIcon& icon);
    // Gives the control the focus as the page shows, unless the user is
    // going from tab to tab with the arrow keys: the keys stay on the tabs.
    static void TakeFocus(QWidget* control);

public:
    // A control that shows a picture rather than words says what it does in
    // its hint, and in the same words to a screen reader.
    static void SetHint(QWidget* control, const QString& hint);

private:
    DialogExec dialogExec_;
    TFormHost* host_ = nullptr;
};
