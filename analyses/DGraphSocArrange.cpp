#include "analyses/DGraphSocArrange.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSoc.h"
#include "analyses/DGraphSocPins.h"
#include "answers/DDesi.h"
#include "model/EError.h"
#include "subjects/DSubjElem.h"
#include "subjects/DSubjList.h"

#include <QPointF>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <random>

namespace
{
using Tie = DGraphSocArrange::Tie;
using Box = DGraphSocArrange::Box;

constexpr double kPi = 3.14159265358979323846;
// Free pixels kept between a placed box and a pinned one.
constexpr int kPinGap = 2;
// The smallest gap between placed boxes: enough for a line between them.
constexpr int kMinGap = 4;
// Segment tests the search may spend. It bounds the time on the largest
// tests, where every box has a line to every other and nothing is gained,
// and keeps the result independent of the machine's speed.
constexpr qint64 kWorkBudget = 3'000'000;
// The annealing's budget, spent only when it leaves this many tries for
// every box.
constexpr qint64 kAnnealBudget = 10'000'000;
constexpr double kAnnealTries = 50;

// Weights of the search's cost: a crossing or a line across a box counts 1.
constexpr double kLengthWeight = 0.04; // per box step of a line, doubled for mutual pairs
constexpr double kCentreWeight = 0.03; // per box step from the centre, times the share of choices received
constexpr double kAcrossWeight = 2.0;  // a line across a box: it seems to end there, worse than a crossing
constexpr double kCrowdWeight = 0.5;   // a box a whole step nearer another than the places are apart
// Pixels around a box that a line should keep clear of, so that it does
// not seem to touch the box.
constexpr double kHitMargin = 2.0;

int Sign(qint64 v)
{
    return (v > 0) - (v < 0);
}

qint64 Orient(QPoint a, QPoint b, QPoint c)
{
    return qint64(b.x() - a.x()) * (c.y() - a.y()) - qint64(b.y() - a.y()) * (c.x() - a.x());
}

bool Cross(QPoint a, QPoint b, QPoint c, QPoint d)
{
    if (std::max(a.x(), b.x()) < std::min(c.x(), d.x()) || std::max(c.x(), d.x()) < std::min(a.x(), b.x()) ||
        std::max(a.y(), b.y()) < std::min(c.y(), d.y()) || std::max(c.y(), d.y()) < std::min(a.y(), b.y()))
        return false;
    const int abc = Sign(Orient(a, b, c));
    const int abd = Sign(Orient(a, b, d));
    if (abc == 0 && abd == 0 && Sign(Orient(c, d, a)) == 0)
    {
        // On one straight line the two run along each other, which hides
        // more than a crossing: they count as one where they share a stretch.
        const bool alongX = a.x() != b.x();
        auto at = [alongX](QPoint p) { return alongX ? p.x() : p.y(); };
        return std::max(std::min(at(a), at(b)), std::min(at(c), at(d))) <
               std::min(std::max(at(a), at(b)), std::max(at(c), at(d)));
    }
    return abc * abd < 0 && Sign(Orient(c, d, a)) * Sign(Orient(c, d, b)) < 0;
}

// Whether the line from a to b enters the open square of half side h
// around c (a clip of the line to the square).
bool Across(QPointF a, QPointF b, QPointF c, double h)
{
    double t0 = 0.0;
    double t1 = 1.0;
    const double d[2] = {b.x() - a.x(), b.y() - a.y()};
    const double lo[2] = {c.x() - h - a.x(), c.y() - h - a.y()};
    const double hi[2] = {c.x() + h - a.x(), c.y() + h - a.y()};
    for (int k = 0; k < 2; ++k)
    {
        if (d[k] == 0.0)
        {
            if (lo[k] >= 0.0 || hi[k] <= 0.0)
                return false;
            continue;
        }
        double ta = lo[k] / d[k];
        double tb = hi[k] / d[k];
        if (ta > tb)
            std::swap(ta, tb);
        t0 = std::max(t0, ta);
        t1 = std::min(t1, tb);
        if (t0 >= t1)
            return false;
    }
    return true;
}

double Distance(QPointF a, QPointF b)
{
    return std::hypot(a.x() - b.x(), a.y() - b.y());
}

bool Overlaps(QPoint p, QPoint q, int extent)
{
    return std::abs(p.x() - q.x()) < extent && std::abs(p.y() - q.y()) < extent;
}

// Where box centres may lie: the box and a 3-pixel gap inside the area, as
// a dragged box is kept, which is also inside the margin a stored position
// must keep.
struct Frame
{
    int loX, hiX, loY, hiY, size;

    explicit Frame(const DGraphSocArrange::Area& area)
        : loX(area.boxSize / 2 + 3), hiX(area.right - area.boxSize / 2 - 3), loY(area.boxSize / 2 + 3),
          hiY(area.bottom - area.boxSize / 2 - 3), size(area.boxSize)
    {
    }
    QPointF Centre() const { return QPointF((loX + hiX) / 2.0, (loY + hiY) / 2.0); }
    double Rx() const { return (hiX - loX) / 2.0; }
    double Ry() const { return (hiY - loY) / 2.0; }
    QPointF Clamp(QPointF p) const
    {
        return QPointF(std::clamp(p.x(), double(loX), double(hiX)), std::clamp(p.y(), double(loY), double(hiY)));
    }
};

struct Graph
{
    int n = 0;
    std::vector<Tie> ties;
    std::vector<std::vector<int>> tiesOf;
    std::vector<double> received; // 0..1, share of the most received
    std::vector<bool> isolated;

