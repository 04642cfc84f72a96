#include "analyses/DGroupSolver.h"

#include "analyses/DGroupMatching.h"

#include "model/EError.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <numeric>
#include <optional>
#include <random>
#include <set>

namespace
{
using Cost = std::array<qint64, 6>;
using Key = std::vector<qint32>;

// Up to 100 subjects, and so up to 100 chains of subjects kept together.
constexpr std::size_t kMaxSubjects = 128;
using Bits = std::bitset<kMaxSubjects>;

// Subjects kept together, directly or through a chain of "together" pairs,
// move as one block.
struct Blocks
{
    std::vector<qint32> of;
    std::vector<std::vector<qint32>> members;

    explicit Blocks(const DGroupProblem& problem)
    {
        std::vector<qint32> parent(static_cast<std::size_t>(problem.subjects));
        std::iota(parent.begin(), parent.end(), 0);
        const std::function<qint32(qint32)> root = [&](qint32 u)
        { return parent[std::size_t(u)] == u ? u : parent[std::size_t(u)] = root(parent[std::size_t(u)]); };
        for (const auto& [a, b] : problem.together)
            parent[std::size_t(std::max(root(a), root(b)))] = std::min(root(a), root(b));
        of.assign(parent.size(), -1);
        for (qint32 u = 0; u < problem.subjects; ++u)
        {
            qint32& block = of[std::size_t(root(u))];
            if (block < 0)
            {
                block = static_cast<qint32>(members.size());
                members.emplace_back();
            }
            of[std::size_t(u)] = block;
            members[std::size_t(block)].push_back(u);
        }
    }
};

bool Mutual(const DGroupProblem& p, qint32 u, qint32 v)
{
    return p.Rejects(u, v) && p.Rejects(v, u);
}

QString Names(const DGroupProblem& p, const std::vector<qint32>& subjects, const QString& separator)
{
    QStringList names;
    for (const qint32 u : subjects)
        names << p.Name(u);
    return names.join(separator);
}

// A largest set of blocks that must all be in different groups, searched
// only until one larger than the number of groups turns up (Bron-Kerbosch
// with a pivot). The budget bounds the time on dense classes; when it runs
// out the search itself finds that nothing fits.
class CliqueSearch
{
public:
    CliqueSearch(const std::vector<Bits>& adjacent, std::size_t wanted) : adjacent_(adjacent), wanted_(wanted) {}

    std::vector<qint32> Find()
    {
        Bits all;
        for (std::size_t i = 0; i < adjacent_.size(); ++i)
            all.set(i);
        std::vector<qint32> current;
        Expand(current, all, Bits());
        return found_;
    }

private:
    void Expand(std::vector<qint32>& current, Bits candidates, Bits excluded)
    {
        if (!found_.empty() || ++calls_ > kBudget || current.size() + candidates.count() < wanted_)
            return;
        if (current.size() >= wanted_)
        {
            found_ = current;
            return;
        }
        std::size_t pivot = 0;
        std::size_t most = 0;
        for (std::size_t i = 0; i < adjacent_.size(); ++i)
            if ((candidates[i] || excluded[i]) && (candidates & adjacent_[i]).count() >= most)
            {
                most = (candidates & adjacent_[i]).count();
                pivot = i;
            }
        const Bits branches = candidates & ~adjacent_[pivot];
        for (std::size_t i = 0; i < adjacent_.size(); ++i)
        {
            if (!branches[i])
                continue;
            current.push_back(static_cast<qint32>(i));
            Expand(current, candidates & adjacent_[i], excluded & adjacent_[i]);
            current.pop_back();
            candidates.reset(i);
            excluded.set(i);
        }
    }

