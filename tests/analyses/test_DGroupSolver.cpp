#include "analyses/DGroupMatching.h"
#include "analyses/DGroupSettings.h"
#include "analyses/DGroupSolver.h"
#include "bench/LargestTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <cmath>
#include <numeric>
#include <random>
#include <set>

using TestSupport::ErrorOf;

Q_DECLARE_METATYPE(DGroupProblem)
Q_DECLARE_METATYPE(std::vector<qint64>)

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

// The largest total weight of a matching of the graph, by trying every one;
// with `perfect`, of those that pair every vertex (-1 when none does).
qint64 BruteMatching(qint32 n, const std::vector<qint64>& w, bool perfect, quint32 used = 0)
{
    qint32 u = 0;
    while (u < n && (used >> u & 1u) != 0)
        ++u;
    if (u == n)
        return 0;
    qint64 best = perfect ? -1 : BruteMatching(n, w, perfect, used | 1u << u);
    for (qint32 v = u + 1; v < n; ++v)
        if ((used >> v & 1u) == 0 && w[std::size_t(u * n + v)] > 0)
        {
            const qint64 rest = BruteMatching(n, w, perfect, used | 1u << u | 1u << v);
            if (rest >= 0)
                best = std::max(best, rest + w[std::size_t(u * n + v)]);
        }
    return best;
}

// The weight of a matching given as each vertex's mate, -1 when it is not
// one (a mate not mated back, or no edge).
qint64 MatchingWeight(qint32 n, const std::vector<qint64>& w, const std::vector<qint32>& mate)
{
    if (mate.size() != std::size_t(n))
        return -1;
    qint64 total = 0;
    for (qint32 u = 0; u < n; ++u)
    {
        const qint32 v = mate[std::size_t(u)];
        if (v < 0)
            continue;
        if (v >= n || v == u || mate[std::size_t(v)] != u || w[std::size_t(u * n + v)] <= 0)
            return -1;
        if (u < v)
            total += w[std::size_t(u * n + v)];
    }
    return total;
}

// An optimiser of the test's own to hold the solver against: simulated
// annealing over exchanges of two subjects (and moves between a larger and
// a smaller group), with restarts, the rules as a heavy penalty. Its walk
// weighs the terms by fixed factors; the best grouping it meets is judged by
// the score itself.
class Annealer
{
public:
    explicit Annealer(const DGroupProblem& p)
        : p_(p), n_(p.subjects), gives_(std::size_t(n_)), chosen_(std::size_t(n_)), partners_(std::size_t(n_))
    {
        for (qint32 u = 0; u < n_; ++u)
        {
            females_ += p.female[std::size_t(u)];
            for (qint32 v = 0; v < n_; ++v)
                if (p.Accepts(u, v))
                {
                    gives_[std::size_t(u)] = true;
                    chosen_[std::size_t(v)] = true;
                }
        }
        for (const auto& [a, b] : p.together)
        {
            partners_[std::size_t(a)].push_back(b);
            partners_[std::size_t(b)].push_back(a);
        }
    }

    std::optional<DGroupScore> Best(quint32 seed, qint32 restarts, qint32 steps)
    {
        std::optional<DGroupScore> best;
        std::mt19937 random(seed);
        for (qint32 restart = 0; restart < restarts; ++restart)
        {
            std::vector<qint32> order(static_cast<std::size_t>(n_));
            std::iota(order.begin(), order.end(), 0);
            std::shuffle(order.begin(), order.end(), random);
            groups_.assign(std::size_t(p_.groups), {});
            groupOf_.assign(std::size_t(n_), 0);
            for (qint32 i = 0; i < n_; ++i)
            {
                const qint32 g = i % p_.groups;
                groups_[std::size_t(g)].push_back(order[std::size_t(i)]);
                groupOf_[std::size_t(order[std::size_t(i)])] = g;
            }
            std::vector<double> cost(std::size_t(p_.groups));
            double total = 0;
            for (qint32 g = 0; g < p_.groups; ++g)
                total += cost[std::size_t(g)] = Cost(g);
            double lowest = total;
            const double hot = 4.0;
            const double cold = 0.02;
            for (qint32 step = 0; step < steps; ++step)
            {
                const double t = hot * std::pow(cold / hot, double(step) / steps);
                const qint32 a = qint32(random() % quint32(n_));
                const qint32 b = qint32(random() % quint32(n_));
                const qint32 ga = groupOf_[std::size_t(a)];
                const qint32 gb = groupOf_[std::size_t(b)];
                if (ga == gb)
                    continue;
                // With two sizes, now and then a subject goes alone to a
                // smaller group instead of an exchange.
                const bool move =
                    groups_[std::size_t(ga)].size() > groups_[std::size_t(gb)].size() && random() % 2 == 0;
                Place(a, gb);
                if (!move)
                    Place(b, ga);
                const double after = Cost(ga) + Cost(gb);
                const double delta = after - cost[std::size_t(ga)] - cost[std::size_t(gb)];
                if (delta <= 0 || std::generate_canonical<double, 32>(random) < std::exp(-delta / t))
                {
                    cost[std::size_t(ga)] = Cost(ga);
                    cost[std::size_t(gb)] = Cost(gb);
                    total += delta;
                    if (total <= lowest + 1e-9 && DGroupSolver::MeetsRules(p_, groupOf_))
                    {
                        lowest = total;
                        const DGroupScore score = DGroupSolver::Score(p_, groupOf_);
                        if (!best || score < *best)
                            best = score;
                    }
                }
                else
                {
                    Place(a, ga);
                    if (!move)
                        Place(b, gb);
                }
            }
        }
        return best;
    }

private:
    void Place(qint32 u, qint32 g)
    {
        auto& from = groups_[std::size_t(groupOf_[std::size_t(u)])];
        from.erase(std::find(from.begin(), from.end(), u));
        groups_[std::size_t(g)].push_back(u);
        groupOf_[std::size_t(u)] = g;
    }

