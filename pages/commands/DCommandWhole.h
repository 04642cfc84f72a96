#pragma once

#include "pages/commands/DCommand.h"
#include <QByteArray>

#include <QUndoCommand>

#include <functional>

class DTest;

// A change that reshapes the test: a count lowered or raised, an import of
// names, questions or subjects. Such changes drop or replace whole parts of
// the test, so the step keeps the test's file bytes from before and after
// and reads them back; they are rare, and the file is compact.
class DCommandWhole : public DCommand
{
public:
    using Push = std::function<void(QUndoCommand*)>;
    // Runs the change between two copies of the test and hands the step to
    // push when the test differs. A change that fails halfway through is
    // still a step (what it did can be undone), and its error passes on.
    static void Run(DTest& test, int textId, const std::function<void()>& change, const Push& push);

    DCommandWhole(DTest& test, int textId, QByteArray before, QByteArray after);

    void undo() override { Restore(before_); }
    void redo() override;

private:
    void Restore(const QByteArray& bytes);

    DTest& test_;
    QByteArray before_;
    QByteArray after_;
    // The change itself made the after state: the first redo has nothing to do.
    bool applied_ = true;
};
