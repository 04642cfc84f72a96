#include "answers/DFormImport.h"

#include "answers/DAnswPick.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjList.h"

#include <QRegularExpression>
#include <QSet>

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

std::unique_ptr<DFormImport> DFormImport::Read(const QByteArray& bytes, const QString& name, const DSubjList& subjects,
                                               const DDesi& desi, const Progress& progress)
{
    std::optional<QList<DCsvReader::Record>> records = DCsvReader::Parse(bytes, name, progress);
    if (!records)
        return nullptr;
    return std::make_unique<DFormImport>(std::move(*records), name, subjects, desi);
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
            allMeta = IsMetaCell(cell);
            // One cell of something else settles the column.
            if (!allMeta)
                break;
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

qint32 DFormImport::Respondent() const
{
    for (qint32 c = 0; c < columns_.size(); ++c)
        if (columns_[c].role == Role::Respondent)
            return c;
    return -1;
}

QList<DFormImport::Name> DFormImport::Problems() const
{
    QList<Name> names;
    QSet<QString> listed;
    const qint32 respondent = Respondent();
    // The rows of each subject, as the names resolved so far tell them.
    std::vector<QList<qint32>> rowsOf(std::size_t(qMax(subjects_.GetSize(), 0)));
    for (qint32 r = 0; r < rows_.size(); ++r)
    {
        const DCsvReader::Record& row = rows_[r];
        const QString who = respondent >= 0 ? row.cells.value(respondent).trimmed() : QString();
        for (qint32 c = 0; c < columns_.size(); ++c)
        {
            if (columns_[c].role == Role::Ignored)
                continue;
            const QString text = row.cells.value(c).trimmed();
            if (text.isEmpty())
                continue;
            const Match& match = Lookup(text);
            if (c == respondent)
            {
                const qint32 subject = Resolved(match, r, c);
                if (subject >= 0 && std::size_t(subject) < rowsOf.size())
                    rowsOf[std::size_t(subject)] << r;
            }
            if (match.result.kind == DSubjMatch::Kind::Matched || IsWholeNumber(text))
                continue;
            Name name;
            name.problem = match.result.kind == DSubjMatch::Kind::Ambiguous ? Problem::Ambiguous : Problem::Unmatched;
            name.text = text;
            name.match = match.result;
            name.line = row.line;
            name.respondent = who;
            name.column = c;
            name.row = r;
            if (name.problem == Problem::Unmatched)
            {
                if (listed.contains(match.key))
                    continue;
                listed.insert(match.key);
                name.row = -1;
            }
            names << name;
        }
    }
    // Subjects who answered more than once, in the order of their first rows.
    QList<qint32> twice;
    for (qint32 s = 0; s < qint32(rowsOf.size()); ++s)
        if (rowsOf[std::size_t(s)].size() > 1)
            twice << s;
    std::sort(twice.begin(), twice.end(),
              [&](qint32 a, qint32 b) { return rowsOf[std::size_t(a)].first() < rowsOf[std::size_t(b)].first(); });
    for (const qint32 s : twice)
    {
        const QList<qint32>& rows = rowsOf[std::size_t(s)];
        const DCsvReader::Record& first = rows_[rows.first()];
        Name name;
        name.problem = Problem::Twice;
        name.text = first.cells.value(respondent).trimmed();
        name.line = first.line;
        name.respondent = name.text;
        name.column = respondent;
        name.subject = s;
        for (const qint32 r : rows)
            name.lines << rows_[r].line;
        names << name;
    }
    return names;
}

namespace
{
qint64 CellKey(qint32 row, qint32 column)
{
    return (qint64(row) << 32) | quint32(column);
}
} // namespace

void DFormImport::Resolve(const Name& name, qint32 choice)
{
    const auto set = [choice](auto& table, const auto& key)
    {
        if (choice == kNone)
            table.remove(key);
        else
            table.insert(key, choice);
    };
    switch (name.problem)
    {
    case Problem::Unmatched:
        set(names_, DSubjMatch::Key(name.text));
        break;
    case Problem::Ambiguous:
        set(cells_, CellKey(name.row, name.column));
        break;
    case Problem::Twice:
        set(twice_, name.subject);
        break;
    }
}

qint32 DFormImport::Resolution(const Name& name) const
{
    switch (name.problem)
    {
    case Problem::Unmatched:
        return names_.value(DSubjMatch::Key(name.text), kNone);
    case Problem::Ambiguous:
        return cells_.value(CellKey(name.row, name.column), kNone);
    case Problem::Twice:
        return twice_.value(name.subject, kNone);
    }
    return kNone;
}

const DFormImport::Match& DFormImport::Lookup(const QString& text) const
{
    auto found = matches_.constFind(text);
    if (found == matches_.constEnd())
        found = matches_.insert(text, Match{matcher_.Match(text, true), DSubjMatch::Key(text)});
    return *found;
}

qint32 DFormImport::Resolved(const Match& match, qint32 row, qint32 column) const
{
    switch (match.result.kind)
    {
    case DSubjMatch::Kind::Matched:
        return match.result.index;
    case DSubjMatch::Kind::Unmatched:
    case DSubjMatch::Kind::Ambiguous:
        break;
    }
    const qint32 word = match.result.kind == DSubjMatch::Kind::Unmatched ? names_.value(match.key, kNone)
                                                                         : cells_.value(CellKey(row, column), kNone);
    // A subject no longer in the test is no word.
    return word >= subjects_.GetSize() ? kNone : word;
}

QString DFormImport::ColumnText(qint32 column) const
{
    return header_.value(column);
}

qint32 DFormImport::Subject(const QString& text, qint32 row, qint32 column) const
{
    const Match& match = Lookup(text);
    const qint32 line = rows_[row].line;
    if (match.result.kind == DSubjMatch::Kind::Matched)
        return match.result.index;
    if (IsWholeNumber(text))
        throw EError(27760, {line, column + 1, ColumnText(column), text, subjects_.GetSize()});
    const qint32 resolved = Resolved(match, row, column);
    if (resolved != kNone)
        return resolved;
    if (match.result.kind == DSubjMatch::Kind::Unmatched)
        throw EError(27730, {line, column + 1, ColumnText(column), text});
    QStringList candidates;
    for (const qint32 index : match.result.candidates)
        candidates << QStringLiteral("%1. %2").arg(index + 1).arg(subjects_.GetSelected(index).appe.ToString(true));
    throw EError(27740, {line, column + 1, ColumnText(column), text, candidates.join(QStringLiteral(", "))});
}

DFormImport::Plan DFormImport::Build(const Progress& progress) const
{
    return EError::Guard(
        "DFormImport::Build()",
        [&]
        {
            // The columns first: one respondent, and each answer in one column.
            qint32 respondent = -1;
            QHash<QPair<qint32, qint32>, qint32> answerColumn;
            QList<qint32> questions;
            QList<qint32> answerColumns;
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
                    answerColumns << c;
                    if (column.question <= questions_ && column.rank <= ranks_ && !questions.contains(column.question))
                        questions << column.question;
                }
            }
            if (respondent < 0)
                throw EError(27700);
            std::sort(questions.begin(), questions.end());

            Plan plan;
            plan.questions = questions;
            const qint32 count = qMax(subjects_.GetSize(), 0);
            const qint64 total = 2 * qint64(rows_.size());
            // Told every so many rows: often enough for a bar that moves,
            // seldom enough to cost nothing.
            const auto cancelled = [&](qint64 done)
            {
                plan.cancelled = progress && done % 512 == 0 && !progress(done, total);
                return plan.cancelled;
            };
            const auto cancel = [&]
            {
                Plan none;
                none.cancelled = true;
                return none;
            };

            // Whose row each is: a subject (from 0), kSkipRows for a name the
            // user left out, kNone for a blank line of the form.
            std::vector<qint32> owner(std::size_t(rows_.size()), kNone);
            std::vector<QList<qint32>> rowsOf(static_cast<std::size_t>(count));
            for (qint32 r = 0; r < rows_.size(); ++r)
            {
                if (cancelled(r))
                    return cancel();
                const DCsvReader::Record& row = rows_[r];
                const QString who = row.cells.value(respondent).trimmed();
                if (who.isEmpty())
                {
                    // A row with no name and no answer is a blank line of the form.
                    for (const qint32 c : answerColumns)
                        if (!row.cells.value(c).trimmed().isEmpty())
                            throw EError(27790, {row.line, respondent + 1, ColumnText(respondent)});
                    continue;
                }
                const qint32 subject = Subject(who, r, respondent);
                owner[std::size_t(r)] = subject;
                if (subject < 0)
                    continue;
                QList<qint32>& rows = rowsOf[std::size_t(subject)];
                rows << r;
            }
            // The user keeps one row of a subject who answered twice, or none;
            // unresolved, the first such subject in the file is refused.
            qint32 refused = -1;
            for (qint32 s = 0; s < count; ++s)
            {
                const QList<qint32>& rows = rowsOf[std::size_t(s)];
                if (rows.size() < 2)
                    continue;
                const qint32 kept = twice_.value(s, kNone);
                const bool known = kept == kSkipRows || std::any_of(rows.cbegin(), rows.cend(),
                                                                    [&](qint32 r) { return rows_[r].line == kept; });
                if (!known && (refused < 0 || rows[1] < rowsOf[std::size_t(refused)][1]))
                    refused = s;
            }
            if (refused >= 0)
            {
                const QList<qint32>& rows = rowsOf[std::size_t(refused)];
                throw EError(27800, {rows_[rows[0]].line, rows_[rows[1]].line,
                                     rows_[rows[1]].cells.value(respondent).trimmed()});
            }
            std::vector<bool> taken(std::size_t(count), false);
            for (qint32 r = 0; r < rows_.size(); ++r)
            {
                if (cancelled(rows_.size() + r))
                    return cancel();
                const DCsvReader::Record& row = rows_[r];
                const qint32 subject = owner[std::size_t(r)];
                if (subject == kNone)
                    continue;
                const QString who = row.cells.value(respondent).trimmed();
                if (subject == kSkipRows)
                {
                    plan.leftOut << LeftOut{row.line, who, false, 0};
                    continue;
                }
                if (rowsOf[std::size_t(subject)].size() > 1)
                {
                    const qint32 kept = twice_.value(subject);
                    if (kept != row.line)
                    {
                        plan.leftOut << LeftOut{row.line, who, true, qMax(kept, 0)};
                        continue;
                    }
                }
                Answers answers;
                answers.subject = subject;
                taken[std::size_t(subject)] = true;
                answers.choices.assign(std::size_t(questions_ * ranks_), 0);
                // The column of each question's rank, to name it in a refusal.
                QHash<QPair<qint32, qint32>, qint32> columnOf;
                for (const qint32 c : answerColumns)
                {
                    const Column& column = columns_[c];
                    const QString text = row.cells.value(c).trimmed();
                    if (text.isEmpty())
                        continue;
                    if (column.question > questions_ || column.rank > ranks_)
                        throw EError(27770, {row.line, c + 1, ColumnText(c), text, column.rank, column.question,
                                             questions_, ranks_});
                    const qint32 chosen = Subject(text, r, c);
                    if (chosen == kSkipRows)
                    {
                        plan.emptied << Emptied{row.line, c + 1, text};
                        continue;
                    }
                    const auto first = answers.choices.begin() + (column.question - 1) * ranks_;
                    const DAnswPick::Refusal refusal = DAnswPick::Check(answers.subject + 1, chosen + 1, column.rank,
                                                                        QList<qint32>(first, first + ranks_));
                    if (refusal.kind == DAnswPick::Refusal::Kind::Self)
                        throw EError(27750, {row.line, c + 1, ColumnText(c), text});
                    if (refusal.kind == DAnswPick::Refusal::Kind::Repeated)
                        throw EError(27780, {row.line, c + 1, ColumnText(c), text, column.question,
                                             columnOf.value({column.question, refusal.answer}) + 1});
                    columnOf.insert({column.question, column.rank}, c);
                    answers.choices[std::size_t((column.question - 1) * ranks_ + column.rank - 1)] = chosen + 1;
                }
                plan.rows << answers;
            }
            for (qint32 s = 0; s < count; ++s)
                if (!taken[std::size_t(s)])
                    plan.absent << s;
            return plan;
        });
}

