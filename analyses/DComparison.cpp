#include "analyses/DComparison.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphTar.h"
#include "analyses/DGraphTarTable.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "questions/DQues.h"
#include "subjects/DSubj.h"
#include "subjects/DSubjMatch.h"

#include <algorithm>

namespace
{
// The questions an analysis counts, by index from 0.
using Selection = std::vector<bool>;

Selection Selected(const DGraph& graph, bool target)
{
    const DQuesList& list = graph.Ques().List();
    Selection selected(std::size_t(list.GetSize()));
    for (qint32 q = 0; q < list.GetSize(); ++q)
    {
        const DQuesElem& question = list.GetSelected(q);
        selected[std::size_t(q)] = (target ? question.graphTar : question.graphSoc).IsRequested();
    }
    return selected;
}

// What a selection means in a test: each selected question with its
// polarity, so that a selection of the same numbers over questions of
// another kind still counts as a different one.
std::vector<std::pair<qint32, bool>> Meaning(const DGraph& graph, const Selection& selected)
{
    const DQuesList& list = graph.Ques().List();
    std::vector<std::pair<qint32, bool>> meaning;
    for (qint32 q = 0; q < list.GetSize() && std::size_t(q) < selected.size(); ++q)
        if (selected[std::size_t(q)])
            meaning.emplace_back(q, list.GetSelected(q).type.IsPositive());
    return meaning;
}

DDesi::QuestionFilter Filter(const Selection& selected)
{
    return [&selected](qint32 q) { return std::size_t(q) < selected.size() && selected[std::size_t(q)]; };
}

// What DGraphTar::Count gives, but through a selection that need not be
// the test's own.
DGraphTar::Counts Count(const DGraph& graph, const Selection& selected)
{
    const DDesi& desi = graph.Desi();
    const std::size_t n = graph.Subj().List().Get().size();
    DGraphTar::Counts counts;
    counts.answers = desi.AnswCount();
    counts.acceptances.assign(n, 0);
    counts.rejections.assign(n, 0);
    for (const bool positive : {true, false})
    {
        std::vector<quint32>& received = positive ? counts.acceptances : counts.rejections;
        desi.Choices(positive, Filter(selected),
                     [&](qint32, qint32 chosen, qint32)
                     {
                         if (chosen >= 1 && std::size_t(chosen) <= n)
                             ++received[std::size_t(chosen - 1)];
                     });
    }
    for (const auto& [q, positive] : Meaning(graph, selected))
    {
        if (positive)
            ++counts.positive;
        else if (graph.Ques().List().GetSelected(q).type.IsNegative())
            ++counts.negative;
    }
    return counts;
}

// Preference and impact without spread place nobody, as in the categories
// table.
std::vector<int> Slots(int scheme, const DGraphTar::Counts& counts)
{
    if (scheme == DGraphTarStat::Preference && !DGraphTar::TryStandardise(counts.acceptances, counts.rejections))
        return std::vector<int>(counts.acceptances.size(), DGraphTarTable::kNone);
    return DGraphTar::Slots(scheme, counts);
}

// Every tie chooser -> chosen of one polarity, as identifiers of the test.
std::vector<DComparison::Tie> TiesOf(const DGraph& graph, bool positive, const Selection& selected)
{
    std::vector<DComparison::Tie> ties;
    graph.Desi().Choices(positive, Filter(selected),
                         [&](qint32 chooser, qint32 chosen, qint32) { ties.emplace_back(chooser, chosen); });
    std::sort(ties.begin(), ties.end());
    ties.erase(std::unique(ties.begin(), ties.end()), ties.end());
    return ties;
}

} // namespace