    // The group's share of the walk's cost.
    double Cost(qint32 g) const
    {
        const std::vector<qint32>& members = groups_[std::size_t(g)];
        double cost = 0;
        qint64 femaleIn = 0;
        const qint32 size = qint32(members.size());
        if (size < p_.SmallestGroup() || size > p_.LargestGroup())
            cost += 1e9;
        for (const qint32 u : members)
        {
            femaleIn += p_.female[std::size_t(u)];
            bool partner = false;
            for (const qint32 v : members)
            {
                if (u == v)
                    continue;
                if (p_.Accepts(u, v))
                {
                    partner = true;
                    cost -= p_.Accepts(v, u) ? 2 : 1;
                }
                if (p_.Rejects(u, v))
                    cost += p_.Rejects(v, u) ? 1e9 : 100;
            }
            for (const qint32 v : partners_[std::size_t(u)])
                if (groupOf_[std::size_t(v)] != g)
                    cost += 1e9;
            if (gives_[std::size_t(u)] && !partner)
                cost += chosen_[std::size_t(u)] ? 1e4 : 1e6 + 1e4;
        }
        for (const auto& [a, b] : p_.apart)
            if (groupOf_[std::size_t(a)] == g && groupOf_[std::size_t(b)] == g)
                cost += 1e9;
        if (p_.balanceSexes)
            cost += 2e3 * double(std::abs(qint64(females_) * size - qint64(n_) * femaleIn)) / n_;
        return cost;
    }

    const DGroupProblem& p_;
    qint32 n_;
    qint32 females_ = 0;
    std::vector<bool> gives_;
    std::vector<bool> chosen_;
    std::vector<std::vector<qint32>> partners_;
    std::vector<std::vector<qint32>> groups_;
    std::vector<qint32> groupOf_;
};
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
    void matching_data();
    void matching();
    void sexesRightAfterAlone();
    void neverBeatenByAnnealing_data();
    void neverBeatenByAnnealing();
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
    QTest::newRow("sexes balanced") << sexes;
    // Pairs: an even class, an odd one (one group of three, as the group
    // count of pairs makes it), and more groups than pairs (some alone).
    for (quint32 seed = 1; seed <= 4; ++seed)
    {
        DGroupProblem even = RandomClass(12, 6, seed * 31u, 3, 2);
        even.balanceSexes = seed % 2 == 0;
        even.together = ToZeroBased({{1, 2}});
        even.apart = ToZeroBased({{3, 4}});
        QTest::addRow("pairs of 12 seed=%u", seed) << even;
        DGroupProblem odd = RandomClass(11, 5, seed * 37u, 2, 2);
        odd.balanceSexes = seed % 2 == 1;
        if (seed > 2)
            odd.together = ToZeroBased({{1, 2}, {2, 3}});
        QTest::addRow("pairs of 11 seed=%u", seed) << odd;
        QTest::addRow("7 in 4 groups seed=%u", seed) << RandomClass(7, 4, seed * 41u, 2, 1);
    }
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

void TestDGroupSolver::matching_data()
{
    QTest::addColumn<qint32>("n");
    QTest::addColumn<std::vector<qint64>>("weights");
    // Every graph of up to 6 vertices, each with its own weights of 1 to 3
    // (many ties), then random ones of 7 to 10 vertices.
    std::mt19937 random(777);
    for (qint32 n = 1; n <= 6; ++n)
    {
        const qint32 edges = n * (n - 1) / 2;
        for (quint32 set = 0; set < (1u << edges); ++set)
        {
            std::vector<qint64> w(std::size_t(n * n));
            qint32 e = 0;
            for (qint32 u = 0; u < n; ++u)
                for (qint32 v = u + 1; v < n; ++v, ++e)
                    if ((set >> e & 1u) != 0)
                        w[std::size_t(u * n + v)] = w[std::size_t(v * n + u)] = qint64(1 + random() % 3);
            QTest::addRow("n=%d edges=%u", n, set) << n << w;
        }
    }
    for (qint32 n = 7; n <= 10; ++n)
        for (qint32 i = 0; i < 1500; ++i)
        {
            std::vector<qint64> w(std::size_t(n * n));
            const quint32 density = 30 + random() % 71;
            const quint32 range = i % 2 == 0 ? 3 : 1000000;
            for (qint32 u = 0; u < n; ++u)
                for (qint32 v = u + 1; v < n; ++v)
                    if (random() % 100 < density)
                        w[std::size_t(u * n + v)] = w[std::size_t(v * n + u)] = qint64(1 + random() % range);
            QTest::addRow("n=%d random %d", n, i) << n << w;
        }
}

