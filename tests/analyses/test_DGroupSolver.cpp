#include "analyses/DGroupSolver.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <random>
#include <set>

using TestSupport::ErrorOf;

Q_DECLARE_METATYPE(DGroupProblem)

namespace
{
using Pairs = std::vector<std::pair<qint32, qint32>>;

// A class where every subject accepts `accepts` and rejects `rejects` others
// drawn from a fixed seed, so that each row is the same class on every run.
DGroupProblem RandomClass(qint32 n, qint32 groups, quint32 seed, qint32 accepts, qint32 rejects)
{
    DGroupProblem p(n, groups);
    std::mt19937 random(seed);
    for (qint32 u = 0; u < n; ++u)
    {
        p.female[std::size_t(u)] = random() % 2;
        for (qint32 i = 0; i < accepts + rejects; ++i)
        {
            const qint32 v = qint32(random() % quint32(n));
            if (v == u)
                continue;
            if (i < accepts)
                p.SetAccepts(u, v);
            else if (!p.Accepts(u, v))
                p.SetRejects(u, v);
        }
    }
    return p;
}

// Choices written as "chooser>chosen" (acceptance) or "chooser!chosen"
// (rejection), subjects from 1, as a teacher would read them off the answers.
DGroupProblem HandClass(qint32 n, qint32 groups, const QString& choices)
{
    DGroupProblem p(n, groups);
    for (const QString& choice : choices.split(QLatin1Char(' '), Qt::SkipEmptyParts))
    {
        const bool accept = choice.contains(QLatin1Char('>'));
        const QStringList ends = choice.split(accept ? QLatin1Char('>') : QLatin1Char('!'));
        const qint32 u = ends[0].toInt() - 1;
        const qint32 v = ends[1].toInt() - 1;
        accept ? p.SetAccepts(u, v) : p.SetRejects(u, v);
    }
    return p;
}

Pairs ToZeroBased(const Pairs& pairs)
{
    Pairs result;
    for (const auto& [a, b] : pairs)
        result.emplace_back(a - 1, b - 1);
    return result;
}

std::vector<qint32> GroupOf(const DGroupProblem& p, const DGroupProposal& proposal)
{
    std::vector<qint32> groupOf(std::size_t(p.subjects), -1);
    for (std::size_t g = 0; g < proposal.groups.size(); ++g)
        for (const qint32 u : proposal.groups[g])
            groupOf[std::size_t(u)] = qint32(g);
    return groupOf;
}

// The best score over every grouping that meets the rules, each grouping
// once (groups numbered in order of their first subject); nothing when none
// does.
std::optional<DGroupScore> Exhaustive(const DGroupProblem& p)
{
    std::optional<DGroupScore> best;
    std::vector<qint32> groupOf(std::size_t(p.subjects));
    std::vector<qint32> sizes(std::size_t(p.groups));
    const std::function<void(qint32, qint32)> place = [&](qint32 u, qint32 used)
    {
        if (u == p.subjects)
        {
            if (used == p.groups && DGroupSolver::MeetsRules(p, groupOf))
            {
                const DGroupScore score = DGroupSolver::Score(p, groupOf);
                if (!best || score < *best)
                    best = score;
            }
            return;
        }
        if (p.groups - used > p.subjects - u)
            return;
        for (qint32 g = 0; g <= std::min(used, p.groups - 1); ++g)
        {
            if (sizes[std::size_t(g)] == p.LargestGroup())
                continue;
            groupOf[std::size_t(u)] = g;
            ++sizes[std::size_t(g)];
            place(u + 1, std::max(used, g + 1));
            --sizes[std::size_t(g)];
        }
    };
    place(0, 0);
    return best;
}

QString Describe(const DGroupScore& s)
{
    return QStringLiteral("%1/%2/%3/%4/%5")
        .arg(s.isolatedAlone)
        .arg(s.alone)
        .arg(s.rejections)
        .arg(s.acceptances)
        .arg(s.imbalance);
}
} // namespace

class TestDGroupSolver : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void optimum_data();
    void optimum();
    void largeClassMeetsRules();
    void proposals();
    void infeasible_data();
    void infeasible();
    void scoreTerms();
};