    static constexpr long kBudget = 200000;
    const std::vector<Bits>& adjacent_;
    std::size_t wanted_;
    long calls_ = 0;
    std::vector<qint32> found_;
};

// The rules no search can meet, found before searching, each with its reason.
void CheckRules(const DGroupProblem& p, const Blocks& blocks)
{
    const auto sameBlock = [&](qint32 u, qint32 v) { return blocks.of[std::size_t(u)] == blocks.of[std::size_t(v)]; };
    for (const auto& [a, b] : p.apart)
        if (sameBlock(a, b))
            throw EError(34500, {p.Name(a), p.Name(b)});
    for (qint32 u = 0; u < p.subjects; ++u)
        for (qint32 v = u + 1; v < p.subjects; ++v)
            if (sameBlock(u, v) && Mutual(p, u, v))
                throw EError(34510, {p.Name(u), p.Name(v)});
    for (const std::vector<qint32>& members : blocks.members)
        if (static_cast<qint32>(members.size()) > p.LargestGroup())
            throw EError(34520,
                         {static_cast<int>(members.size()), Names(p, members, QStringLiteral(", ")), p.LargestGroup()});

    std::vector<Bits> adjacent(blocks.members.size());
    const auto link = [&](qint32 u, qint32 v)
    {
        adjacent[std::size_t(blocks.of[std::size_t(u)])].set(std::size_t(blocks.of[std::size_t(v)]));
        adjacent[std::size_t(blocks.of[std::size_t(v)])].set(std::size_t(blocks.of[std::size_t(u)]));
    };
    for (const auto& [a, b] : p.apart)
        link(a, b);
    for (qint32 u = 0; u < p.subjects; ++u)
        for (qint32 v = u + 1; v < p.subjects; ++v)
            if (Mutual(p, u, v))
                link(u, v);
    std::vector<qint32> clique = CliqueSearch(adjacent, std::size_t(p.groups) + 1).Find();
    std::sort(clique.begin(), clique.end());
    if (!clique.empty())
    {
        QStringList names;
        for (const qint32 block : clique)
            names << Names(p, blocks.members[std::size_t(block)], QStringLiteral(" + "));
        throw EError(34530, {static_cast<int>(clique.size()), names.join(QStringLiteral(", ")), p.groups});
    }
}

// A deterministic random source: the standard fixes mt19937's sequence, not
// the distributions', so the numbers are reduced here.
class Random
{
public:
    explicit Random(quint32 seed) : engine_(seed) {}
    std::size_t Below(std::size_t bound) { return bound == 0 ? 0 : engine_() % bound; }
    // In [0, 1).
    double Unit() { return double(engine_()) / 4294967296.0; }
    template <class T> void Shuffle(std::vector<T>& items)
    {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[Below(i)]);
    }

private:
    std::mt19937 engine_;
};

// A grouping with its score terms kept up to date move by move, so a move
// costs the sizes of the two groups it touches rather than the whole class.
class State
{
public:
    State(const DGroupProblem& p, const Blocks& blocks)
        : p_(p), blocks_(blocks), n_(std::size_t(p.subjects)), lo_(p.SmallestGroup()), hi_(p.LargestGroup()),
          acc_(n_ * n_), rej_(n_ * n_), weight_(n_ * n_), conflict_(n_ * n_), gives_(n_), isolated_(n_, 1)
    {
        for (std::size_t u = 0; u < n_; ++u)
            for (std::size_t v = 0; v < n_; ++v)
            {
                const qint32 a = qint32(u);
                const qint32 b = qint32(v);
                acc_[u * n_ + v] = p.Accepts(a, b) ? 1 : 0;
                rej_[u * n_ + v] = quint8((p.Rejects(a, b) ? 1 : 0) + (p.Rejects(b, a) ? 1 : 0));
                weight_[u * n_ + v] =
                    quint8(acc_[u * n_ + v] + (p.Accepts(b, a) ? 1 : 0) + (p.Accepts(a, b) && p.Accepts(b, a) ? 2 : 0));
                conflict_[u * n_ + v] = u != v && Mutual(p, a, b) ? 1 : 0;
                if (acc_[u * n_ + v])
                {
                    gives_[u] = 1;
                    isolated_[v] = 0;
                }
            }
        for (const auto& [a, b] : p.apart)
        {
            conflict_[std::size_t(a) * n_ + std::size_t(b)] = 1;
            conflict_[std::size_t(b) * n_ + std::size_t(a)] = 1;
        }
        for (std::size_t u = 0; u < n_; ++u)
            females_ += p.female[u];
    }

    void Assign(const std::vector<qint32>& groupOf)
    {
        group_.assign(n_, -1);
        members_.assign(std::size_t(p_.groups), {});
        position_.assign(n_, 0);
        chosen_.assign(n_, 0);
        femaleIn_.assign(std::size_t(p_.groups), 0);
        violations_ = sizeDeviation_ = isolatedAlone_ = alone_ = rejections_ = acceptances_ = imbalance_ = 0;
        for (qint32 g = 0; g < p_.groups; ++g)
            GroupTerms(g, 1);
        // Subjects start outside every group: none of them counts yet.
        for (std::size_t u = 0; u < n_; ++u)
            Enter(qint32(u), groupOf[u]);
    }

    Cost GetCost() const
    {
        return {violations_, isolatedAlone_, alone_, p_.balanceSexes ? imbalance_ : 0, rejections_, -acceptances_};
    }
    bool IsFeasible() const { return violations_ == 0; }
    const std::vector<qint32>& Groups() const { return group_; }
    qint32 GroupOfBlock(qint32 block) const { return group_[std::size_t(blocks_.members[std::size_t(block)][0])]; }
    qint32 BlockSize(qint32 block) const { return qint32(blocks_.members[std::size_t(block)].size()); }
    qint32 Size(qint32 g) const { return qint32(members_[std::size_t(g)].size()); }
    bool SizesFit() const { return sizeDeviation_ == 0; }
    qint32 Lo() const { return lo_; }
    qint32 Hi() const { return hi_; }