void TestDGroupSolver::matching()
{
    QFETCH(qint32, n);
    QFETCH(std::vector<qint64>, weights);
    QCOMPARE(MatchingWeight(n, weights, DGroupMatching::Maximum(n, weights)), BruteMatching(n, weights, false));
    const std::vector<qint32> perfect = DGroupMatching::Perfect(n, weights);
    const qint64 best = BruteMatching(n, weights, true);
    if (best < 0)
        QVERIFY(perfect.empty());
    else
    {
        QVERIFY(std::find(perfect.begin(), perfect.end(), -1) == perfect.end());
        QCOMPARE(MatchingWeight(n, weights, perfect), best);
    }
}

void TestDGroupSolver::sexesRightAfterAlone()
{
    // Four girls (1-4) who all chose each other, four boys (5-8) likewise,
    // and each girl with one boy who chose each other: groups of one sex hold
    // the most acceptances, mixed ones leave nobody alone too. Balanced, the
    // groups are mixed, two girls and two boys each.
    QString choices = QStringLiteral("1>5 5>1 2>6 6>2 3>7 7>3 4>8 8>4");
    for (qint32 u = 0; u < 8; ++u)
        for (qint32 v = u / 4 * 4; v < u / 4 * 4 + 4; ++v)
            if (u != v)
                choices += QStringLiteral(" %1>%2").arg(u + 1).arg(v + 1);
    DGroupProblem p = HandClass(8, 2, choices);
    p.female = {1, 1, 1, 1, 0, 0, 0, 0};
    QCOMPARE(DGroupSolver::Solve(p).groups, (std::vector<std::vector<qint32>>{{0, 1, 2, 3}, {4, 5, 6, 7}}));
    p.balanceSexes = true;
    const DGroupProposal balanced = DGroupSolver::Solve(p);
    QCOMPARE(Describe(balanced.score), QStringLiteral("0/0/0/32/0"));
    for (const std::vector<qint32>& group : balanced.groups)
        QCOMPARE(std::count_if(group.begin(), group.end(), [](qint32 u) { return u < 4; }), 2);
}

void TestDGroupSolver::neverBeatenByAnnealing_data()
{
    QTest::addColumn<DGroupProblem>("problem");
    // Classes of 100 (99 for an odd class in pairs) in every kind of group.
    const auto settings = [](qint32 subjects, qint32 size)
    {
        DGroupSettings s;
        s.value = size;
        return s.GroupCount(subjects);
    };
    QTest::newRow("100 in pairs") << RandomClass(100, settings(100, 2), 101, 3, 2);
    DGroupProblem odd = RandomClass(99, settings(99, 2), 102, 3, 3);
    odd.balanceSexes = true;
    QTest::newRow("99 in pairs, sexes") << odd;
    QTest::newRow("100 in threes") << RandomClass(100, settings(100, 3), 103, 3, 2);
    DGroupProblem fours = RandomClass(100, settings(100, 4), 104, 3, 3);
    fours.balanceSexes = true;
    QTest::newRow("100 in fours, sexes") << fours;
    DGroupProblem rules = RandomClass(100, settings(100, 5), 105, 4, 2);
    for (qint32 u = 0; u + 1 < 30; u += 3)
        rules.together.emplace_back(u, u + 1);
    for (qint32 u = 40; u + 7 < 100; u += 7)
        rules.apart.emplace_back(u, u + 7);
    QTest::newRow("100 in fives, rules") << rules;
    // Dense: everybody accepts half the class.
    DTest largest;
    BuildLargestTest(largest);
    DGroupSettings positive;
    for (qint32 q = 5; q < 10; ++q)
        positive.SetQuestion(q, false);
    QTest::newRow("largest test in fours") << DGroupProblem::FromTest(largest.desi, largest.subj.List(), positive);
}

void TestDGroupSolver::neverBeatenByAnnealing()
{
    QFETCH(DGroupProblem, problem);
    const DGroupProposal proposal = DGroupSolver::Solve(problem);
    QVERIFY(DGroupSolver::MeetsRules(problem, GroupOf(problem, proposal)));
    const std::optional<DGroupScore> annealed = Annealer(problem).Best(4242, 4, 300000);
    QVERIFY(annealed);
    QVERIFY2(!(*annealed < proposal.score),
             qPrintable(QStringLiteral("solver %1, annealing %2").arg(Describe(proposal.score), Describe(*annealed))));
}

KC_TEST_MAIN(TestDGroupSolver)
#include "test_DGroupSolver.moc"
