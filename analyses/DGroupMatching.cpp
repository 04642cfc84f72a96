#include "analyses/DGroupMatching.h"

#include "model/EError.h"

#include <algorithm>
#include <deque>
#include <limits>

namespace
{
// The primal-dual blossom algorithm on a dense graph. Vertices are 1..n,
// blossoms n+1..2n; 0 stands for none. Every dual value is kept doubled
// against the weights, so that with integer weights every step stays an
// integer.
class Blossom
{
public:
    Blossom(qint32 n, const std::vector<qint64>& weights)
        : n_(n), size_(std::size_t(2 * n + 1)), edges_(size_ * size_), lab_(size_), match_(size_), slack_(size_),
          st_(size_), pa_(size_), flowerFrom_(size_ * std::size_t(n + 1)), label_(size_), vis_(size_), flower_(size_)
    {
        for (qint32 u = 1; u <= n_; ++u)
            for (qint32 v = 1; v <= n_; ++v)
            {
                const qint64 w =
                    u == v ? 0 : std::max<qint64>(0, weights[std::size_t(u - 1) * std::size_t(n) + std::size_t(v - 1)]);
                E(u, v) = {u, v, w};
            }
    }

    std::vector<qint32> Run()
    {
        nx_ = n_;
        for (qint32 u = 0; u <= n_; ++u)
        {
            st_[std::size_t(u)] = u;
            flower_[std::size_t(u)].clear();
        }
        qint64 most = 0;
        for (qint32 u = 1; u <= n_; ++u)
            for (qint32 v = 1; v <= n_; ++v)
            {
                FlowerFrom(u, v) = u == v ? u : 0;
                most = std::max(most, E(u, v).w);
            }
        for (qint32 u = 1; u <= n_; ++u)
            lab_[std::size_t(u)] = most;
        // Each augmentation matches two more vertices.
        for (qint32 round = 0; round <= n_ && Augmented(); ++round)
        {
        }
        std::vector<qint32> mate(std::size_t(n_), -1);
        for (qint32 u = 1; u <= n_; ++u)
            if (match_[std::size_t(u)] != 0)
                mate[std::size_t(u - 1)] = match_[std::size_t(u)] - 1;
        return mate;
    }

private:
    struct Edge
    {
        qint32 u = 0;
        qint32 v = 0;
        qint64 w = 0;
    };

    Edge& E(qint32 u, qint32 v) { return edges_[std::size_t(u) * size_ + std::size_t(v)]; }
    qint32& FlowerFrom(qint32 b, qint32 x)
    {
        return flowerFrom_[std::size_t(b) * std::size_t(n_ + 1) + std::size_t(x)];
    }
    qint32& St(qint32 x) { return st_[std::size_t(x)]; }
    qint32& Match(qint32 x) { return match_[std::size_t(x)]; }
    qint32& Pa(qint32 x) { return pa_[std::size_t(x)]; }
    qint32& Slack(qint32 x) { return slack_[std::size_t(x)]; }
    qint32& Label(qint32 x) { return label_[std::size_t(x)]; }
    qint64& Lab(qint32 x) { return lab_[std::size_t(x)]; }
    std::vector<qint32>& Flower(qint32 b) { return flower_[std::size_t(b)]; }

    // The reduced cost of an edge: 0 when it is tight.
    qint64 Dist(const Edge& e) { return Lab(e.u) + Lab(e.v) - e.w * 2; }

    void UpdateSlack(qint32 u, qint32 x)
    {
        if (Slack(x) == 0 || Dist(E(u, x)) < Dist(E(Slack(x), x)))
            Slack(x) = u;
    }

    void SetSlack(qint32 x)
    {
        Slack(x) = 0;
        for (qint32 u = 1; u <= n_; ++u)
            if (E(u, x).w > 0 && St(u) != x && Label(St(u)) == kEven)
                UpdateSlack(u, x);
    }

    void Push(qint32 x)
    {
        if (x <= n_)
            queue_.push_back(x);
        else
            for (const qint32 y : Flower(x))
                Push(y);
    }

    void SetSt(qint32 x, qint32 b)
    {
        St(x) = b;
        if (x > n_)
            for (const qint32 y : Flower(x))
                SetSt(y, b);
    }

    // Where xr stands in blossom b, after turning the blossom so that the
    // way from its base to xr is even.
    qint32 EvenPosition(qint32 b, qint32 xr)
    {
        std::vector<qint32>& flower = Flower(b);
        const qint32 pr = qint32(std::find(flower.begin(), flower.end(), xr) - flower.begin());
        if (pr % 2 == 1)
        {
            std::reverse(flower.begin() + 1, flower.end());
            return qint32(flower.size()) - pr;
        }
        return pr;
    }