    void MoveBlock(qint32 block, qint32 to)
    {
        for (const qint32 u : blocks_.members[std::size_t(block)])
        {
            Leave(u);
            Enter(u, to);
        }
    }

    // The grouping with groups numbered in order of their first subject, so
    // that one grouping has one key whatever the numbers of its groups.
    Key Canonical() const
    {
        Key key(n_);
        std::vector<qint32> label(std::size_t(p_.groups), -1);
        qint32 next = 0;
        for (std::size_t u = 0; u < n_; ++u)
        {
            qint32& l = label[std::size_t(group_[u])];
            if (l < 0)
                l = next++;
            key[u] = l;
        }
        return key;
    }

    // The first pair in the grouping that breaks a "apart" rule, if any.
    std::optional<std::pair<qint32, qint32>> Conflict() const
    {
        for (std::size_t u = 0; u < n_; ++u)
            for (std::size_t v = u + 1; v < n_; ++v)
                if (group_[u] == group_[v] && conflict_[u * n_ + v])
                    return std::pair(qint32(u), qint32(v));
        return std::nullopt;
    }

private:
    qint64 Deviation(qint32 size) const { return std::max(0, lo_ - size) + std::max(0, size - hi_); }
    qint64 Imbalance(qint32 g) const
    {
        return std::abs(qint64(females_) * Size(g) - qint64(n_) * femaleIn_[std::size_t(g)]);
    }
    void Status(qint32 u, qint64 sign)
    {
        if (gives_[std::size_t(u)] && chosen_[std::size_t(u)] == 0)
        {
            alone_ += sign;
            isolatedAlone_ += sign * isolated_[std::size_t(u)];
        }
    }
    void GroupTerms(qint32 g, qint64 sign)
    {
        const qint64 deviation = Deviation(Size(g));
        violations_ += sign * deviation;
        sizeDeviation_ += sign * deviation;
        imbalance_ += sign * Imbalance(g);
    }

    void Leave(qint32 x)
    {
        const qint32 g = group_[std::size_t(x)];
        Status(x, -1);
        GroupTerms(g, -1);
        std::vector<qint32>& list = members_[std::size_t(g)];
        const std::size_t xs = std::size_t(x);
        for (const qint32 u : list)
        {
            const std::size_t us = std::size_t(u);
            if (u == x)
                continue;
            if (acc_[us * n_ + xs] && --chosen_[us] == 0)
                Status(u, 1);
            rejections_ -= rej_[xs * n_ + us];
            acceptances_ -= weight_[xs * n_ + us];
            violations_ -= conflict_[xs * n_ + us];
        }
        const std::size_t at = position_[xs];
        list[at] = list.back();
        position_[std::size_t(list[at])] = at;
        list.pop_back();
        femaleIn_[std::size_t(g)] -= p_.female[xs];
        chosen_[xs] = 0;
        group_[xs] = -1;
        GroupTerms(g, 1);
    }

    void Enter(qint32 x, qint32 g)
    {
        const std::size_t xs = std::size_t(x);
        GroupTerms(g, -1);
        std::vector<qint32>& list = members_[std::size_t(g)];
        for (const qint32 u : list)
        {
            const std::size_t us = std::size_t(u);
            if (acc_[us * n_ + xs])
            {
                if (chosen_[us] == 0)
                    Status(u, -1);
                ++chosen_[us];
            }
            chosen_[xs] += acc_[xs * n_ + us];
            rejections_ += rej_[xs * n_ + us];
            acceptances_ += weight_[xs * n_ + us];
            violations_ += conflict_[xs * n_ + us];
        }
        position_[xs] = list.size();
        list.push_back(x);
        femaleIn_[std::size_t(g)] += p_.female[xs];
        group_[xs] = g;
        GroupTerms(g, 1);
        Status(x, 1);
    }

    const DGroupProblem& p_;
    const Blocks& blocks_;
    std::size_t n_;
    qint32 lo_;
    qint32 hi_;
    std::vector<quint8> acc_;
    std::vector<quint8> rej_;
    std::vector<quint8> weight_;
    std::vector<quint8> conflict_;
    std::vector<quint8> gives_;
    std::vector<qint64> isolated_;
    qint32 females_ = 0;

    std::vector<qint32> group_;
    std::vector<std::vector<qint32>> members_;
    std::vector<std::size_t> position_;
    std::vector<qint32> chosen_;
    std::vector<qint32> femaleIn_;
    qint64 violations_ = 0;
    qint64 sizeDeviation_ = 0;
    qint64 isolatedAlone_ = 0;
    qint64 alone_ = 0;
    qint64 rejections_ = 0;
    qint64 acceptances_ = 0;
    qint64 imbalance_ = 0;
};