void TestDGroupSolver::optimum_data()
{
    QTest::addColumn<DGroupProblem>("problem");
    // Random classes of every size up to 12 in several group counts, sparse
    // and dense choices, some with the sexes balanced.
    for (const auto& [n, groups, accepts, rejects] : std::vector<std::array<qint32, 4>>{{5, 2, 1, 1},
                                                                                        {6, 3, 2, 1},
                                                                                        {7, 2, 3, 2},
                                                                                        {8, 4, 2, 2},
                                                                                        {9, 3, 3, 1},
                                                                                        {10, 2, 2, 3},
                                                                                        {10, 5, 3, 2},
                                                                                        {11, 3, 2, 2},
                                                                                        {11, 4, 3, 3},
                                                                                        {12, 3, 3, 2},
                                                                                        {12, 4, 2, 1},
                                                                                        {12, 6, 3, 3},
                                                                                        {12, 5, 4, 2},
                                                                                        {12, 2, 1, 2}})
        for (quint32 seed = 1; seed <= 4; ++seed)
        {
            DGroupProblem p = RandomClass(n, groups, seed * 7919u + quint32(n), accepts, rejects);
            p.balanceSexes = seed % 2 == 0;
            QTest::addRow("random n=%d k=%d a=%d r=%d seed=%u", n, groups, accepts, rejects, seed) << p;
        }
    // With pairs the user fixed.
    for (quint32 seed = 1; seed <= 6; ++seed)
    {
        DGroupProblem p = RandomClass(12, 3 + qint32(seed % 2), seed * 104729u, 3, 2);
        p.together = ToZeroBased({{1, 2}, {3, 4}, {4, 5}});
        p.apart = ToZeroBased({{1, 6}, {7, 8}});
        QTest::addRow("pairs seed=%u", seed) << p;
    }
    // The isolated subject (8, chosen by nobody) gets his one choice even
    // though it breaks up the mutual pair 1-2 that would score more.
    QTest::newRow("isolated first") << HandClass(8, 4, QStringLiteral("1>2 2>1 1>3 3>1 2>3 3>2 4>5 5>4 6>7 7>6 8>1"));
    // Everybody chose the same subject: only one group can have him.
    QTest::newRow("one star") << HandClass(9, 3, QStringLiteral("2>1 3>1 4>1 5>1 6>1 7>1 8>1 9>1 1>2"));
    // A rejection weighs more than any number of acceptances.
    QTest::newRow("rejection over acceptances")
        << HandClass(6, 2, QStringLiteral("1>2 2>1 1>3 3>1 2>3 3>2 4>1 4>2 4>3 1!4 5>6 6>5"));
    DGroupProblem sexes = HandClass(8, 2, QStringLiteral("1>2 2>1 3>4 4>3 5>6 6>5 7>8 8>7"));
    sexes.female = {1, 1, 1, 1, 0, 0, 0, 0};
    sexes.balanceSexes = true;
    QTest::newRow("sexes balanced last") << sexes;
}

void TestDGroupSolver::optimum()
{
    QFETCH(DGroupProblem, problem);
    const std::optional<DGroupScore> best = Exhaustive(problem);
    QVERIFY(best);
    const DGroupProposal proposal = DGroupSolver::Solve(problem);
    const std::vector<qint32> groupOf = GroupOf(problem, proposal);
    QVERIFY(DGroupSolver::MeetsRules(problem, groupOf));
    QCOMPARE(Describe(DGroupSolver::Score(problem, groupOf)), Describe(proposal.score));
    QCOMPARE(Describe(proposal.score), Describe(*best));
}

void TestDGroupSolver::largeClassMeetsRules()
{
    // Too large for the exhaustive search: the rules still hold, and the
    // same class gives the same groups every time.
    DGroupProblem p = RandomClass(60, 12, 4242, 3, 3);
    for (qint32 u = 0; u + 1 < 20; u += 4)
        p.together.emplace_back(u, u + 1);
    for (qint32 u = 20; u + 5 < 60; u += 6)
        p.apart.emplace_back(u, u + 5);
    p.balanceSexes = true;
    const DGroupProposal proposal = DGroupSolver::Solve(p);
    QVERIFY(DGroupSolver::MeetsRules(p, GroupOf(p, proposal)));
    QCOMPARE(DGroupSolver::Solve(p).groups, proposal.groups);
}