    Graph(int count, const std::vector<Tie>& all) : n(count), tiesOf(std::size_t(count)), received(std::size_t(count))
    {
        std::vector<int> got(static_cast<std::size_t>(count), 0);
        for (const Tie& tie : all)
        {
            if (tie.a < 0 || tie.b < 0 || tie.a >= n || tie.b >= n || tie.a == tie.b)
                continue;
            tiesOf[std::size_t(tie.a)].push_back(int(ties.size()));
            tiesOf[std::size_t(tie.b)].push_back(int(ties.size()));
            ties.push_back(tie);
            if (tie.toB || tie.mutual)
                ++got[std::size_t(tie.b)];
            if (!tie.toB || tie.mutual)
                ++got[std::size_t(tie.a)];
        }
        const int most = std::max(1, *std::max_element(got.begin(), got.end()));
        for (int i = 0; i < n; ++i)
        {
            received[std::size_t(i)] = double(got[std::size_t(i)]) / most;
            isolated.push_back(tiesOf[std::size_t(i)].empty());
        }
    }
};

// A force layout: lines pull their boxes together (mutual pairs twice as
// hard), all boxes push each other apart, and a pull toward the centre grows
// with the choices received. Pinned boxes pull and push but stay.
std::vector<QPointF> ForceLayout(const Frame& frame, const std::vector<Box>& boxes, const Graph& graph)
{
    const int n = graph.n;
    const QPointF c = frame.Centre();
    const double rx = std::max(frame.Rx(), 1.0);
    const double ry = std::max(frame.Ry(), 1.0);
    std::vector<QPointF> f(static_cast<std::size_t>(n));
    std::vector<int> moving;
    for (int i = 0; i < n; ++i)
        if (boxes[std::size_t(i)].pinned)
            f[std::size_t(i)] = boxes[std::size_t(i)].position;
        else if (!graph.isolated[std::size_t(i)])
            moving.push_back(i);
    // A sunflower spiral in list order: spread evenly, the same every time.
    const double golden = kPi * (3.0 - std::sqrt(5.0));
    for (std::size_t k = 0; k < moving.size(); ++k)
    {
        const double r = 0.8 * std::sqrt((k + 0.5) / moving.size());
        f[std::size_t(moving[k])] = c + QPointF(rx * r * std::cos(k * golden), ry * r * std::sin(k * golden));
    }

    std::vector<int> active;
    for (int i = 0; i < n; ++i)
        if (!graph.isolated[std::size_t(i)])
            active.push_back(i);
    if (moving.empty())
        return f;
    const double k = 0.9 * std::sqrt(4.0 * rx * ry / double(active.size()));
    const double gravity = 0.5 * k / std::min(rx, ry);
    constexpr int kIterations = 200;
    std::vector<QPointF> disp(static_cast<std::size_t>(n));
    for (int it = 0; it < kIterations; ++it)
    {
        const double temperature = 0.1 * std::min(rx, ry) * (1.0 - double(it) / kIterations) + 0.5;
        std::fill(disp.begin(), disp.end(), QPointF());
        for (std::size_t x = 0; x < active.size(); ++x)
            for (std::size_t y = x + 1; y < active.size(); ++y)
            {
                const std::size_t i = std::size_t(active[x]);
                const std::size_t j = std::size_t(active[y]);
                QPointF d = f[i] - f[j];
                double dist = std::hypot(d.x(), d.y());
                if (dist < 0.01)
                {
                    d = QPointF(0.01 * (1 + int(x % 3)), 0.01 * (1 + int(y % 3)));
                    dist = std::hypot(d.x(), d.y());
                }
                const QPointF push = d / dist * (k * k / dist);
                disp[i] += push;
                disp[j] -= push;
            }
        for (const Tie& tie : graph.ties)
        {
            const std::size_t a = std::size_t(tie.a);
            const std::size_t b = std::size_t(tie.b);
            const QPointF d = f[a] - f[b];
            const double dist = std::max(std::hypot(d.x(), d.y()), 0.01);
            const QPointF pull = d / dist * (dist * dist / k * (tie.mutual ? 2.0 : 1.0));
            disp[a] -= pull;
            disp[b] += pull;
        }
        for (int i : moving)
        {
            const std::size_t u = std::size_t(i);
            disp[u] += (c - f[u]) * gravity * (0.3 + 2.0 * graph.received[u]);
            const double len = std::hypot(disp[u].x(), disp[u].y());
            if (len > 0)
                f[u] = frame.Clamp(f[u] + disp[u] / len * std::min(len, temperature));
        }
    }
    return f;
}

// The places the search may put the free boxes on, each of a class: a box
// moves only to places of its own class (the rings keep their boxes).
struct Places
{
    std::vector<QPoint> at;
    std::vector<int> cls;
};

// A local search: moves of a box and swaps of two boxes, each taken only
// when it lowers the cost, until none does or the work budget is spent.
// Over places, a box moves only to a free place of its own class (the
// rings keep their boxes); without places it may go anywhere in the frame
// clear of the other boxes, a short step out of a line that runs across it.
class Search
{
public:
    Search(const Graph& graph, const std::vector<Box>& boxes, std::vector<QPoint>& pos, const Places* places,
           std::vector<int> boxPlace, const Frame& frame, double step, double centreWeight)
        : graph_(graph), boxes_(boxes), pos_(pos), places_(places), boxPlace_(std::move(boxPlace)),
          owner_(places ? places->at.size() : 0, -1), inSet_(std::size_t(graph.n), false), frame_(frame), step_(step),
          centreWeight_(centreWeight), centre_(frame.Centre()), half_(frame.size / 2.0 + kHitMargin)
    {
        for (int i = 0; i < graph_.n; ++i)
            if (places_ && boxPlace_[std::size_t(i)] >= 0)
                owner_[std::size_t(boxPlace_[std::size_t(i)])] = i;
    }

