#pragma once

#include <QList>
#include <QString>

class QTextCursor;
class QTextDocument;

// The user guide as the help window reads it: the HTML built into the
// program (the same pages the PDF guides are typeset from), its headings as
// a table of contents, and the search through its text.
class DHelpGuide
{
public:
    // The guide's HTML for a language (DLanguage::English or Italian); any
    // other value gives the English guide.
    static QString Html(int language);

    struct Heading
    {
        int level = 0;    // 1 for the title, 2 for a chapter, 3 for a section
        QString title;    // the heading's text as shown
        int position = 0; // where the heading's block starts in the document
    };
    // Every heading of the document in reading order.
    static QList<Heading> Headings(const QTextDocument& document);

    // The next place after `from` where `words` occur, regardless of case;
    // the search goes round to the start once. A null cursor when the words
    // are nowhere (or empty).
    static QTextCursor Find(const QTextDocument& document, const QString& words, const QTextCursor& from);
};
