#include "answers/DFormImport.h"

#include "answers/DDesi.h"
#include "model/EError.h"
#include "subjects/DSubjList.h"

#include <QRegularExpression>

#include <algorithm>

namespace
{
// Headers of the columns a form service puts first: when the answer was
// sent and by which account.
bool IsMetaHeader(const QString& header)
{
    static const QRegularExpression words(
        QStringLiteral("time|date|e-?mail|cronologic|indirizzo|data e ora|^data$|^ora$|^id$"),
        QRegularExpression::CaseInsensitiveOption);
    return words.match(header).hasMatch();
}

// Cells that hold a time or an e-mail address rather than a name.
bool IsMetaCell(const QString& cell)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(\\S+@\\S+|\\d{1,4}[-/.]\\d{1,2}[-/.]\\d{1,4}([ T].*)?)$"));
    return pattern.match(cell.trimmed()).hasMatch();
}

bool IsNameHeader(const QString& header)
{
    static const QRegularExpression words(QStringLiteral("name|nome|respondent|student|alunn|who are you|chi sei|sono"),
                                          QRegularExpression::CaseInsensitiveOption);
    return words.match(header).hasMatch();
}

bool IsWholeNumber(const QString& text)
{
    bool ok = false;
    text.trimmed().toInt(&ok);
    return ok;
}
} // namespace

DFormImport::DFormImport(QList<DCsvReader::Record> records, const QString& name, const DSubjList& subjects,
                         const DDesi& desi)
    : name_(name), subjects_(subjects), matcher_(subjects.Get()), questions_(desi.QuesCount()), ranks_(desi.AnswCount())
{
    EError::Guard("DFormImport::DFormImport()",
                  [&]
                  {
                      if (records.size() < 2)
                          throw EError(27810, {name});
                      header_ = records.takeFirst().cells;
                      rows_ = std::move(records);
                      // Rows as wide as the widest, so that every column has a header.
                      qsizetype width = header_.size();
                      for (const DCsvReader::Record& row : rows_)
                          width = qMax(width, row.cells.size());
                      while (header_.size() < width)
                          header_ << QString();
                      QList<QStringList> cells;
                      for (const DCsvReader::Record& row : rows_)
                          cells << row.cells;
                      columns_ = Guess(header_, cells, questions_, ranks_);
                  });
}

QString DFormImport::Sample(qint32 column) const
{
    return rows_.first().cells.value(column);
}

void DFormImport::SetColumn(qint32 column, const Column& role)
{
    if (column >= 0 && column < columns_.size())
        columns_[column] = role;
}

QList<DFormImport::Column> DFormImport::Guess(const QStringList& header, const QList<QStringList>& rows,
                                              qint32 questions, qint32 ranks)
{
    const qint32 width = qint32(header.size());
    QList<Column> columns(width);
    QList<bool> meta(width, false);
    QList<bool> empty(width, true);
    for (qint32 c = 0; c < width; ++c)
    {
        bool allMeta = true;
        for (const QStringList& row : rows)
        {
            const QString cell = row.value(c).trimmed();
            if (cell.isEmpty())
                continue;
            empty[c] = false;
            allMeta = allMeta && IsMetaCell(cell);
        }
        meta[c] = IsMetaHeader(header[c]) || (!empty[c] && allMeta);
    }
    qint32 respondent = -1;
    for (qint32 c = 0; c < width && respondent < 0; ++c)
        if (!meta[c] && IsNameHeader(header[c]))
            respondent = c;
    for (qint32 c = 0; c < width && respondent < 0; ++c)
        if (!meta[c])
            respondent = c;
    if (respondent >= 0)
        columns[respondent].role = Role::Respondent;

    static const QRegularExpression number(QStringLiteral("\\d+"));
    const qint32 perQuestion = qMax(ranks, 1);
    qint32 next = 0;
    for (qint32 c = 0; c < width; ++c)
    {
        if (meta[c] || c == respondent || c < respondent)
            continue;
        Column& column = columns[c];
        column.role = Role::Answer;
        // "Question 2 [choice 3]", "D2 - R3": a header that numbers both.
        QList<qint32> numbers;
        for (auto it = number.globalMatch(header[c]); it.hasNext();)
            numbers << it.next().captured().toInt();
        if (numbers.size() == 2 && numbers[0] >= 1 && numbers[0] <= 10 && numbers[1] >= 1 && numbers[1] <= 10)
        {
            column.question = numbers[0];
            column.rank = numbers[1];
            continue;
        }
        column.question = next / perQuestion + 1;
        column.rank = next % perQuestion + 1;
        ++next;
    }
    // Trailing columns beyond the test that the form left empty hold nothing
    // to import; within the test, an empty column still empties its answers.
    for (qint32 c = width - 1; c >= 0 && columns[c].role == Role::Answer && empty[c] &&
                               (columns[c].question > questions || columns[c].rank > ranks);
         --c)
        columns[c] = Column();
    return columns;
}