    // The descent: the best move or swap of each box in turn, until none
    // lowers the cost or the budget is spent.
    void Run(qint64 budget = kWorkBudget)
    {
        budget_ = budget;
        work_ = 0;
        const std::vector<int> movers = Movers();
        constexpr int kMaxPasses = 30;
        for (int pass = 0; pass < kMaxPasses && work_ < budget_; ++pass)
        {
            bool improved = false;
            for (int v : movers)
            {
                if (work_ >= budget_)
                    break;
                improved |= Improve(v, movers);
            }
            if (!improved)
                break;
        }
    }

    // Annealing over the places: random moves and swaps, a worse one taken
    // with a chance that falls as the budget is spent, so that the search
    // leaves the local minima the descent stops in, the tangles of lines
    // most of all. The sequence of chances is fixed, so the result is the
    // same every time. Ends on the best arrangement met.
    void Anneal(qint64 budget)
    {
        const std::vector<int> movers = Movers();
        if (!places_ || movers.size() < 2)
            return;
        budget_ = budget;
        work_ = 0;
        std::mt19937 sequence(20240611u);
        auto uniform = [&] { return double(sequence() >> 8) / double(1u << 24); };
        auto pick = [&](std::size_t count) { return std::size_t(sequence() % std::uint32_t(count)); };
        double current = 0;
        double best = 0;
        std::vector<QPoint> bestPos = pos_;
        std::vector<int> bestPlace = boxPlace_;
        // At the start a worse step of one crossing is taken about half the
        // time; at the end hardly ever.
        constexpr double kHot = 1.5;
        constexpr double kCold = 0.03;
        for (int idle = 0; idle < 1000;)
        {
            const int v = movers[pick(movers.size())];
            const std::size_t uv = std::size_t(v);
            ++idle;
            const double heat = kHot * std::pow(kCold / kHot, double(work_) / double(budget_));
            auto accept = [&](double delta) { return delta <= 0 || uniform() < std::exp(-delta / heat); };
            if (uniform() < 0.6)
            {
                if (!Affordable({v}))
                    break;
                const std::vector<Candidate> near = PlaceCandidates(v);
                if (near.empty())
                    continue;
                const Candidate to = near[pick(near.size())];
                const QPoint from = pos_[uv];
                idle = 0;
                const double before = Cost({v});
                pos_[uv] = to.at;
                const double delta = Cost({v}) - before;
                if (!accept(delta))
                {
                    pos_[uv] = from;
                    continue;
                }
                owner_[std::size_t(boxPlace_[uv])] = -1;
                owner_[std::size_t(to.place)] = v;
                boxPlace_[uv] = to.place;
                current += delta;
            }
            else
            {
                const std::vector<int> partners = SwapPartners(v, movers);
                if (partners.empty())
                    continue;
                const int u = partners[pick(partners.size())];
                const std::size_t uu = std::size_t(u);
                if (!Affordable({v, u}))
                    break;
                idle = 0;
                const double before = Cost({v, u});
                std::swap(pos_[uv], pos_[uu]);
                const double delta = Cost({v, u}) - before;
                if (!accept(delta))
                {
                    std::swap(pos_[uv], pos_[uu]);
                    continue;
                }
                std::swap(boxPlace_[uv], boxPlace_[uu]);
                owner_[std::size_t(boxPlace_[uv])] = v;
                owner_[std::size_t(boxPlace_[uu])] = u;
                current += delta;
            }
            if (current < best - 1e-9)
            {
                best = current;
                bestPos = pos_;
                bestPlace = boxPlace_;
            }
        }
        pos_ = bestPos;
        boxPlace_ = bestPlace;
        std::fill(owner_.begin(), owner_.end(), -1);
        for (int i = 0; i < graph_.n; ++i)
            if (boxPlace_[std::size_t(i)] >= 0)
                owner_[std::size_t(boxPlace_[std::size_t(i)])] = i;
    }

private:
    struct Candidate
    {
        QPoint at;
        int place = -1;
    };

    std::vector<int> Movers() const
    {
        std::vector<int> movers;
        for (int i = 0; i < graph_.n; ++i)
            if (!boxes_[std::size_t(i)].pinned && !graph_.isolated[std::size_t(i)])
                movers.push_back(i);
        return movers;
    }

    int Class(int v) const { return places_ ? places_->cls[std::size_t(boxPlace_[std::size_t(v)])] : 0; }