void TestDGroupSolver::proposals()
{
    // "Try another": each proposal differs from the ones before, none is
    // better than the one before, and asking again gives the same one.
    const DGroupProblem p = RandomClass(12, 4, 99, 3, 2);
    std::set<std::vector<std::vector<qint32>>> seen;
    DGroupScore previous;
    for (qint32 index = 0; index < 6; ++index)
    {
        const DGroupProposal proposal = DGroupSolver::Solve(p, index);
        QVERIFY(DGroupSolver::MeetsRules(p, GroupOf(p, proposal)));
        QVERIFY(seen.insert(proposal.groups).second);
        if (index > 0)
            QVERIFY(!(proposal.score < previous));
        previous = proposal.score;
        QCOMPARE(DGroupSolver::Solve(p, index).groups, proposal.groups);
    }
    // A class with only three groupings offers them in turn.
    const DGroupProblem tiny = HandClass(4, 2, QStringLiteral("1>2"));
    QCOMPARE(DGroupSolver::Solve(tiny, 3).groups, DGroupSolver::Solve(tiny, 0).groups);
}

void TestDGroupSolver::infeasible_data()
{
    QTest::addColumn<DGroupProblem>("problem");
    // The message, or its beginning where it names a pair the search chose.
    QTest::addColumn<QString>("error");
    const DLanguage& lang = DLanguage::Active();

    DGroupProblem both = HandClass(6, 2, QString());
    both.together = {{0, 1}, {1, 2}};
    both.apart = {{0, 2}};
    QTest::newRow("together and apart") << both << lang.GetErr(34500, {"no. 1", "no. 3"});

    DGroupProblem rejected = HandClass(6, 2, QStringLiteral("1!3 3!1"));
    rejected.together = {{0, 1}, {1, 2}};
    QTest::newRow("together but rejected") << rejected << lang.GetErr(34510, {"no. 1", "no. 3"});

    DGroupProblem chain = HandClass(6, 3, QString());
    chain.together = {{0, 1}, {1, 2}};
    QTest::newRow("chain larger than a group") << chain << lang.GetErr(34520, {3, "no. 1, no. 2, no. 3", 2});

    // Three subjects who all rejected each other, and only two groups.
    DGroupProblem triangle = HandClass(6, 2, QStringLiteral("1!2 2!1 2!3 3!2 1!3 3!1"));
    QTest::newRow("mutual rejections") << triangle << lang.GetErr(34530, {3, "no. 1, no. 2, no. 3", 2});

    // A ring of five mutual rejections needs three groups, though no three
    // of them all rejected each other.
    DGroupProblem ring = HandClass(6, 2, QStringLiteral("1!2 2!1 2!3 3!2 3!4 4!3 4!5 5!4 5!1 1!5"));
    QTest::newRow("odd ring") << ring
                              << QStringLiteral("No grouping into 2 groups of 3 to 3 subjects meets every rule");

    // Four pairs to keep together in three groups of three.
    DGroupProblem packing = HandClass(9, 3, QString());
    packing.together = {{0, 1}, {2, 3}, {4, 5}, {6, 7}};
    QTest::newRow("pairs do not pack") << packing << lang.GetErr(34550, {3, 3, 3});

    QTest::newRow("more groups than subjects") << HandClass(3, 4, QString()) << lang.GetErr(34560, {1, 3});
}

void TestDGroupSolver::infeasible()
{
    QFETCH(DGroupProblem, problem);
    QFETCH(QString, error);
    QVERIFY(!Exhaustive(problem));
    const QString message = ErrorOf([&] { DGroupSolver::Solve(problem); });
    QVERIFY2(message.startsWith(error), qPrintable(message));
}

void TestDGroupSolver::scoreTerms()
{
    // Groups {1,2,3} {4,5,6}: 1 and 2 chose each other (4), 3 chose 1 (1);
    // 4 rejected 5; 6 is isolated and chose 1 in the other group; 5 chose 1
    // too, and is not isolated since 4 chose him.
    DGroupProblem p = HandClass(6, 2, QStringLiteral("1>2 2>1 3>1 4!5 4>5 6>1 5>1"));
    p.female = {1, 1, 1, 0, 0, 1};
    p.balanceSexes = true;
    const DGroupScore score = DGroupSolver::Score(p, {0, 0, 0, 1, 1, 1});
    // Imbalance: four females of six, so each group of three should have two:
    // |4 x 3 - 6 x 3| + |4 x 3 - 6 x 1| = 12.
    QCOMPARE(Describe(score), QStringLiteral("1/2/1/6/12"));
}

KC_TEST_MAIN(TestDGroupSolver)
#include "test_DGroupSolver.moc"