    void SetMatch(qint32 u, qint32 v)
    {
        Match(u) = E(u, v).v;
        if (u <= n_)
            return;
        const Edge e = E(u, v);
        const qint32 xr = FlowerFrom(u, e.u);
        const qint32 pr = EvenPosition(u, xr);
        std::vector<qint32>& flower = Flower(u);
        for (qint32 i = 0; i < pr; ++i)
            SetMatch(flower[std::size_t(i)], flower[std::size_t(i ^ 1)]);
        SetMatch(xr, v);
        std::rotate(flower.begin(), flower.begin() + pr, flower.end());
    }

    void Augment(qint32 u, qint32 v)
    {
        for (;;)
        {
            const qint32 xnv = St(Match(u));
            SetMatch(u, v);
            if (xnv == 0)
                return;
            SetMatch(xnv, St(Pa(xnv)));
            u = St(Pa(xnv));
            v = xnv;
        }
    }

    qint32 CommonAncestor(qint32 u, qint32 v)
    {
        for (++stamp_; u != 0 || v != 0; std::swap(u, v))
        {
            if (u == 0)
                continue;
            if (vis_[std::size_t(u)] == stamp_)
                return u;
            vis_[std::size_t(u)] = stamp_;
            u = St(Match(u));
            if (u != 0)
                u = St(Pa(u));
        }
        return 0;
    }

    void AddBlossom(qint32 u, qint32 ancestor, qint32 v)
    {
        qint32 b = n_ + 1;
        while (b <= nx_ && St(b) != 0)
            ++b;
        if (b > nx_)
            ++nx_;
        Lab(b) = 0;
        Label(b) = kEven;
        Match(b) = Match(ancestor);
        std::vector<qint32>& flower = Flower(b);
        flower.clear();
        flower.push_back(ancestor);
        for (qint32 x = u, y = 0; x != ancestor; x = St(Pa(y)))
        {
            flower.push_back(x);
            flower.push_back(y = St(Match(x)));
            Push(y);
        }
        std::reverse(flower.begin() + 1, flower.end());
        for (qint32 x = v, y = 0; x != ancestor; x = St(Pa(y)))
        {
            flower.push_back(x);
            flower.push_back(y = St(Match(x)));
            Push(y);
        }
        SetSt(b, b);
        for (qint32 x = 1; x <= nx_; ++x)
        {
            E(b, x).w = 0;
            E(x, b).w = 0;
        }
        for (qint32 x = 1; x <= n_; ++x)
            FlowerFrom(b, x) = 0;
        for (const qint32 xs : flower)
        {
            for (qint32 x = 1; x <= nx_; ++x)
                if (E(b, x).w == 0 || Dist(E(xs, x)) < Dist(E(b, x)))
                {
                    E(b, x) = E(xs, x);
                    E(x, b) = E(x, xs);
                }
            for (qint32 x = 1; x <= n_; ++x)
                if (FlowerFrom(xs, x) != 0)
                    FlowerFrom(b, x) = xs;
        }
        SetSlack(b);
    }

    // An odd blossom whose dual reached zero falls apart into its members.
    void ExpandBlossom(qint32 b)
    {
        for (const qint32 x : Flower(b))
            SetSt(x, x);
        const qint32 xr = FlowerFrom(b, E(b, Pa(b)).u);
        const qint32 pr = EvenPosition(b, xr);
        const std::vector<qint32> flower = Flower(b);
        for (qint32 i = 0; i < pr; i += 2)
        {
            const qint32 xs = flower[std::size_t(i)];
            const qint32 xns = flower[std::size_t(i + 1)];
            Pa(xs) = E(xns, xs).u;
            Label(xs) = kOdd;
            Label(xns) = kEven;
            Slack(xs) = 0;
            SetSlack(xns);
            Push(xns);
        }
        Label(xr) = kOdd;
        Pa(xr) = Pa(b);
        for (std::size_t i = std::size_t(pr) + 1; i < flower.size(); ++i)
        {
            const qint32 xs = flower[i];
            Label(xs) = kFree;
            SetSlack(xs);
        }
        St(b) = 0;
    }

    // True when the edge completed an augmenting path.
    bool FoundEdge(const Edge& e)
    {
        const qint32 u = St(e.u);
        const qint32 v = St(e.v);
        if (Label(v) == kFree)
        {
            Pa(v) = e.u;
            Label(v) = kOdd;
            const qint32 nu = St(Match(v));
            Slack(v) = 0;
            Slack(nu) = 0;
            Label(nu) = kEven;
            Push(nu);
        }
        else if (Label(v) == kEven)
        {
            const qint32 ancestor = CommonAncestor(u, v);
            if (ancestor == 0)
            {
                Augment(u, v);
                Augment(v, u);
                return true;
            }
            AddBlossom(u, ancestor, v);
        }
        return false;
    }