DFormImport::Plan DFormImport::Apply(DDesi& desi, const Progress& progress) const
{
    return EError::Guard("DFormImport::Apply()",
                         [&]
                         {
                             const Plan plan = Build(progress);
                             if (plan.cancelled)
                                 return plan;
                             for (const Answers& answers : plan.rows)
                                 for (const qint32 q : plan.questions)
                                     for (qint32 r = 1; r <= ranks_; ++r)
                                         desi.SetDesi(q, r, answers.subject + 1,
                                                      answers.choices[std::size_t((q - 1) * ranks_ + r - 1)]);
                             return plan;
                         });
}

QString DFormImport::Summary(const Plan& plan, const DLanguage& language) const
{
    // A long form can leave out thousands of rows: the box lists the first
    // few of each kind and counts the rest.
    constexpr qsizetype kListed = 8;
    QStringList lines{language.GetMsg(37200, {int(plan.rows.size())})};
    const auto more = [&](qsizetype size)
    {
        if (size > kListed)
            lines << language.GetMsg(37280, {int(size - kListed)});
    };
    if (!plan.leftOut.isEmpty())
    {
        lines << QString() << language.GetMsg(37210, {int(plan.leftOut.size())});
        for (const LeftOut& row : plan.leftOut.first(qMin(plan.leftOut.size(), kListed)))
            lines << (!row.twice     ? language.GetMsg(37220, {row.line, row.respondent})
                      : row.kept > 0 ? language.GetMsg(37230, {row.line, row.respondent, row.kept})
                                     : language.GetMsg(37240, {row.line, row.respondent}));
        more(plan.leftOut.size());
    }
    if (!plan.emptied.isEmpty())
    {
        lines << QString() << language.GetMsg(37250, {int(plan.emptied.size())});
        for (const Emptied& choice : plan.emptied.first(qMin(plan.emptied.size(), kListed)))
            lines << language.GetMsg(37260, {choice.line, choice.column, ColumnText(choice.column - 1), choice.text});
        more(plan.emptied.size());
    }
    if (!plan.absent.isEmpty())
    {
        QStringList absent;
        for (const qint32 s : plan.absent.first(qMin(plan.absent.size(), kListed)))
            absent << QStringLiteral("%1. %2").arg(s + 1).arg(subjects_.GetSelected(s).appe.ToString(true));
        lines << QString() << language.GetMsg(37270, {int(plan.absent.size()), absent.join(QStringLiteral(", "))});
        more(plan.absent.size());
    }
    return lines.join(u'\n');
}