// One neighbour of a grouping: block a to group b, or blocks a and b
// exchanging their groups.
struct Move
{
    qint32 a;
    qint32 b;
    bool swap;
};

class Searcher
{
public:
    Searcher(const DGroupProblem& p, const Blocks& blocks, std::size_t keep)
        : p_(p), blocks_(blocks), state_(p, blocks), keep_(keep)
    {
        const qint32 count = qint32(blocks.members.size());
        for (qint32 a = 0; a < count; ++a)
        {
            for (qint32 g = 0; g < p.groups; ++g)
                moves_.push_back({a, g, false});
            for (qint32 b = a + 1; b < count; ++b)
                moves_.push_back({a, b, true});
        }
    }

    // A grouping found some other way, searched from like a restart.
    // With `exact`, the seed is the optimum already: only its neighbours
    // are searched, for the next-best proposals.
    void Run(const std::optional<std::vector<qint32>>& seed, bool exact)
    {
        if (seed && exact)
        {
            state_.Assign(*seed);
            Record();
            Neighbours();
            return;
        }
        // A descent costs about the square of the class size, so the number
        // of descents falls with it: classes up to 12 get some 1500 (the
        // optimum, in the tests), 30 subjects 300, 100 subjects 48, which
        // keeps the largest classes within their time.
        const qint32 n = std::max(1, p_.subjects);
        const qint32 descents = std::clamp(270000 / (n * n), 48, 1500);
        const qint32 restarts = std::clamp(descents / 50, 2, 6);
        const qint32 shakes = descents / restarts - 1;
        for (qint32 restart = 0; restart < restarts; ++restart)
        {
            Random random(0x5eed0000u + quint32(restart));
            state_.Assign(Start(random));
            Descend(random);
            Cost current = state_.GetCost();
            std::vector<qint32> kept = state_.Groups();
            for (qint32 shake = 0; shake < shakes; ++shake)
            {
                Shake(random);
                Descend(random);
                // Equal scores are taken, so the search wanders over the
                // plateaus that the lexicographic order leaves.
                if (state_.GetCost() <= current)
                {
                    current = state_.GetCost();
                    kept = state_.Groups();
                }
                else
                    state_.Assign(kept);
            }
        }
        if (seed)
        {
            Random random(0x5eed00ffu);
            state_.Assign(*seed);
            Record();
            Descend(random);
        }
        // Past the sizes the descents settle exactly, annealing from the
        // best grouping goes on where they stop.
        if (n > 12)
            for (std::size_t run = 0; run < kAnneal.size(); ++run)
            {
                Random random(0x5eed1000u + quint32(run));
                if (kAnneal[run].fresh)
                    state_.Assign(Start(random));
                else if (!pool_.empty())
                    state_.Assign(pool_.begin()->second);
                else if (!closest_.second.empty())
                    state_.Assign(closest_.second);
                Anneal(random, kAnneal[run].hot, kAnneal[run].soft, std::min<qint64>(kAnnealSteps, qint64(n) * n * 50));
            }
        Neighbours();
    }

    // The neighbours of the best grouping are the first candidates for the
    // next-best proposals.
    void Neighbours()
    {
        if (!pool_.empty())
        {
            state_.Assign(pool_.begin()->second);
            for (const Move& move : moves_)
                if (Apply(move))
                {
                    Record();
                    Undo(move);
                }
        }
    }

    const std::set<std::pair<Cost, Key>>& Pool() const { return pool_; }
    const std::pair<Cost, Key>& Closest() const { return closest_; }
    State& GetState() { return state_; }

private:
    // Blocks in random order, the largest first, each into the group with the
    // most room left under its target size.
    std::vector<qint32> Start(Random& random)
    {
        std::vector<qint32> order(blocks_.members.size());
        std::iota(order.begin(), order.end(), 0);
        random.Shuffle(order);
        std::stable_sort(order.begin(), order.end(),
                         [&](qint32 a, qint32 b)
                         { return blocks_.members[std::size_t(a)].size() > blocks_.members[std::size_t(b)].size(); });
        std::vector<qint32> room(std::size_t(p_.groups));
        for (qint32 g = 0; g < p_.groups; ++g)
            room[std::size_t(g)] = g < p_.subjects % p_.groups ? state_.Hi() : state_.Lo();
        std::vector<qint32> groupOf(std::size_t(p_.subjects));
        for (const qint32 block : order)
        {
            const auto most = std::max_element(room.begin(), room.end());
            *most -= qint32(blocks_.members[std::size_t(block)].size());
            for (const qint32 u : blocks_.members[std::size_t(block)])
                groupOf[std::size_t(u)] = qint32(most - room.begin());
        }
        return groupOf;
    }

