#pragma once

#include <QList>
#include <QString>

class QUndoStack;
class QWidget;
class TFormPage;

// What the pages and dialogs need of the window that holds them: the height
// of a grid's header cells, the file dialog of the imports, the pages to
// redraw after a change of language, the window to centre on and the
// history of changes. The main
// window implements it; pages never see the main window itself.
class TFormHost
{
public:
    virtual int CellHeight() const = 0;
    // An empty path means the user cancelled.
    virtual QString AskOpenPath() = 0;
    virtual QList<TFormPage*> PageList() const = 0;
    // Rewrites every visible text in the current language.
    virtual void ViewDesc() = 0;
    virtual QWidget* HostWindow() = 0;
    // The history of the user's changes, which the pages push their steps
    // onto; none when the pages run without it (then a step is just done).
    virtual QUndoStack* UndoStack() { return nullptr; }
    // An open editor took back what was typed in it: the test may be as it
    // was saved again.
    virtual void EditReverted() {}

protected:
    ~TFormHost() = default;
};
