#include "analyses/DGraphIndices.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphMet.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubj.h"

#include <algorithm>

namespace
{
double Ratio(qint64 part, qint64 whole)
{
    return whole > 0 ? double(part) / double(whole) : 0.0;
}

// The arcs of one network as an N x N matrix of chooser and chosen positions.
struct Network
{
    explicit Network(std::size_t subjects) : n(subjects), arcs(subjects * subjects, false) {}
    std::size_t n;
    std::vector<bool> arcs;
    bool Has(std::size_t from, std::size_t to) const { return arcs[from * n + to]; }
    qint64 Count() const { return std::count(arcs.begin(), arcs.end(), true); }
};
} // namespace

DGraphIndices DGraphIndices::Of(const DGraph& graph)
{
    return EError::Guard(
        "DGraphIndices::Of()",
        [&]
        {
            const DDesi& desi = graph.Desi();
            desi.Verify();
            const std::vector<DSubjElem>& records = graph.Subj().List().Get();
            const std::size_t n = records.size();
            DGraphIndices x;
            x.subjects = qint32(n);

            Network accepts(n);
            Network rejects(n);
            for (const bool positive : {true, false})
            {
                Network& network = positive ? accepts : rejects;
                desi.TargetChoices(positive,
                                   [&](qint32 chooser, qint32 chosen, qint32)
                                   {
                                       ++x.choices;
                                       // The matrix names only subjects of the list.
                                       if (std::size_t(chooser) <= n && std::size_t(chosen) <= n)
                                           network.arcs[std::size_t(chooser - 1) * n + std::size_t(chosen - 1)] = true;
                                   });
            }

            const qint64 ordered = qint64(n) * (qint64(n) - 1);
            const qint64 arcs = accepts.Count();
            x.acceptanceDensity = Ratio(arcs, ordered);
            x.rejectionDensity = Ratio(rejects.Count(), ordered);

            qint64 joined = 0;
            qint64 mutual = 0;
            for (std::size_t i = 0; i < n; ++i)
                for (std::size_t j = i + 1; j < n; ++j)
                {
                    joined += accepts.Has(i, j) || accepts.Has(j, i);
                    mutual += accepts.Has(i, j) && accepts.Has(j, i);
                    x.mutualRejections += rejects.Has(i, j) && rejects.Has(j, i);
                }
            x.reciprocity = Ratio(mutual, joined);
            x.cohesion = Ratio(mutual, ordered / 2);

            qint64 females = 0;
            for (const DSubjElem& s : records)
                females += s.sex.IsFemale();
            qint64 same = 0;
            double expected = 0.0;
            for (std::size_t j = 0; j < n; ++j)
            {
                bool received = false;
                for (std::size_t i = 0; i < n; ++i)
                    received = received || accepts.Has(i, j);
                x.isolates += !received;
            }
            for (std::size_t i = 0; i < n; ++i)
            {
                const bool female = records[i].sex.IsFemale();
                const qint64 alike = (female ? females : qint64(n) - females) - 1;
                for (std::size_t j = 0; j < n; ++j)
                    if (accepts.Has(i, j))
                    {
                        same += female == records[j].sex.IsFemale();
                        expected += Ratio(alike, qint64(n) - 1);
                    }
            }
            x.sameSex = Ratio(same, arcs);
            x.sameSexExpected = arcs > 0 ? expected / double(arcs) : 0.0;
            return x;
        });
}

std::vector<std::pair<QString, QString>> DGraphIndices::Lines(const DCsv::Options& options) const
{
    const DLanguage& lang = DLanguage::Active();
    auto count = [&](int id, qint32 value) { return std::make_pair(lang.GetStr(id), QString::number(value)); };
    auto ratio = [&](int id, double value)
    { return std::make_pair(lang.GetStr(id), DGraphMet::Density(value, options)); };
    return {count(33610, subjects),         count(33620, choices),          ratio(33630, acceptanceDensity),
            ratio(33640, rejectionDensity), ratio(33650, reciprocity),      ratio(33660, cohesion),
            count(33670, isolates),         count(33680, mutualRejections), ratio(33690, sameSex),
            ratio(33700, sameSexExpected)};
}

QString DGraphIndices::Text() const
{
    QStringList lines{DLanguage::Active().GetStr(33600)};
    for (const auto& [name, value] : Lines())
        lines << DCsv::ClipboardLine({name, value});
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QStringList DGraphIndices::CsvLines(const DCsv::Options& options) const
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines{DCsv::Line({lang.GetStr(33710), lang.GetStr(33720)}, options)};
    for (const auto& [name, value] : Lines(options))
        lines << DCsv::Line({name, value}, options);
    return lines;
}