    // Applies a move unless it is pointless or would break the group sizes
    // once they fit; true when applied, and Undo takes it back.
    bool Apply(const Move& move)
    {
        const qint32 from = state_.GroupOfBlock(move.a);
        const qint32 sizeA = state_.BlockSize(move.a);
        const qint32 to = move.swap ? state_.GroupOfBlock(move.b) : move.b;
        if (from == to)
            return false;
        const qint32 change = move.swap ? state_.BlockSize(move.b) - sizeA : -sizeA;
        const auto fits = [&](qint32 size) { return size >= state_.Lo() && size <= state_.Hi(); };
        if (state_.SizesFit() && change != 0 && (!fits(state_.Size(from) + change) || !fits(state_.Size(to) - change)))
            return false;
        undo_ = {from, to};
        state_.MoveBlock(move.a, to);
        if (move.swap)
            state_.MoveBlock(move.b, from);
        return true;
    }

    void Undo(const Move& move)
    {
        state_.MoveBlock(move.a, undo_.first);
        if (move.swap)
            state_.MoveBlock(move.b, undo_.second);
    }

    // First improvement, going round the neighbours in a random order until
    // a whole round improves nothing.
    void Descend(Random& random)
    {
        random.Shuffle(moves_);
        Cost cost = state_.GetCost();
        std::size_t unchanged = 0;
        for (std::size_t i = 0; unchanged < moves_.size(); i = (i + 1) % moves_.size())
        {
            const Move& move = moves_[i];
            ++unchanged;
            if (!Apply(move))
                continue;
            if (state_.GetCost() < cost)
            {
                cost = state_.GetCost();
                unchanged = 0;
            }
            else
                Undo(move);
        }
        Record();
    }

    // Simulated annealing: a random neighbour is taken when it is better,
    // and when worse with a chance that falls as the walk cools, so that the
    // walk leaves the local optima a descent stops in. Firm weights put each
    // term of the score far above the next, as the score's order does; soft
    // ones let the walk trade a subject's company for acceptances and back,
    // which reaches groupings the firm order walls off. Either way the best
    // grouping it meets by the score itself is kept, descended from and
    // recorded; the rules always weigh more than everything else.
    void Anneal(Random& random, double hot, bool soft, qint64 steps)
    {
        // Per isolated subject alone, subject alone, imbalance (per subject
        // off its share), rejection; an acceptance weighs 1.
        const std::array<double, 4> w =
            soft ? std::array<double, 4>{40, 8, 4, 6} : std::array<double, 4>{1e6, 1e4, 2e3, 100};
        const double n = std::max(1, p_.subjects);
        const auto scalar = [&](const Cost& c)
        {
            return double(c[0]) * 1e9 + double(c[1]) * w[0] + double(c[2]) * w[1] + double(c[3]) * w[2] / n +
                   double(c[4]) * w[3] + double(c[5]);
        };
        constexpr double kCold = 0.02;
        Cost best = state_.GetCost();
        std::vector<qint32> kept = state_.Groups();
        double current = scalar(best);
        for (qint64 step = 0; step < steps; ++step)
        {
            const Move& move = moves_[random.Below(moves_.size())];
            if (!Apply(move))
                continue;
            const Cost cost = state_.GetCost();
            const double delta = scalar(cost) - current;
            const double t = hot * std::pow(kCold / hot, double(step) / double(steps));
            if (delta <= 0 || random.Unit() < std::exp(-delta / t))
            {
                current += delta;
                if (cost < best)
                {
                    best = cost;
                    kept = state_.Groups();
                }
            }
            else
                Undo(move);
        }
        state_.Assign(kept);
        Descend(random);
    }

    // A few random exchanges between groups, enough to leave the local
    // optimum but not to lose what it holds.
    void Shake(Random& random)
    {
        const std::size_t count = blocks_.members.size();
        const qint32 exchanges = 2 + qint32(random.Below(2));
        for (qint32 i = 0; i < exchanges; ++i)
        {
            const qint32 a = qint32(random.Below(count));
            const qint32 b = qint32(random.Below(count));
            if (state_.GroupOfBlock(a) == state_.GroupOfBlock(b))
            {
                state_.MoveBlock(a, qint32(random.Below(std::size_t(p_.groups))));
                continue;
            }
            const qint32 ga = state_.GroupOfBlock(a);
            state_.MoveBlock(a, state_.GroupOfBlock(b));
            state_.MoveBlock(b, ga);
        }
    }

    void Record()
    {
        const Cost cost = state_.GetCost();
        if (!state_.IsFeasible())
        {
            if (closest_.second.empty() || cost < closest_.first)
                closest_ = {cost, state_.Canonical()};
            return;
        }
        std::pair<Cost, Key> entry(cost, state_.Canonical());
        if (pool_.size() >= keep_ && !(entry < *std::prev(pool_.end())))
            return;
        pool_.insert(std::move(entry));
        if (pool_.size() > keep_)
            pool_.erase(std::prev(pool_.end()));
    }