    bool Improve(int v, const std::vector<int>& movers)
    {
        const std::size_t uv = std::size_t(v);
        const QPoint from = pos_[uv];
        if (!Affordable({v}))
            return false;
        const double before = Cost({v});
        double best = -1e-9;
        std::optional<Candidate> bestMove;
        int bestSwap = -1;

        for (const Candidate& candidate : Candidates(v))
        {
            if (!Affordable({v}))
                break;
            pos_[uv] = candidate.at;
            const double delta = Cost({v}) - before;
            if (delta < best)
            {
                best = delta;
                bestMove = candidate;
                bestSwap = -1;
            }
        }
        pos_[uv] = from;

        for (int u : SwapPartners(v, movers))
        {
            const std::size_t uu = std::size_t(u);
            if (!Affordable({v, u}))
                break;
            const double pairBefore = Cost({v, u});
            std::swap(pos_[uv], pos_[uu]);
            const double delta = Cost({v, u}) - pairBefore;
            std::swap(pos_[uv], pos_[uu]);
            if (delta < best)
            {
                best = delta;
                bestMove.reset();
                bestSwap = u;
            }
        }

        if (bestMove)
        {
            if (places_)
            {
                owner_[std::size_t(boxPlace_[uv])] = -1;
                owner_[std::size_t(bestMove->place)] = v;
                boxPlace_[uv] = bestMove->place;
            }
            pos_[uv] = bestMove->at;
            return true;
        }
        if (bestSwap >= 0)
        {
            const std::size_t uu = std::size_t(bestSwap);
            std::swap(pos_[uv], pos_[uu]);
            if (places_)
            {
                std::swap(boxPlace_[uv], boxPlace_[uu]);
                owner_[std::size_t(boxPlace_[uv])] = v;
                owner_[std::size_t(boxPlace_[uu])] = bestSwap;
            }
            return true;
        }
        return false;
    }

    // The middle of the boxes the box has lines with.
    QPointF Mid(int v) const
    {
        QPointF mid;
        for (int t : graph_.tiesOf[std::size_t(v)])
        {
            const Tie& tie = graph_.ties[std::size_t(t)];
            mid += pos_[std::size_t(tie.a == v ? tie.b : tie.a)];
        }
        return mid / double(std::max<std::size_t>(graph_.tiesOf[std::size_t(v)].size(), 1));
    }

    // Whether evaluating a change of the boxes, before and after, stays
    // within the budget, so that no evaluation runs past it.
    bool Affordable(std::initializer_list<int> set) const
    {
        qint64 estimate = 0;
        for (int i : set)
            estimate += qint64(graph_.tiesOf[std::size_t(i)].size()) * qint64(graph_.ties.size() + graph_.n) +
                        qint64(graph_.ties.size()) + graph_.n;
        return work_ + 2 * estimate <= budget_;
    }

    // The boxes of the class nearest to the middle of the box's partners:
    // a swap with a box far from there rarely helps.
    std::vector<int> SwapPartners(int v, const std::vector<int>& movers) const
    {
        constexpr std::size_t kNear = 12;
        const QPointF mid = Mid(v);
        const int cls = Class(v);
        std::vector<int> partners;
        for (int u : movers)
            if (u != v && Class(u) == cls)
                partners.push_back(u);
        const std::size_t count = std::min(kNear, partners.size());
        std::partial_sort(partners.begin(), partners.begin() + std::ptrdiff_t(count), partners.end(),
                          [&](int x, int y)
                          {
                              const double dx = Distance(pos_[std::size_t(x)], mid);
                              const double dy = Distance(pos_[std::size_t(y)], mid);
                              return dx < dy || (dx == dy && x < y);
                          });
        partners.resize(count);
        return partners;
    }

    std::vector<Candidate> Candidates(int v) const { return places_ ? PlaceCandidates(v) : FreeCandidates(v); }

    // Free places of the class nearest to the box and nearest to the middle
    // of its partners, where a better place is most likely.
    std::vector<Candidate> PlaceCandidates(int v) const
    {
        constexpr std::size_t kNear = 10;
        const int cls = Class(v);
        const QPointF mid = Mid(v);
        std::vector<int> free;
        for (std::size_t p = 0; p < places_->at.size(); ++p)
            if (owner_[p] < 0 && places_->cls[p] == cls)
                free.push_back(int(p));
        std::vector<int> chosen;
        for (QPointF target : {QPointF(pos_[std::size_t(v)]), mid})
        {
            const std::size_t count = std::min(kNear, free.size());
            std::partial_sort(free.begin(), free.begin() + std::ptrdiff_t(count), free.end(),
                              [&](int x, int y)
                              {
                                  const double dx = Distance(places_->at[std::size_t(x)], target);
                                  const double dy = Distance(places_->at[std::size_t(y)], target);
                                  return dx < dy || (dx == dy && x < y);
                              });
            chosen.insert(chosen.end(), free.begin(), free.begin() + std::ptrdiff_t(count));
        }
        std::sort(chosen.begin(), chosen.end());
        chosen.erase(std::unique(chosen.begin(), chosen.end()), chosen.end());
        std::vector<Candidate> result;
        for (int p : chosen)
            result.push_back({places_->at[std::size_t(p)], p});
        return result;
    }

    // Steps of falling length in eight directions from where the box stands,
    // and the middle of its partners with a step around it: far enough to
    // leave a row, near enough to settle beside a line.
    std::vector<Candidate> FreeCandidates(int v) const
    {
        const QPointF here = pos_[std::size_t(v)];
        const QPointF mid = Mid(v);
        std::vector<QPointF> targets;
        for (double share : {2.0, 1.0, 0.5, 0.25})
            for (int k = 0; k < 8; ++k)
                targets.push_back(here + share * step_ * QPointF(kCircle[k][0], kCircle[k][1]));
        targets.push_back(mid);
        for (int k = 0; k < 8; ++k)
            targets.push_back(mid + step_ * QPointF(kCircle[k][0], kCircle[k][1]));
        std::vector<Candidate> result;
        for (QPointF target : targets)
        {
            const QPoint p = frame_.Clamp(target).toPoint();
            if (p != pos_[std::size_t(v)] && Clear(v, p))
                result.push_back({p, -1});
        }
        return result;
    }

