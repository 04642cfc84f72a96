#include "analyses/DGroupReport.h"

#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "subjects/DSubjList.h"

QStringList DGroupReport::CsvLines(const DGroupProposal& proposal, const DSubjList& list, const DCsv::Options& options)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines{
        DCsv::Line({lang.GetStr(34100), lang.GetStr(12200), lang.GetStr(12210), lang.GetStr(12220)}, options)};
    for (std::size_t g = 0; g < proposal.groups.size(); ++g)
        for (const qint32 u : proposal.groups[g])
        {
            const DSubjElem& subject = list.GetSelected(u);
            lines << DCsv::Line({QString::number(g + 1), QString::number(u + 1), subject.appe.Surname().ToString(),
                                 subject.appe.Name().ToString()},
                                options);
        }
    return lines;
}

QByteArray DGroupReport::CsvBytes(const DGroupProposal& proposal, const DSubjList& list, const DCsv::Options& options)
{
    return DCsv::Bytes(CsvLines(proposal, list, options), options);
}

std::vector<std::vector<DGroupReport::Line>> DGroupReport::Lines(const DGroupProposal& proposal,
                                                                 const DGroupProblem& problem)
{
    std::vector<std::vector<Line>> groups;
    for (const std::vector<qint32>& members : proposal.groups)
    {
        std::vector<Line>& lines = groups.emplace_back();
        for (const qint32 u : members)
        {
            Line line;
            line.subject = u;
            bool gives = false;
            for (qint32 v = 0; v < problem.subjects; ++v)
                gives = gives || problem.Accepts(u, v);
            for (const qint32 v : members)
            {
                if (problem.Accepts(u, v))
                    line.fulfilled << problem.Name(v);
                if (problem.Rejects(u, v))
                    line.rejected << problem.Name(v);
            }
            line.alone = gives && line.fulfilled.isEmpty();
            lines.push_back(line);
        }
    }
    return groups;
}

QStringList DGroupReport::Summary(const DGroupScore& score, const DGroupProblem& problem)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines{lang.GetMsg(34110, {score.alone, score.isolatedAlone}), lang.GetMsg(34120, {score.rejections}),
                      lang.GetMsg(34130, {score.acceptances})};
    if (problem.balanceSexes)
        lines << lang.GetMsg(34140, {QString::number(double(score.imbalance) / std::max(1, problem.subjects), 'f', 1)});
    return lines;
}

QString DGroupReport::Text(const DGroupProposal& proposal, const DGroupProblem& problem)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList text = Summary(proposal.score, problem);
    const std::vector<std::vector<Line>> groups = Lines(proposal, problem);
    for (std::size_t g = 0; g < groups.size(); ++g)
    {
        text << QString() << lang.GetMsg(34150, {int(g + 1)});
        for (const Line& line : groups[g])
        {
            QString entry = QStringLiteral("%1. %2").arg(line.subject + 1).arg(problem.Name(line.subject));
            if (!line.fulfilled.isEmpty())
                entry += QStringLiteral("; ") + lang.GetMsg(34160, {line.fulfilled.join(QStringLiteral(", "))});
            if (line.alone)
                entry += QStringLiteral("; ") + lang.GetStr(34170);
            if (!line.rejected.isEmpty())
                entry += QStringLiteral("; ") + lang.GetMsg(34180, {line.rejected.join(QStringLiteral(", "))});
            text << QStringLiteral("  ") + entry;
        }
    }
    return text.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
