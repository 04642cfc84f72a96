#pragma once

#include "model/DCsvReader.h"
#include "subjects/DSubjMatch.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

class DDesi;
class DLanguage;
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
    // What needs the user's word before the import: a written name that
    // matches no subject (resolved once for every cell that writes it), a
    // name that fits several (resolved cell by cell, since the row tells the
    // user who wrote it), and a subject who answered in more than one row.
    enum class Problem
    {
        Unmatched,
        Ambiguous,
        Twice
    };
    struct Name
    {
        Problem problem = Problem::Unmatched;
        // The name as written; Twice: the respondent as written in the first
        // of their rows.
        QString text;
        DSubjMatch::Result match;
        // Where: the file line of the (first) row and its respondent as
        // written; Unmatched and Ambiguous: the column, from 0.
        qint32 line = 0;
        QString respondent;
        qint32 column = -1;
        // Ambiguous: the row, from 0 among the rows below the header.
        qint32 row = -1;
        // Twice: the subject (index from 0) and the file lines of its rows.
        qint32 subject = -1;
        QList<qint32> lines;
    };
    // The user's word on a name: a subject (index from 0), or leaving it out:
    // the rows whose respondent it is are left out, and a choice of it is
    // left empty. Twice: the file line of the row to keep, or leaving out
    // every row of the subject.
    static constexpr qint32 kSkipRows = -1;
    static constexpr qint32 kNone = -2;

    // Told now and then how far a long piece of work is; answering false
    // cancels it.
    using Progress = DCsvReader::Progress;

    // records: the file's, the header first; name: the file as messages call
    // it. The test's questions and ranks are those of desi. Raises 27810 for
    // a form without a row of answers.
    DFormImport(QList<DCsvReader::Record> records, const QString& name, const DSubjList& subjects, const DDesi& desi);
    // The form in the file's bytes, or none when progress cancelled.
    static std::unique_ptr<DFormImport> Read(const QByteArray& bytes, const QString& name, const DSubjList& subjects,
                                             const DDesi& desi, const Progress& progress = {});

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

    // What the user must resolve, in the order the rows show it: the names,
    // then the subjects who answered twice (as the names resolved so far
    // tell them).
    QList<Name> Problems() const;
    void Resolve(const Name& name, qint32 choice);
    // The user's word on a name; kNone when not given.
    qint32 Resolution(const Name& name) const;

    // The answers the import would write, checked in full; raises the
    // refusal that names the row, the column and the text.
    struct Answers
    {
        // From 0.
        qint32 subject = 0;
        // Questions x ranks, row major; 0 is no choice.
        std::vector<qint32> choices;
    };
    // A row not taken in, and why: its respondent left out by the user, or
    // the subject's other row kept (kept its line; 0 when the user left out
    // every row of the subject).
    struct LeftOut
    {
        qint32 line = 0;
        QString respondent;
        bool twice = false;
        qint32 kept = 0;
    };
    // A choice left empty since it names someone the user left out.
    struct Emptied
    {
        qint32 line = 0;
        qint32 column = 0;
        QString text;
    };
    struct Plan
    {
        QList<Answers> rows;
        // The questions the form covers (from 1): only their answers change.
        QList<qint32> questions;
        QList<LeftOut> leftOut;
        QList<Emptied> emptied;
        // The subjects (from 0) no row answers for: they keep their answers.
        QList<qint32> absent;
        // Cancelled through the progress: nothing is written.
        bool cancelled = false;
    };
    Plan Build(const Progress& progress = {}) const;
    // Builds and writes the plan into desi as the user's change; a refused
    // or cancelled plan writes nothing.
    Plan Apply(DDesi& desi, const Progress& progress = {}) const;
    // What an import did, for the user: the rows taken in, those left out
    // and why, the choices left empty, the subjects with no row.
    QString Summary(const Plan& plan, const DLanguage& language) const;

private:
    // The matcher's answer for a cell's text (names or numbers) and the key
    // of the text; a form names the same few subjects over and over.
    struct Match
    {
        DSubjMatch::Result result;
        QString key;
    };
    const Match& Lookup(const QString& text) const;
    // The subject a cell stands for: an index from 0, kSkipRows, or a
    // refusal naming row and column.
    qint32 Subject(const QString& text, qint32 row, qint32 column) const;
    // The user's word or the match for a cell: a subject, kSkipRows or kNone.
    qint32 Resolved(const Match& match, qint32 row, qint32 column) const;
    QString ColumnText(qint32 column) const;
    qint32 Respondent() const;

    QString name_;
    QStringList header_;
    QList<DCsvReader::Record> rows_;
    QList<Column> columns_;
    const DSubjList& subjects_;
    DSubjMatch matcher_;
    qint32 questions_ = 0;
    qint32 ranks_ = 0;
    // By the name's key; by the cell (row x 2^32 + column); by the subject.
    QHash<QString, qint32> names_;
    QHash<qint64, qint32> cells_;
    QHash<qint32, qint32> twice_;
    mutable QHash<QString, Match> matches_;
};