    // Whether the box at p keeps its gap to every other box.
    bool Clear(int v, QPoint p) const
    {
        for (int u = 0; u < graph_.n; ++u)
            if (u != v &&
                Overlaps(p, pos_[std::size_t(u)], frame_.size + (boxes_[std::size_t(u)].pinned ? kPinGap : kMinGap)))
                return false;
        return true;
    }

    // The part of the cost that depends on where the given boxes stand.
    double Cost(std::initializer_list<int> set)
    {
        for (int i : set)
            inSet_[std::size_t(i)] = true;
        const std::vector<Tie>& ties = graph_.ties;
        auto touches = [&](const Tie& t) { return inSet_[std::size_t(t.a)] || inSet_[std::size_t(t.b)]; };
        double cost = 0;
        std::vector<int> own;
        for (int i : set)
            for (int t : graph_.tiesOf[std::size_t(i)])
                if (std::find(own.begin(), own.end(), t) == own.end())
                    own.push_back(t);
        for (int e : own)
        {
            const Tie& te = ties[std::size_t(e)];
            const QPoint a = pos_[std::size_t(te.a)];
            const QPoint b = pos_[std::size_t(te.b)];
            cost += kLengthWeight * (te.mutual ? 2.0 : 1.0) * Distance(a, b) / step_;
            for (std::size_t f = 0; f < ties.size(); ++f)
            {
                const Tie& tf = ties[f];
                if (touches(tf) && int(f) <= e)
                    continue; // pairs of the set's own lines once
                if (tf.a == te.a || tf.a == te.b || tf.b == te.a || tf.b == te.b)
                    continue;
                cost += Cross(a, b, pos_[std::size_t(tf.a)], pos_[std::size_t(tf.b)]) ? 1.0 : 0.0;
            }
            for (int c = 0; c < graph_.n; ++c)
                if (c != te.a && c != te.b && Across(a, b, pos_[std::size_t(c)], half_))
                    cost += kAcrossWeight;
            work_ += qint64(ties.size()) + graph_.n;
        }
        for (const Tie& tf : ties)
        {
            if (touches(tf))
                continue;
            for (int i : set)
                if (Across(pos_[std::size_t(tf.a)], pos_[std::size_t(tf.b)], pos_[std::size_t(i)], half_))
                    cost += kAcrossWeight;
        }
        work_ += qint64(ties.size()) * qint64(set.size());
        for (int i : set)
        {
            cost += centreWeight_ * graph_.received[std::size_t(i)] * Distance(pos_[std::size_t(i)], centre_) / step_;
            if (!places_)
            {
                // Boxes closer than a step crowd the lines and arrow heads between them.
                for (int u = 0; u < graph_.n; ++u)
                    if (!inSet_[std::size_t(u)] || u > i)
                    {
                        const double d = Distance(pos_[std::size_t(i)], pos_[std::size_t(u)]);
                        if (u != i && d < step_)
                            cost += kCrowdWeight * (step_ - d) / step_;
                    }
                work_ += graph_.n;
            }
        }
        for (int i : set)
            inSet_[std::size_t(i)] = false;
        return cost;
    }

    static constexpr double kCircle[8][2] = {{1, 0},  {0.7071, 0.7071},   {0, 1},  {-0.7071, 0.7071},
                                             {-1, 0}, {-0.7071, -0.7071}, {0, -1}, {0.7071, -0.7071}};

