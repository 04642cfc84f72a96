#pragma once

#include "model/DCsvReader.h"
#include "subjects/DSubjMatch.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class DDesi;
class DSubjList;

// The answers of an online form, one row per respondent: which column names
// the respondent and which holds which answer (guessed from the header and
// the cells, changed by the user), the names that need the user's word, and
// the import itself. A matched respondent's answers to the questions the
// form covers are replaced by the row's; subjects without a row keep theirs.
// The import is all or nothing: a row that cannot be taken as it is refuses
// it before any answer changes.
class DFormImport
{
public:
    enum class Role
    {
        Ignored,
        Respondent,
        Answer
    };
    struct Column
    {
        Role role = Role::Ignored;
        // Answer: the question and the rank, from 1; they may lie beyond the
        // test when the form holds more than it takes (refused on import).
        qint32 question = 0;
        qint32 rank = 0;
        bool operator==(const Column&) const = default;
    };
    // A written name that matches no subject or more than one.
    struct Name
    {
        QString text;
        DSubjMatch::Result match;
    };
    // What the user decided a name stands for: a subject (index from 0) or
    // leaving out every row in which the name is written.
    static constexpr qint32 kSkipRows = -1;

    // records: the file's, the header first; name: the file as messages call
    // it. The test's questions and ranks are those of desi. Raises 27810 for
    // a form without a row of answers.
    DFormImport(QList<DCsvReader::Record> records, const QString& name, const DSubjList& subjects, const DDesi& desi);

    qint32 ColumnCount() const { return qint32(columns_.size()); }
    const QStringList& Header() const { return header_; }
    // The first row's cell of a column, to show what the column holds.
    QString Sample(qint32 column) const;
    const QList<Column>& Columns() const { return columns_; }
    void SetColumn(qint32 column, const Column& role);
    qint32 Questions() const { return questions_; }
    qint32 Ranks() const { return ranks_; }

    // The roles guessed from the header and the cells: columns that hold a
    // time or an e-mail address are ignored; the first other column whose
    // header speaks of a name (else the first other column) is the
    // respondent; the rest hold the answers, question by question and rank
    // by rank, unless a header gives its question and rank as two numbers;
    // empty columns at the end beyond the test's questions and ranks are
    // ignored.
    static QList<Column> Guess(const QStringList& header, const QList<QStringList>& rows, qint32 questions,
                               qint32 ranks);

    // The names in the respondent and answer columns that the user must
    // resolve, each once, in the order they first appear.
    QList<Name> Problems() const;
    // subject: the index of the subject the text stands for, or kSkipRows.
    void Resolve(const QString& text, qint32 subject);
    // The user's word on a text; none (kNone) when not given.
    static constexpr qint32 kNone = -2;
    qint32 Resolution(const QString& text) const;

    // The answers the import would write, checked in full; raises the
    // refusal that names the row, the column and the text.
    struct Answers
    {
        // From 0.
        qint32 subject = 0;
        // Questions x ranks, row major; 0 is no choice.
        std::vector<qint32> choices;
    };
    struct Plan
    {
        QList<Answers> rows;
        // The questions the form covers (from 1): only their answers change.
        QList<qint32> questions;
        qint32 skipped = 0;
    };
    Plan Build() const;
    // Builds and writes the plan into desi as the user's change; a refused
    // plan writes nothing.
    Plan Apply(DDesi& desi) const;

private:
    // The subject a cell stands for: an index from 0, kSkipRows, or a
    // refusal naming row and column.
    qint32 Subject(const QString& text, qint32 line, qint32 column) const;
    QString ColumnText(qint32 column) const;
    // The matcher's answer for a cell's text (names or numbers); a form
    // names the same few subjects over and over.
    const DSubjMatch::Result& Lookup(const QString& text) const;

    QString name_;
    QStringList header_;
    QList<DCsvReader::Record> rows_;
    QList<Column> columns_;
    const DSubjList& subjects_;
    DSubjMatch matcher_;
    qint32 questions_ = 0;
    qint32 ranks_ = 0;
    QHash<QString, qint32> resolutions_;
    mutable QHash<QString, DSubjMatch::Result> matches_;
};