    // Where each run starts, how hot and how weighed: from the best grouping,
    // firm, hot enough to give up a subject's company for a while, then only
    // rejections; and from fresh groupings, soft, so that runs end in other
    // places than the descents. Checked against an annealer of the tests'
    // own on classes of 100, which none of its runs beats.
    struct AnnealRun
    {
        bool fresh;
        double hot;
        bool soft;
    };
    static constexpr std::array<AnnealRun, 5> kAnneal{
        {{false, 3e4, false}, {false, 300, false}, {true, 6, true}, {true, 6, true}, {true, 6, true}}};
    static constexpr qint64 kAnnealSteps = 500000;

    const DGroupProblem& p_;
    const Blocks& blocks_;
    State state_;
    std::size_t keep_;
    std::vector<Move> moves_;
    std::pair<qint32, qint32> undo_;
    std::set<std::pair<Cost, Key>> pool_;
    std::pair<Cost, Key> closest_;
};

// The score terms of one group, in the order of State::GetCost after the
// rules: over the groups they add up to the grouping's.
using Terms = std::array<qint64, 5>;

class GroupTerms
{
public:
    explicit GroupTerms(const DGroupProblem& p) : p_(p), gives_(std::size_t(p.subjects)), chosen_(gives_.size())
    {
        for (qint32 u = 0; u < p.subjects; ++u)
        {
            females_ += p.female[std::size_t(u)];
            for (qint32 v = 0; v < p.subjects; ++v)
                if (u != v && p.Accepts(u, v))
                {
                    gives_[std::size_t(u)] = 1;
                    chosen_[std::size_t(v)] = 1;
                }
        }
    }

    Terms Of(const std::vector<qint32>& members) const
    {
        Terms terms{};
        qint64 femaleIn = 0;
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
                    terms[4] -= p_.Accepts(v, u) ? 2 : 1;
                }
                if (p_.Rejects(u, v))
                    ++terms[3];
            }
            if (gives_[std::size_t(u)] && !partner)
            {
                ++terms[1];
                terms[0] += chosen_[std::size_t(u)] ? 0 : 1;
            }
        }
        if (p_.balanceSexes)
            terms[2] = std::abs(qint64(females_) * qint64(members.size()) - qint64(p_.subjects) * femaleIn);
        return terms;
    }

    // Whether the two may share a group at all.
    bool Apart(qint32 u, qint32 v) const
    {
        if (Mutual(p_, u, v))
            return true;
        for (const auto& [a, b] : p_.apart)
            if ((a == u && b == v) || (a == v && b == u))
                return true;
        return false;
    }

private:
    const DGroupProblem& p_;
    std::vector<quint8> gives_;
    std::vector<quint8> chosen_;
    qint32 females_ = 0;
};

Terms Add(Terms a, const Terms& b)
{
    for (std::size_t k = 0; k < a.size(); ++k)
        a[k] += b[k];
    return a;
}

// The best way to pair the given subjects, `singles` of them alone, by a
// maximum-weight perfect matching: each term of the score weighs more than
// everything the terms after it can add up to, so the matching of the
// largest weight is the best one by the score's order. The pairs (second
// -1 for a subject alone), or nothing when no pairing meets the rules.
std::optional<std::vector<std::pair<qint32, qint32>>> BestPairs(const GroupTerms& terms,
                                                                const std::vector<qint32>& subjects, qint32 singles)
{
    const qint32 m = qint32(subjects.size());
    const qint32 size = m + singles;
    if (singles < 0 || size % 2 != 0)
        return std::nullopt;
    if (size == 0)
        return std::vector<std::pair<qint32, qint32>>();
    // Vertices m.. stand for "alone"; two of them never pair.
    const auto members = [&](qint32 a, qint32 b)
    {
        return b < m ? std::vector<qint32>{subjects[std::size_t(a)], subjects[std::size_t(b)]}
                     : std::vector<qint32>{subjects[std::size_t(a)]};
    };
    std::vector<std::optional<Terms>> edge(std::size_t(size) * std::size_t(size));
    Terms low;
    Terms high;
    low.fill(std::numeric_limits<qint64>::max());
    high.fill(std::numeric_limits<qint64>::min());
    for (qint32 a = 0; a < m; ++a)
        for (qint32 b = a + 1; b < size; ++b)
        {
            if (b < m && terms.Apart(subjects[std::size_t(a)], subjects[std::size_t(b)]))
                continue;
            const Terms t = terms.Of(members(a, b));
            edge[std::size_t(a) * std::size_t(size) + std::size_t(b)] = t;
            for (std::size_t k = 0; k < t.size(); ++k)
            {
                low[k] = std::min(low[k], t[k]);
                high[k] = std::max(high[k], t[k]);
            }
        }
    if (low[0] > high[0])
        return std::nullopt;
    // Every perfect matching has the same number of pairs: a term's total
    // over them stays under its base.
    const qint64 pairs = size / 2;
    std::array<qint64, 5> base{};
    long double largest = 1;
    for (std::size_t k = 0; k < base.size(); ++k)
    {
        base[k] = pairs * (high[k] - low[k]) + 1;
        largest *= base[k];
    }
    // Far below what the matching's own arithmetic can take.
    if (largest > 1e15L)
        return std::nullopt;
    const auto composite = [&](const Terms& t)
    {
        qint64 value = 0;
        for (std::size_t k = 0; k < t.size(); ++k)
            value = value * base[k] + (t[k] - low[k]);
        return value;
    };
    const qint64 top = composite(high) + 1;
    std::vector<qint64> weights(edge.size());
    for (qint32 a = 0; a < m; ++a)
        for (qint32 b = a + 1; b < size; ++b)
            if (const auto& t = edge[std::size_t(a) * std::size_t(size) + std::size_t(b)])
            {
                const qint64 w = top - composite(*t);
                weights[std::size_t(a) * std::size_t(size) + std::size_t(b)] = w;
                weights[std::size_t(b) * std::size_t(size) + std::size_t(a)] = w;
            }
    const std::vector<qint32> mate = DGroupMatching::Perfect(size, weights);
    if (mate.empty())
        return std::nullopt;
    std::vector<std::pair<qint32, qint32>> result;
    for (qint32 a = 0; a < m; ++a)
        if (mate[std::size_t(a)] > a || mate[std::size_t(a)] >= m)
            result.emplace_back(subjects[std::size_t(a)],
                                mate[std::size_t(a)] < m ? subjects[std::size_t(mate[std::size_t(a)])] : -1);
    return result;
}

