#pragma once

#include <QWidget>

class QScrollArea;

// Base of the windows that the main window embeds into its tabs. A page has
// no border and fills its tab; the main window shows it and calls Draw
// whenever its tab becomes the visible one, after New and Open, and the
// language dialog calls ViewDesc and Draw after a language change.
class TFormPage : public QWidget
{
    Q_OBJECT
public:
    explicit TFormPage(QWidget* parent = nullptr);

    // Re-reads every text of the page from the string table.
    virtual void ViewDesc() {}
    // Refreshes everything the page shows from the test document. Pages
    // return at once while their tab is hidden (see IsTabShown): the tab's
    // show handler draws them when the user comes back.
    virtual void Draw() {}
    // The scrolling area of an analysis page, which the main window scrolls
    // with the mouse wheel; none on the other pages.
    virtual QScrollArea* ScrollBox() { return nullptr; }

protected:
    // True while the page's tab is the one shown in a visible main window.
    bool IsTabShown() const { return isVisible(); }
};