DComparison DComparison::Of(const DGraph& current, const DGraph& other)
{
    return EError::Guard(
        "DComparison::Of()",
        [&]
        {
            current.Desi().Verify();
            other.Desi().Verify();
            const std::vector<DSubjElem>& ours = current.Subj().List().Get();
            const std::vector<DSubjElem>& theirs = other.Subj().List().Get();

            DComparison result;
            result.scheme = DGraphTarTable::StoredScheme(current);
            const Selection target = Selected(current, true);
            const Selection social = Selected(current, false);
            result.differs = result.scheme != DGraphTarTable::StoredScheme(other) ||
                             Meaning(current, target) != Meaning(other, Selected(other, true)) ||
                             Meaning(current, social) != Meaning(other, Selected(other, false));

            // Each subject of the current test pairs with one of the other at
            // most: a second subject of the same name stays unmatched.
            std::vector<qint32> partner(ours.size(), -1);
            std::vector<qint32> partnerOther(theirs.size(), -1);
            const QList<DSubjMatch::Result> matches = DSubjMatch(ours).MatchAll(theirs);
            for (qsizetype j = 0; j < matches.size(); ++j)
            {
                const DSubjMatch::Result& match = matches[j];
                if (match.kind == DSubjMatch::Kind::Matched && partner[std::size_t(match.index)] < 0)
                {
                    partner[std::size_t(match.index)] = qint32(j);
                    partnerOther[std::size_t(j)] = match.index;
                }
            }
            for (std::size_t i = 0; i < ours.size(); ++i)
                if (partner[i] < 0)
                    result.onlyCurrent << ours[i].appe.ToString(true);
            for (std::size_t j = 0; j < theirs.size(); ++j)
                if (partnerOther[j] < 0)
                    result.onlyOther << theirs[j].appe.ToString(true);

            const DGraphTar::Counts now = Count(current, target);
            const DGraphTar::Counts before = Count(other, target);
            const std::vector<int> nowSlots = Slots(result.scheme, now);
            const std::vector<int> beforeSlots = Slots(result.scheme, before);
            for (std::size_t i = 0; i < ours.size(); ++i)
            {
                if (partner[i] < 0)
                    continue;
                const std::size_t j = std::size_t(partner[i]);
                Row row;
                row.current = qint32(i);
                row.other = qint32(j);
                row.id = ours[i].id.GetValue();
                row.surname = ours[i].appe.Surname().ToString();
                row.name = ours[i].appe.Name().ToString();
                row.before = {before.acceptances[j], before.rejections[j], beforeSlots[j]};
                row.now = {now.acceptances[i], now.rejections[i], nowSlots[i]};
                result.rows.push_back(std::move(row));
            }
            std::stable_sort(result.rows.begin(), result.rows.end(),
                             [](const Row& a, const Row& b)
                             {
                                 if (a.Size() != b.Size())
                                     return a.Size() > b.Size();
                                 return a.CategoryChanged() && !b.CategoryChanged();
                             });

            for (const Sociogram type : {Acceptance, Rejection})
            {
                const bool positive = type == Acceptance;
                // Ties of either test between subjects found in both, in the
                // current test's identifiers.
                std::vector<Tie> kept;
                for (const Tie& tie : TiesOf(current, positive, social))
                    if (partner[std::size_t(tie.first - 1)] >= 0 && partner[std::size_t(tie.second - 1)] >= 0)
                        kept.push_back(tie);
                std::vector<Tie> mapped;
                for (const Tie& tie : TiesOf(other, positive, social))
                {
                    const qint32 from = partnerOther[std::size_t(tie.first - 1)];
                    const qint32 to =
                        std::size_t(tie.second) <= theirs.size() ? partnerOther[std::size_t(tie.second - 1)] : -1;
                    if (from >= 0 && to >= 0)
                        mapped.emplace_back(from + 1, to + 1);
                }
                std::sort(mapped.begin(), mapped.end());
                Ties& ties = result.ties[std::size_t(type)];
                std::set_difference(kept.begin(), kept.end(), mapped.begin(), mapped.end(),
                                    std::back_inserter(ties.appeared));
                std::set_difference(mapped.begin(), mapped.end(), kept.begin(), kept.end(),
                                    std::back_inserter(ties.disappeared));
                std::set_intersection(kept.begin(), kept.end(), mapped.begin(), mapped.end(),
                                      std::back_inserter(ties.stayed));
            }
            return result;
        });
}

QStringList DComparison::Header()
{
    const DLanguage& lang = DLanguage::Active();
    QStringList header;
    for (const int id : {25200, 25210, 25220, 34700, 34710, 34720, 34730, 34740, 34750, 34760, 34770, 34780})
        header << lang.GetStr(id);
    return header;
}

QStringList DComparison::Cells(const Row& row) const
{
    const QString before = DGraphTarTable::Letter(scheme, row.before.slot);
    const QString now = DGraphTarTable::Letter(scheme, row.now.slot);
    return {QString::number(row.id),
            row.surname,
            row.name,
            QString::number(row.before.acceptances),
            QString::number(row.now.acceptances),
            QString::number(row.AcceptanceChange()),
            QString::number(row.before.rejections),
            QString::number(row.now.rejections),
            QString::number(row.RejectionChange()),
            before,
            now,
            before == now ? QString() : before + QStringLiteral(" \u2192 ") + now};
}

QString DComparison::SchemeText() const
{
    const DLanguage& lang = DLanguage::Active();
    QString text = lang.GetMsg(34790, {DGraphTarTable::SchemeName(scheme)});
    if (differs)
        text += QLatin1Char(' ') + lang.GetStr(34800);
    return text;
}

QStringList DComparison::UnmatchedLines() const
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines;
    if (!onlyCurrent.isEmpty())
        lines << lang.GetMsg(34810, {onlyCurrent.join(QStringLiteral(", "))});
    if (!onlyOther.isEmpty())
        lines << lang.GetMsg(34820, {onlyOther.join(QStringLiteral(", "))});
    return lines;
}

QString DComparison::Text() const
{
    QStringList lines{SchemeText(), QString(), DCsv::ClipboardLine(Header())};
    for (const Row& row : rows)
        lines << DCsv::ClipboardLine(Cells(row));
    const QStringList unmatched = UnmatchedLines();
    if (!unmatched.isEmpty())
        lines << QString() << unmatched;
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QStringList DComparison::CsvLines(const DCsv::Options& options) const
{
    QStringList lines{DCsv::Line(Header(), options)};
    for (const Row& row : rows)
        lines << DCsv::Line(Cells(row), options);
    return lines;
}