// The exact optimum when the groups are pairs, some subjects alone among
// them or one group of three (an odd class): subjects kept together are a
// group already, and the rest are paired by BestPairs. A group of three is
// the best of every subject added to the best pairing of the others. The
// group of each subject, or nothing when the groups are larger or no pairing
// meets the rules; `exact` tells whether it is the optimum for certain (all
// but a group of three made by adding a subject).
std::optional<std::vector<qint32>> PairsOptimum(const DGroupProblem& p, const Blocks& blocks, bool& exact)
{
    const qint32 lo = p.SmallestGroup();
    const qint32 hi = p.LargestGroup();
    const bool triple = lo == 2 && hi == 3 && p.subjects == 2 * p.groups + 1;
    if (hi != 2 && !triple)
        return std::nullopt;
    const GroupTerms terms(p);
    std::vector<std::vector<qint32>> fixed;
    std::vector<qint32> free;
    for (const std::vector<qint32>& members : blocks.members)
        if (members.size() == 1)
            free.push_back(members[0]);
        else
            fixed.push_back(members);
    const qint32 left = p.groups - qint32(fixed.size());
    const bool tripleFixed = std::any_of(fixed.begin(), fixed.end(), [](const auto& g) { return g.size() == 3; });

    const auto grouping = [&](const std::vector<std::pair<qint32, qint32>>& pairs)
    {
        std::vector<std::vector<qint32>> groups = fixed;
        for (const auto& [a, b] : pairs)
            groups.push_back(b < 0 ? std::vector<qint32>{a} : std::vector<qint32>{a, b});
        return groups;
    };
    std::optional<std::vector<std::vector<qint32>>> best;
    if (!triple || tripleFixed)
    {
        if (const auto pairs = BestPairs(terms, free, 2 * left - qint32(free.size())))
        {
            best = grouping(*pairs);
            exact = true;
        }
    }
    else
    {
        std::optional<Terms> bestTotal;
        for (std::size_t i = 0; i < free.size(); ++i)
        {
            std::vector<qint32> others = free;
            others.erase(others.begin() + std::ptrdiff_t(i));
            const auto pairs = BestPairs(terms, others, 2 * left - qint32(others.size()));
            if (!pairs)
                continue;
            std::vector<std::vector<qint32>> groups = grouping(*pairs);
            Terms total{};
            std::vector<Terms> each;
            for (const std::vector<qint32>& group : groups)
            {
                each.push_back(terms.Of(group));
                total = Add(total, each.back());
            }
            const qint32 x = free[i];
            for (std::size_t g = 0; g < groups.size(); ++g)
            {
                std::vector<qint32> joined = groups[g];
                if (std::any_of(joined.begin(), joined.end(), [&](qint32 u) { return terms.Apart(u, x); }))
                    continue;
                joined.push_back(x);
                Terms with = total;
                const Terms after = terms.Of(joined);
                for (std::size_t k = 0; k < with.size(); ++k)
                    with[k] += after[k] - each[g][k];
                if (!bestTotal || with < *bestTotal)
                {
                    bestTotal = with;
                    best = groups;
                    (*best)[g] = joined;
                }
            }
        }
    }
    if (!best || qint32(best->size()) != p.groups)
        return std::nullopt;
    std::vector<qint32> groupOf(std::size_t(p.subjects), -1);
    for (std::size_t g = 0; g < best->size(); ++g)
        for (const qint32 u : (*best)[g])
            groupOf[std::size_t(u)] = qint32(g);
    return groupOf;
}

