#include "analyses/DGroupProblem.h"

#include "analyses/DGroupSettings.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjList.h"

DGroupProblem::DGroupProblem(qint32 n, qint32 groupCount)
    : subjects(n), groups(groupCount), accepts(static_cast<std::size_t>(n) * static_cast<std::size_t>(n)),
      rejects(accepts.size()), female(static_cast<std::size_t>(n))
{
}

QString DGroupProblem::Name(qint32 u) const
{
    if (u < names.size() && !names[u].isEmpty())
        return names[u];
    return DLanguage::Active().GetMsg(34010, {u + 1});
}

DGroupProblem DGroupProblem::FromTest(const DDesi& desi, const DSubjList& list, const DGroupSettings& settings)
{
    // A subject who chose himself is a mistake of the answers, refused here
    // as by every analysis.
    desi.Verify();
    const qint32 n = list.GetSize();
    DGroupProblem problem(n, settings.GroupCount(n));
    problem.balanceSexes = settings.balanceSexes;
    for (qint32 u = 0; u < n; ++u)
    {
        const DSubjElem& subject = list.GetSelected(u);
        problem.female[static_cast<std::size_t>(u)] = subject.sex.IsFemale() ? 1 : 0;
        problem.names << subject.appe.ToString(true);
    }
    for (const bool positive : {true, false})
        desi.Choices(
            positive, [&](qint32 q) { return settings.CountsQuestion(q); },
            [&](qint32 chooser, qint32 chosen, qint32)
            {
                if (chooser == chosen || chooser > n || chosen > n)
                    return;
                if (positive)
                    problem.SetAccepts(chooser - 1, chosen - 1);
                else
                    problem.SetRejects(chooser - 1, chosen - 1);
            });
    DGroupSettings clean = settings;
    clean.Clean(n);
    for (const auto& [a, b] : clean.together)
        problem.together.emplace_back(a - 1, b - 1);
    for (const auto& [a, b] : clean.apart)
        problem.apart.emplace_back(a - 1, b - 1);
    return problem;
}
