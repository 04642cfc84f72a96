#pragma once

#include <QList>
#include <QString>

class QWidget;

// The pages' save dialogs for a file of one of a few kinds: created once as
// a named child of the page, so that it opens where the user last saved,
// and run modally. A name typed without an extension takes the chosen
// kind's; a typed extension stays as it is.
class TSaveDialog
{
public:
    struct Kind
    {
        QString filter; // "PDF document (*.pdf)", in the current language
        QString suffix; // "pdf"
    };

    // The chosen path; empty when cancelled. Every run starts on the first
    // kind, with the texts of the current language. An empty title keeps the
    // toolkit's own; a suggested path, when given, is offered as the name.
    static QString Ask(QWidget* parent, const char* name, const QString& title, const QList<Kind>& kinds,
                       const QString& suggested = QString());
};
