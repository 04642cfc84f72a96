#pragma once

#include "pages/commands/DCommand.h"

#include <QUndoCommand>
#include <QtGlobal>

class DTest;

// One answer picked or cleared in the choice matrix: question, answer and
// subject counted from 1, and the cell's value before and after.
class DCommandAnswer : public DCommand
{
public:
    DCommandAnswer(DTest& test, qint32 question, qint32 answer, qint32 subject, qint32 before, qint32 after);

    void undo() override;
    void redo() override;

private:
    DTest& test_;
    qint32 question_;
    qint32 answer_;
    qint32 subject_;
    qint32 before_;
    qint32 after_;
};