DGroupProposal MakeProposal(const DGroupProblem& p, const Key& key)
{
    DGroupProposal proposal;
    std::vector<qint32> groupOf(key.begin(), key.end());
    proposal.groups.resize(std::size_t(p.groups));
    for (qint32 u = 0; u < p.subjects; ++u)
        proposal.groups[std::size_t(key[std::size_t(u)])].push_back(u);
    proposal.score = DGroupSolver::Score(p, groupOf);
    return proposal;
}
} // namespace

DGroupProposal DGroupSolver::Solve(const DGroupProblem& problem, qint32 index)
{
    if (problem.subjects < 1 || problem.subjects > qint32(kMaxSubjects) || problem.groups < 1 ||
        problem.groups > problem.subjects)
        throw EError(34560, {1, std::max(1, problem.subjects)});
    const Blocks blocks(problem);
    CheckRules(problem, blocks);
    Searcher searcher(problem, blocks, std::size_t(std::max(0, index)) + 1);
    bool exact = false;
    const std::optional<std::vector<qint32>> pairs = PairsOptimum(problem, blocks, exact);
    searcher.Run(pairs, exact);
    const auto& pool = searcher.Pool();
    if (pool.empty())
    {
        // Name what still breaks the rules in the closest grouping found.
        State& state = searcher.GetState();
        state.Assign(searcher.Closest().second);
        if (const auto pair = state.Conflict())
            throw EError(34540, {problem.groups, problem.SmallestGroup(), problem.LargestGroup(),
                                 problem.Name(pair->first), problem.Name(pair->second)});
        throw EError(34550, {problem.groups, problem.SmallestGroup(), problem.LargestGroup()});
    }
    auto chosen = pool.begin();
    std::advance(chosen, std::ptrdiff_t(std::size_t(std::max(0, index)) % pool.size()));
    return MakeProposal(problem, chosen->second);
}

DGroupScore DGroupSolver::Score(const DGroupProblem& p, const std::vector<qint32>& groupOf)
{
    DGroupScore score;
    const auto same = [&](qint32 u, qint32 v) { return u != v && groupOf[std::size_t(u)] == groupOf[std::size_t(v)]; };
    qint32 females = 0;
    for (qint32 u = 0; u < p.subjects; ++u)
    {
        females += p.female[std::size_t(u)];
        bool gives = false;
        bool chosen = false;
        bool partner = false;
        for (qint32 v = 0; v < p.subjects; ++v)
        {
            gives = gives || p.Accepts(u, v);
            chosen = chosen || p.Accepts(v, u);
            partner = partner || (same(u, v) && p.Accepts(u, v));
            if (same(u, v) && p.Rejects(u, v))
                ++score.rejections;
            if (same(u, v) && p.Accepts(u, v))
                score.acceptances += p.Accepts(v, u) ? 2 : 1;
        }
        if (gives && !partner)
        {
            ++score.alone;
            if (!chosen)
                ++score.isolatedAlone;
        }
    }
    if (p.balanceSexes)
        for (qint32 g = 0; g < p.groups; ++g)
        {
            qint64 size = 0;
            qint64 femaleIn = 0;
            for (qint32 u = 0; u < p.subjects; ++u)
                if (groupOf[std::size_t(u)] == g)
                {
                    ++size;
                    femaleIn += p.female[std::size_t(u)];
                }
            score.imbalance += std::abs(qint64(females) * size - qint64(p.subjects) * femaleIn);
        }
    return score;
}

bool DGroupSolver::MeetsRules(const DGroupProblem& p, const std::vector<qint32>& groupOf)
{
    std::vector<qint32> sizes(std::size_t(p.groups));
    for (const qint32 g : groupOf)
    {
        if (g < 0 || g >= p.groups)
            return false;
        ++sizes[std::size_t(g)];
    }
    for (const qint32 size : sizes)
        if (size < p.SmallestGroup() || size > p.LargestGroup())
            return false;
    const auto group = [&](qint32 u) { return groupOf[std::size_t(u)]; };
    for (const auto& [a, b] : p.together)
        if (group(a) != group(b))
            return false;
    for (const auto& [a, b] : p.apart)
        if (group(a) == group(b))
            return false;
    for (qint32 u = 0; u < p.subjects; ++u)
        for (qint32 v = u + 1; v < p.subjects; ++v)
            if (group(u) == group(v) && Mutual(p, u, v))
                return false;
    return true;
}
