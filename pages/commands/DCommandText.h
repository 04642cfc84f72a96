#pragma once

#include "pages/commands/DCommand.h"
#include <QString>

#include <QUndoCommand>
#include <QtGlobal>

class DElemString;
class DTest;

// One edited text of the test: a question's text, a subject's surname, name
// or note, or the group's description. A cell typed in is one step, however
// many keys it took, so the step holds the texts from before and after the
// edit.
class DCommandText : public DCommand
{
public:
    enum class Field
    {
        QuesText,
        Surname,
        Name,
        Note,
        Description
    };

    // index: the question or subject from 0 (ignored for the description).
    DCommandText(DTest& test, Field field, qint32 index, QString before, QString after);

    void undo() override;
    void redo() override;

    // The stored text the step acts on.
    static DElemString& Element(DTest& test, Field field, qint32 index);

private:
    DTest& test_;
    Field field_;
    qint32 index_;
    QString before_;
    QString after_;
};
