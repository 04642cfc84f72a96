#pragma once

#include "pages/commands/DCommand.h"

#include <QUndoCommand>
#include <QtGlobal>

class DTest;

// One coded value the user switched: a question's polarity, a subject's sex
// or the order of names. The step keeps both values rather than switching
// again, so that a value outside the usual two comes back as it was.
class DCommandValue : public DCommand
{
public:
    enum class Field
    {
        QuesType,
        Sex,
        SubjSort
    };

    // index: the question or subject from 0 (ignored for the order of names).
    DCommandValue(DTest& test, Field field, qint32 index, qint32 before, qint32 after);

    void undo() override { Store(before_); }
    void redo() override { Store(after_); }

    static qint32 Value(const DTest& test, Field field, qint32 index);

private:
    void Store(qint32 value);

    DTest& test_;
    Field field_;
    qint32 index_;
    qint32 before_;
    qint32 after_;
};