    const Graph& graph_;
    const std::vector<Box>& boxes_;
    std::vector<QPoint>& pos_;
    const Places* places_;
    std::vector<int> boxPlace_;
    std::vector<int> owner_;
    std::vector<bool> inSet_;
    const Frame& frame_;
    double step_;
    double centreWeight_;
    QPointF centre_;
    double half_;
    qint64 work_ = 0;
    qint64 budget_ = kWorkBudget;
};

bool ClearOfPins(QPoint p, const std::vector<Box>& boxes, int size)
{
    for (const Box& box : boxes)
        if (box.pinned && Overlaps(p, box.position, size + kPinGap))
            return false;
    return true;
}

int FreeCount(const std::vector<Box>& boxes)
{
    return int(std::count_if(boxes.begin(), boxes.end(), [](const Box& b) { return !b.pinned; }));
}

// A grid of places centred in the frame, as wide apart as the free boxes
// allow while leaving half as many places again for the search.
Places GridPlaces(const Frame& frame, const std::vector<Box>& boxes, int& step)
{
    const int need = FreeCount(boxes);
    Places fallback;
    int fallbackStep = 0;
    for (int gap = frame.size; gap >= kMinGap; gap -= 4)
    {
        const int s = frame.size + gap;
        Places places;
        if (frame.hiX >= frame.loX && frame.hiY >= frame.loY)
        {
            const int cols = (frame.hiX - frame.loX) / s + 1;
            const int rows = (frame.hiY - frame.loY) / s + 1;
            const int x0 = frame.loX + (frame.hiX - frame.loX - (cols - 1) * s) / 2;
            const int y0 = frame.loY + (frame.hiY - frame.loY - (rows - 1) * s) / 2;
            for (int r = 0; r < rows; ++r)
                for (int c = 0; c < cols; ++c)
                {
                    const QPoint p(x0 + c * s, y0 + r * s);
                    if (ClearOfPins(p, boxes, frame.size))
                    {
                        places.at.push_back(p);
                        places.cls.push_back(0);
                    }
                }
        }
        if (2 * int(places.at.size()) >= 3 * need)
        {
            step = s;
            return places;
        }
        if (fallbackStep == 0 && int(places.at.size()) >= need)
        {
            fallback = places;
            fallbackStep = s;
        }
    }
    if (fallbackStep == 0)
        throw EError(29100, {need});
    step = fallbackStep;
    return fallback;
}

// The radical inverse of k in the base: the points (inverse 2, inverse 3)
// fill a square evenly in a fixed order, with no rows.
double RadicalInverse(int k, int base)
{
    double result = 0;
    double digit = 1.0 / base;
    for (; k > 0; k /= base, digit /= base)
        result += digit * (k % base);
    return result;
}

// Places scattered over the frame without rows or columns, so that few
// lines between boxes on them run across a third: points of an even
// sequence, each kept when it is a box and a gap clear of those kept
// before. A gap of half a box at most, so that a circle of friends
// can stand close together, smaller where that leaves fewer than half as
// many places again as boxes; none when even the smallest gap leaves too
// few (the grid packs closer).
Places ScatteredPlaces(const Frame& frame, const std::vector<Box>& boxes, int& step)
{
    const int need = FreeCount(boxes);
    if (frame.hiX < frame.loX || frame.hiY < frame.loY)
        return {};
    const double w = frame.hiX - frame.loX;
    const double h = frame.hiY - frame.loY;
    for (int gap = frame.size / 2; gap >= kMinGap; gap -= 4)
    {
        const int s = frame.size + gap;
        // A bucket of side s holds at most one place: a place's neighbours
        // within s lie in the 3 x 3 buckets around it.
        const int cols = int(w / s) + 1;
        const int rows = int(h / s) + 1;
        std::vector<int> bucket(std::size_t(cols) * std::size_t(rows), -1);
        Places places;
        const int tries = std::min(200'000, 30 * cols * rows);
        for (int k = 1; k <= tries; ++k)
        {
            const QPoint p(frame.loX + int(std::lround(RadicalInverse(k, 2) * w)),
                           frame.loY + int(std::lround(RadicalInverse(k, 3) * h)));
            const int bx = std::min(cols - 1, int((p.x() - frame.loX) / s));
            const int by = std::min(rows - 1, int((p.y() - frame.loY) / s));
            bool clear = ClearOfPins(p, boxes, frame.size);
            for (int y = std::max(0, by - 1); clear && y <= std::min(rows - 1, by + 1); ++y)
                for (int x = std::max(0, bx - 1); clear && x <= std::min(cols - 1, bx + 1); ++x)
                {
                    const int q = bucket[std::size_t(y) * std::size_t(cols) + std::size_t(x)];
                    clear = q < 0 || !Overlaps(p, places.at[std::size_t(q)], s);
                }
            if (!clear || bucket[std::size_t(by) * std::size_t(cols) + std::size_t(bx)] >= 0)
                continue;
            bucket[std::size_t(by) * std::size_t(cols) + std::size_t(bx)] = int(places.at.size());
            places.at.push_back(p);
            places.cls.push_back(0);
        }
        if (2 * int(places.at.size()) >= 3 * need)
        {
            step = s;
            return places;
        }
    }
    return {};
}

std::vector<QPoint> ByTies(const Frame& frame, const std::vector<Box>& boxes, const Graph& graph)
{
    int step = 0;
    Places places = ScatteredPlaces(frame, boxes, step);
    if (places.at.empty())
        places = GridPlaces(frame, boxes, step);
    const std::vector<QPointF> f = ForceLayout(frame, boxes, graph);
    const QPointF c = frame.Centre();
    const double rx = std::max(frame.Rx(), 1.0);
    const double ry = std::max(frame.Ry(), 1.0);

    std::vector<QPoint> pos(static_cast<std::size_t>(graph.n));
    std::vector<int> boxPlace(static_cast<std::size_t>(graph.n), -1);
    std::vector<bool> taken(places.at.size(), false);
    auto take = [&](int i, int p)
    {
        taken[std::size_t(p)] = true;
        boxPlace[std::size_t(i)] = p;
        pos[std::size_t(i)] = places.at[std::size_t(p)];
    };

    // Subjects without ties take the places nearest the edge, in list order.
    std::vector<int> order(places.at.size());
    std::iota(order.begin(), order.end(), 0);
    auto edgeness = [&](int p)
    {
        const QPointF d = QPointF(places.at[std::size_t(p)]) - c;
        return std::max(std::abs(d.x()) / rx, std::abs(d.y()) / ry);
    };
    std::stable_sort(order.begin(), order.end(), [&](int x, int y) { return edgeness(x) > edgeness(y) + 1e-9; });
    std::size_t next = 0;
    for (int i = 0; i < graph.n; ++i)
        if (boxes[std::size_t(i)].pinned)
            pos[std::size_t(i)] = boxes[std::size_t(i)].position;
        else if (graph.isolated[std::size_t(i)])
            take(i, order[next++]);

    // The most chosen first, each to the free place nearest its force position.
    std::vector<int> rank;
    for (int i = 0; i < graph.n; ++i)
        if (!boxes[std::size_t(i)].pinned && !graph.isolated[std::size_t(i)])
            rank.push_back(i);
    std::stable_sort(rank.begin(), rank.end(),
                     [&](int x, int y) { return graph.received[std::size_t(x)] > graph.received[std::size_t(y)]; });
    for (int i : rank)
    {
        int best = -1;
        double bestDistance = 0;
        for (std::size_t p = 0; p < places.at.size(); ++p)
        {
            if (taken[p])
                continue;
            const double d = Distance(places.at[p], f[std::size_t(i)]);
            if (best < 0 || d < bestDistance)
            {
                best = int(p);
                bestDistance = d;
            }
        }
        take(i, best);
    }

    // Annealing pays where it can try each box many times over: on a class,
    // not where nearly every box has a line to every other.
    const double lines = double(graph.ties.size());
    const double evaluation = 2.0 * lines / std::max<std::size_t>(rank.size(), 1) * (lines + graph.n) + lines;
    Search search(graph, boxes, pos, &places, boxPlace, frame, step, kCentreWeight);
    if (double(kAnnealBudget) / (2.0 * evaluation) >= kAnnealTries * double(rank.size()))
        search.Anneal(kAnnealBudget);
    search.Run();
    // Off the places, short steps take the boxes out of the lines that
    // still run across them.
    Search(graph, boxes, pos, nullptr, boxPlace, frame, step, kCentreWeight).Run(kWorkBudget / 3);
    return pos;
}

std::vector<QPoint> InRings(const Frame& frame, const std::vector<Box>& boxes, const Graph& graph,
                            DGraphSocRings::Ring& drawn)
{
    const int need = FreeCount(boxes);
    const QPointF c = frame.Centre();
    const double rx = std::max(frame.Rx(), 0.0);
    const double ry = std::max(frame.Ry(), 0.0);
    const double radius = std::min(rx, ry);
    const int spacing = frame.size + std::max(kMinGap, frame.size / 4);

    // The fewest rings, spread from the centre to the edge, that hold the
    // free boxes, but as many as four where they fit, so that the levels of
    // choices received show; the ellipse through the frame only widens the
    // circle's gaps.
    constexpr int kLevels = 4;
    const int fewest = std::min(kLevels, int(radius / spacing));
    Places places;
    std::vector<int> capacity;
    for (int rings = 0;; ++rings)
    {
        if (rings > 0 && radius / rings < spacing)
            throw EError(29100, {need});
        places = Places();
        capacity.assign(std::size_t(rings + 1), 0);
        for (int k = 0; k <= rings; ++k)
        {
            const double t = rings == 0 ? 0.0 : double(k) / rings;
            const int count = k == 0 ? 1 : int(2 * kPi * t * radius / spacing);
            for (int j = 0; j < count; ++j)
            {
                const double angle = 2 * kPi * (j + 0.5 * (k % 2)) / count - kPi / 2;
                const QPoint p = (c + QPointF(rx * t * std::cos(angle), ry * t * std::sin(angle))).toPoint();
                if (ClearOfPins(p, boxes, frame.size))
                {
                    places.at.push_back(p);
                    places.cls.push_back(k);
                    ++capacity[std::size_t(k)];
                }
            }
        }
        if (int(places.at.size()) >= need && rings >= fewest)
            break;
    }

    // The most chosen in the inner rings; those without ties last, outside.
    std::vector<int> rank;
    for (int i = 0; i < graph.n; ++i)
        if (!boxes[std::size_t(i)].pinned)
            rank.push_back(i);
    std::stable_sort(rank.begin(), rank.end(),
                     [&](int x, int y)
                     {
                         if (graph.isolated[std::size_t(x)] != graph.isolated[std::size_t(y)])
                             return !graph.isolated[std::size_t(x)];
                         return graph.received[std::size_t(x)] > graph.received[std::size_t(y)];
                     });

    // Around each ring in the order of the force layout's angles, so that
    // neighbours there stay neighbours here.
    const std::vector<QPointF> f = ForceLayout(frame, boxes, graph);
    std::vector<QPoint> pos(static_cast<std::size_t>(graph.n));
    std::vector<int> boxPlace(static_cast<std::size_t>(graph.n), -1);
    for (int i = 0; i < graph.n; ++i)
        if (boxes[std::size_t(i)].pinned)
            pos[std::size_t(i)] = boxes[std::size_t(i)].position;
    // Each ring takes its share of the boxes by its room, so that the rings
    // spread to the edge; the most chosen box alone in the centre.
    std::vector<std::size_t> share(capacity.size(), 0);
    {
        std::size_t left = rank.size();
        const std::size_t centre = std::min<std::size_t>(std::size_t(capacity[0]), std::min<std::size_t>(left, 1));
        share[0] = centre;
        left -= centre;
        const std::size_t room = std::accumulate(capacity.begin() + 1, capacity.end(), std::size_t(0),
                                                 [](std::size_t sum, int cap) { return sum + std::size_t(cap); });
        std::size_t roomSoFar = 0;
        std::size_t given = 0;
        std::size_t carry = 0;
        for (std::size_t k = 1; k < capacity.size(); ++k)
        {
            roomSoFar += std::size_t(capacity[k]);
            const std::size_t target = room ? (left * roomSoFar + room / 2) / room : 0;
            const std::size_t wanted = target - given + carry;
            share[k] = std::min(wanted, std::size_t(capacity[k]));
            carry = wanted - share[k];
            given = target;
        }
        for (std::size_t k = capacity.size(); carry > 0 && k-- > 0;)
            for (; carry > 0 && share[k] < std::size_t(capacity[k]); --carry)
                ++share[k];
    }
    std::size_t first = 0;
    std::size_t placeStart = 0;
    for (std::size_t k = 0; k < capacity.size() && first < rank.size(); ++k)
    {
        const std::size_t cap = std::size_t(capacity[k]);
        const std::size_t count = std::min(share[k], rank.size() - first);
        std::vector<int> ring(rank.begin() + std::ptrdiff_t(first), rank.begin() + std::ptrdiff_t(first + count));
        auto angle = [&](int i)
        {
            const QPointF d = f[std::size_t(i)] - c;
            return std::atan2(d.y() / std::max(ry, 1.0), d.x() / std::max(rx, 1.0));
        };
        std::stable_sort(ring.begin(), ring.end(), [&](int x, int y) { return angle(x) < angle(y); });
        for (std::size_t j = 0; j < ring.size(); ++j)
        {
            const int p = int(placeStart + j * cap / ring.size());
            boxPlace[std::size_t(ring[j])] = p;
            pos[std::size_t(ring[j])] = places.at[std::size_t(p)];
        }
        first += count;
        placeStart += cap;
    }

    Search(graph, boxes, pos, &places, boxPlace, frame, spacing, 0.0).Run();
    drawn = {int(capacity.size()) - 1, c, rx, ry};
    return pos;
}
} // namespace

std::vector<QPoint> DGraphSocArrange::Compute(Kind kind, const Area& area, const std::vector<Box>& boxes,
                                              const std::vector<Tie>& ties, DGraphSocRings::Ring* rings)
{
    return EError::Guard("DGraphSocArrange::Compute()",
                         [&]
                         {
                             DGraphSocRings::Ring ring;
                             if (rings)
                                 *rings = ring;
                             if (FreeCount(boxes) == 0)
                             {
                                 std::vector<QPoint> kept;
                                 for (const Box& box : boxes)
                                     kept.push_back(box.position);
                                 return kept;
                             }
                             const Frame frame(area);
                             const Graph graph(int(boxes.size()), ties);
                             if (kind == Kind::Ties)
                                 return ByTies(frame, boxes, graph);
                             std::vector<QPoint> positions = InRings(frame, boxes, graph, ring);
                             if (rings)
                                 *rings = ring;
                             return positions;
                         });
}

int DGraphSocArrange::Crossings(const std::vector<QPoint>& positions, const std::vector<Tie>& ties)
{
    int count = 0;
    for (std::size_t e = 0; e < ties.size(); ++e)
        for (std::size_t f = e + 1; f < ties.size(); ++f)
        {
            const Tie& x = ties[e];
            const Tie& y = ties[f];
            if (x.a == y.a || x.a == y.b || x.b == y.a || x.b == y.b)
                continue;
            if (Cross(positions[std::size_t(x.a)], positions[std::size_t(x.b)], positions[std::size_t(y.a)],
                      positions[std::size_t(y.b)]))
                ++count;
        }
    return count;
}

int DGraphSocArrange::LinesThroughBoxes(const std::vector<QPoint>& positions, const std::vector<Tie>& ties, int boxSize)
{
    int count = 0;
    for (const Tie& tie : ties)
        for (int c = 0; c < int(positions.size()); ++c)
            if (c != tie.a && c != tie.b &&
                Across(positions[std::size_t(tie.a)], positions[std::size_t(tie.b)], positions[std::size_t(c)],
                       boxSize / 2.0))
                ++count;
    return count;
}

std::vector<DGraphSocArrange::Tie> DGraphSocArrange::Ties(const DGraphSoc& soc, const std::vector<DSubjElem>& list)
{
    std::vector<Tie> ties;
    for (const DGraphListConn& conn : soc.Owner().Connections())
    {
        const auto a = std::ptrdiff_t(conn.Chooser() - list.data());
        const auto b = std::ptrdiff_t(conn.Chosen() - list.data());
        ties.push_back({int(a), int(b), conn.Choi().mutual, true});
    }
    return ties;
}

std::vector<QPoint> DGraphSocArrange::Arrange(DGraphSoc& soc, DSubjList& subjects, Kind kind, const DGraphSocPins& pins,
                                              DGraphSocRings::Ring* rings)
{
    return EError::Guard(
        "DGraphSocArrange::Arrange()",
        [&]
        {
            soc.SetSize();
            soc.Owner().Desi().Verify();
            soc.SociogramPrepare(subjects);
            const bool acceptance = soc.type.IsPositive();
            std::vector<Box> boxes;
            std::vector<DSubjElem>& list = subjects.Get();
            for (DSubjElem& subject : list)
            {
                soc.SubjOrigVer(subject);
                boxes.push_back({soc.SubjOrigGet(subject), pins.Is(acceptance, subject.id.GetValue())});
            }
            const Area area{soc.Right(), soc.Bottom(), soc.subjDim.Get()};
            return Compute(kind, area, boxes, Ties(soc, list), rings);
        });
}

void DGraphSocArrange::Apply(DSubjList& subjects, bool acceptance, const std::vector<QPoint>& positions)
{
    EError::Guard("DGraphSocArrange::Apply()",
                  [&]
                  {
                      std::vector<DSubjElem>& list = subjects.Get();
                      if (positions.size() != list.size())
                          throw EError(50020, {"DGraphSocArrange::Apply()"});
                      for (std::size_t i = 0; i < list.size(); ++i)
                      {
                          DSubjElemSociOrig& orig = acceptance ? list[i].soci.acceptance : list[i].soci.rejection;
                          if (orig.Get() != positions[i])
                              orig.Set(true, positions[i].x(), positions[i].y());
                      }
                  });
}