QList<DFormImport::Name> DFormImport::Problems() const
{
    QList<Name> names;
    QHash<QString, bool> seen;
    for (const DCsvReader::Record& row : rows_)
        for (qint32 c = 0; c < columns_.size(); ++c)
        {
            if (columns_[c].role == Role::Ignored)
                continue;
            const QString text = row.cells.value(c).trimmed();
            if (text.isEmpty() || IsWholeNumber(text))
                continue;
            const QString key = DSubjMatch::Key(text);
            if (seen.contains(key))
                continue;
            seen.insert(key, true);
            const DSubjMatch::Result& match = Lookup(text);
            if (match.kind != DSubjMatch::Kind::Matched)
                names << Name{text, match};
        }
    return names;
}

void DFormImport::Resolve(const QString& text, qint32 subject)
{
    const QString key = DSubjMatch::Key(text);
    if (subject == kNone)
        resolutions_.remove(key);
    else
        resolutions_.insert(key, subject);
}

qint32 DFormImport::Resolution(const QString& text) const
{
    return resolutions_.value(DSubjMatch::Key(text), kNone);
}

const DSubjMatch::Result& DFormImport::Lookup(const QString& text) const
{
    auto found = matches_.constFind(text);
    if (found == matches_.constEnd())
        found = matches_.insert(text, matcher_.Match(text, true));
    return *found;
}

QString DFormImport::ColumnText(qint32 column) const
{
    return header_.value(column);
}

qint32 DFormImport::Subject(const QString& text, qint32 line, qint32 column) const
{
    const DSubjMatch::Result& match = Lookup(text);
    if (match.kind == DSubjMatch::Kind::Matched)
        return match.index;
    if (IsWholeNumber(text))
        throw EError(27760, {line, column + 1, ColumnText(column), text, subjects_.GetSize()});
    const qint32 resolved = Resolution(text);
    if (resolved != kNone)
        return resolved;
    if (match.kind == DSubjMatch::Kind::Unmatched)
        throw EError(27730, {line, column + 1, ColumnText(column), text});
    QStringList candidates;
    for (const qint32 index : match.candidates)
        candidates << QStringLiteral("%1. %2").arg(index + 1).arg(subjects_.GetSelected(index).appe.ToString(true));
    throw EError(27740, {line, column + 1, ColumnText(column), text, candidates.join(QStringLiteral(", "))});
}

