#include "analyses/DGroupReport.h"

#include "analyses/DGraphPainting.h"
#include "analyses/DGroupSettings.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "subjects/DSubjList.h"

#include <QFileInfo>

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
    // In the order of their importance.
    QStringList lines{lang.GetMsg(34110, {score.alone, score.isolatedAlone})};
    if (problem.balanceSexes)
        lines << lang.GetMsg(34140, {QString::number(double(score.imbalance) / std::max(1, problem.subjects), 'f', 1)});
    lines << lang.GetMsg(34120, {score.rejections}) << lang.GetMsg(34130, {score.acceptances});
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

QStringList DGroupReport::Heading(const DGroupProblem& problem, const DGroupSettings& settings, qint32 questions,
                                  const QString& description, const QString& fileName, const QDate& date)
{
    const DLanguage& lang = DLanguage::Active();
    QStringList lines{lang.GetStr(34200)};
    if (!description.trimmed().isEmpty())
        lines << description.trimmed();
    lines << lang.GetMsg(28030, {fileName.isEmpty() ? lang.GetStr(28040) : QFileInfo(fileName).fileName()}) +
                 QStringLiteral("; ") + lang.GetMsg(28050, {DGraphPainting::DateText(date)});

    const qint32 lo = problem.SmallestGroup();
    const qint32 hi = problem.LargestGroup();
    QString groups;
    if (problem.groups == 1)
        groups = lang.GetMsg(37640, {problem.subjects});
    else if (lo == hi)
        groups = lang.GetMsg(37630, {problem.groups, lo});
    else
        groups = lang.GetMsg(37620, {problem.groups, lo, hi});
    lines << (settings.mode == DGroupSettings::Mode::Size ? lang.GetMsg(37600, {settings.value})
                                                          : lang.GetMsg(37610, {settings.value})) +
                 QStringLiteral("; ") + groups;

    QStringList counted;
    for (qint32 q = 0; q < questions; ++q)
        if (settings.CountsQuestion(q))
            counted << QString::number(q + 1);
    QString rules = lang.GetMsg(37650, {counted.isEmpty() ? lang.GetStr(37660) : counted.join(QStringLiteral(", "))});
    if (settings.balanceSexes)
        rules += QStringLiteral("; ") + lang.GetStr(37670);
    lines << rules;

    DGroupSettings clean = settings;
    clean.Clean(problem.subjects);
    QStringList pairs;
    for (const auto& [a, b] : clean.together)
        pairs << lang.GetMsg(34280, {problem.Name(a - 1), problem.Name(b - 1)});
    for (const auto& [a, b] : clean.apart)
        pairs << lang.GetMsg(34290, {problem.Name(a - 1), problem.Name(b - 1)});
    if (!pairs.isEmpty())
        lines << pairs.join(QStringLiteral("; "));
    return lines;
}