    // One augmentation, or false when none can raise the weight.
    bool Augmented()
    {
        std::fill(label_.begin() + 1, label_.begin() + nx_ + 1, kFree);
        std::fill(slack_.begin() + 1, slack_.begin() + nx_ + 1, 0);
        queue_.clear();
        for (qint32 x = 1; x <= nx_; ++x)
            if (St(x) == x && Match(x) == 0)
            {
                Pa(x) = 0;
                Label(x) = kEven;
                Push(x);
            }
        if (queue_.empty())
            return false;
        for (;;)
        {
            while (!queue_.empty())
            {
                const qint32 u = queue_.front();
                queue_.pop_front();
                if (Label(St(u)) == kOdd)
                    continue;
                for (qint32 v = 1; v <= n_; ++v)
                    if (E(u, v).w > 0 && St(u) != St(v))
                    {
                        if (Dist(E(u, v)) == 0)
                        {
                            if (FoundEdge(E(u, v)))
                                return true;
                        }
                        else
                            UpdateSlack(u, St(v));
                    }
            }
            qint64 d = std::numeric_limits<qint64>::max();
            for (qint32 b = n_ + 1; b <= nx_; ++b)
                if (St(b) == b && Label(b) == kOdd)
                    d = std::min(d, Lab(b) / 2);
            for (qint32 x = 1; x <= nx_; ++x)
                if (St(x) == x && Slack(x) != 0)
                {
                    if (Label(x) == kFree)
                        d = std::min(d, Dist(E(Slack(x), x)));
                    else if (Label(x) == kEven)
                        d = std::min(d, Dist(E(Slack(x), x)) / 2);
                }
            // An even vertex's dual reaching zero: no augmentation would add
            // weight. Asked before any dual moves, so that a step that is not
            // taken (d may still be unbounded) changes nothing.
            for (qint32 u = 1; u <= n_; ++u)
                if (Label(St(u)) == kEven && Lab(u) <= d)
                    return false;
            for (qint32 u = 1; u <= n_; ++u)
            {
                if (Label(St(u)) == kEven)
                    Lab(u) -= d;
                else if (Label(St(u)) == kOdd)
                    Lab(u) += d;
            }
            for (qint32 b = n_ + 1; b <= nx_; ++b)
                if (St(b) == b)
                {
                    if (Label(b) == kEven)
                        Lab(b) += d * 2;
                    else if (Label(b) == kOdd)
                        Lab(b) -= d * 2;
                }
            queue_.clear();
            for (qint32 x = 1; x <= nx_; ++x)
                if (St(x) == x && Slack(x) != 0 && St(Slack(x)) != x && Dist(E(Slack(x), x)) == 0)
                    if (FoundEdge(E(Slack(x), x)))
                        return true;
            for (qint32 b = n_ + 1; b <= nx_; ++b)
                if (St(b) == b && Label(b) == kOdd && Lab(b) == 0)
                    ExpandBlossom(b);
        }
    }

    static constexpr qint32 kFree = -1;
    static constexpr qint32 kEven = 0;
    static constexpr qint32 kOdd = 1;

    qint32 n_;
    qint32 nx_ = 0;
    std::size_t size_;
    std::vector<Edge> edges_;
    std::vector<qint64> lab_;
    std::vector<qint32> match_;
    std::vector<qint32> slack_;
    std::vector<qint32> st_;
    std::vector<qint32> pa_;
    std::vector<qint32> flowerFrom_;
    std::vector<qint32> label_;
    std::vector<qint32> vis_;
    qint32 stamp_ = 0;
    std::vector<std::vector<qint32>> flower_;
    std::deque<qint32> queue_;
};
} // namespace

std::vector<qint32> DGroupMatching::Maximum(qint32 n, const std::vector<qint64>& weights)
{
    if (n < 0 || weights.size() != std::size_t(n) * std::size_t(n))
        throw EError(50020, {"DGroupMatching::Maximum()"});
    if (n == 0)
        return {};
    return Blossom(n, weights).Run();
}

std::vector<qint32> DGroupMatching::Perfect(qint32 n, const std::vector<qint64>& weights)
{
    if (n % 2 != 0)
        return {};
    // Any matching's weight differs from another's by less than this per
    // pair, so one more pair always outweighs every other difference.
    qint64 low = 0;
    qint64 high = 0;
    for (const qint64 w : weights)
        if (w > 0)
        {
            low = low == 0 ? w : std::min(low, w);
            high = std::max(high, w);
        }
    const qint64 lift = (high - low + 1) * (n / 2 + 1);
    if (high > std::numeric_limits<qint64>::max() / 8 - lift)
        throw EError(50020, {"DGroupMatching::Perfect()"});
    std::vector<qint64> lifted(weights);
    for (qint64& w : lifted)
        if (w > 0)
            w += lift;
    std::vector<qint32> mate = Maximum(n, lifted);
    if (std::find(mate.begin(), mate.end(), -1) != mate.end())
        return {};
    return mate;
}