DFormImport::Plan DFormImport::Build() const
{
    return EError::Guard(
        "DFormImport::Build()",
        [&]
        {
            // The columns first: one respondent, and each answer in one column.
            qint32 respondent = -1;
            QHash<QPair<qint32, qint32>, qint32> answerColumn;
            QList<qint32> questions;
            for (qint32 c = 0; c < columns_.size(); ++c)
            {
                const Column& column = columns_[c];
                if (column.role == Role::Respondent)
                {
                    if (respondent >= 0)
                        throw EError(27710, {respondent + 1, ColumnText(respondent), c + 1, ColumnText(c)});
                    respondent = c;
                }
                else if (column.role == Role::Answer)
                {
                    const QPair<qint32, qint32> slot(column.question, column.rank);
                    if (answerColumn.contains(slot))
                    {
                        const qint32 first = answerColumn.value(slot);
                        throw EError(
                            27720, {first + 1, ColumnText(first), c + 1, ColumnText(c), column.rank, column.question});
                    }
                    answerColumn.insert(slot, c);
                    if (column.question <= questions_ && column.rank <= ranks_ && !questions.contains(column.question))
                        questions << column.question;
                }
            }
            if (respondent < 0)
                throw EError(27700);
            std::sort(questions.begin(), questions.end());

            Plan plan;
            plan.questions = questions;
            QHash<qint32, qint32> rowOf;
            for (const DCsvReader::Record& row : rows_)
            {
                const QString who = row.cells.value(respondent).trimmed();
                qint32 firstAnswer = -1;
                bool skip = false;
                for (qint32 c = 0; c < columns_.size(); ++c)
                {
                    const QString text = row.cells.value(c).trimmed();
                    if (columns_[c].role != Role::Ignored && !text.isEmpty())
                    {
                        if (columns_[c].role == Role::Answer && firstAnswer < 0)
                            firstAnswer = c;
                        skip = skip || (!IsWholeNumber(text) && Lookup(text).kind != DSubjMatch::Kind::Matched &&
                                        Resolution(text) == kSkipRows);
                    }
                }
                if (who.isEmpty())
                {
                    // A row with no name and no answer is a blank line of the form.
                    if (firstAnswer >= 0)
                        throw EError(27790, {row.line, respondent + 1, ColumnText(respondent)});
                    continue;
                }
                if (skip)
                {
                    ++plan.skipped;
                    continue;
                }
                Answers answers;
                answers.subject = Subject(who, row.line, respondent);
                if (rowOf.contains(answers.subject))
                    throw EError(27800, {rowOf.value(answers.subject), row.line, who});
                rowOf.insert(answers.subject, row.line);
                answers.choices.assign(std::size_t(questions_ * ranks_), 0);
                QHash<QPair<qint32, qint32>, qint32> chosenIn;
                for (qint32 c = 0; c < columns_.size(); ++c)
                {
                    const Column& column = columns_[c];
                    const QString text = row.cells.value(c).trimmed();
                    if (column.role != Role::Answer || text.isEmpty())
                        continue;
                    if (column.question > questions_ || column.rank > ranks_)
                        throw EError(27770, {row.line, c + 1, ColumnText(c), text, column.rank, column.question,
                                             questions_, ranks_});
                    const qint32 chosen = Subject(text, row.line, c);
                    if (chosen == answers.subject)
                        throw EError(27750, {row.line, c + 1, ColumnText(c), text});
                    const QPair<qint32, qint32> pick(column.question, chosen);
                    if (chosenIn.contains(pick))
                        throw EError(27780,
                                     {row.line, c + 1, ColumnText(c), text, column.question, chosenIn.value(pick) + 1});
                    chosenIn.insert(pick, c);
                    answers.choices[std::size_t((column.question - 1) * ranks_ + column.rank - 1)] = chosen + 1;
                }
                plan.rows << answers;
            }
            return plan;
        });
}

DFormImport::Plan DFormImport::Apply(DDesi& desi) const
{
    return EError::Guard("DFormImport::Apply()",
                         [&]
                         {
                             const Plan plan = Build();
                             for (const Answers& answers : plan.rows)
                                 for (const qint32 q : plan.questions)
                                     for (qint32 r = 1; r <= ranks_; ++r)
                                         desi.SetDesi(q, r, answers.subject + 1,
                                                      answers.choices[std::size_t((q - 1) * ranks_ + r - 1)]);
                             return plan;
                         });
}
