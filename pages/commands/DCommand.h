#pragma once

#include "lang/DArgs.h"

#include <QUndoCommand>

// A step of the history whose text comes from the string table, kept as an
// id and its arguments so that it can be said again in another language.
class DCommand : public QUndoCommand
{
public:
    // Says the text again in the active language.
    void Retranslate();

protected:
    void SetText(int id, DArgs args = {});

private:
    int textId_ = 0;
    DArgs textArgs_;
};
