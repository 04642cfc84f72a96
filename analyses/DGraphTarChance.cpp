#include "analyses/DGraphTarChance.h"

#include <algorithm>
#include <cmath>
#include <numeric>

DGraphTarChance::DGraphTarChance(qint64 trials, double p)
{
    const qint64 n = std::max<qint64>(trials, 0);
    std::vector<double> mass(std::size_t(n) + 1, 0.0);
    if (p <= 0.0)
        mass.front() = 1.0;
    else if (p >= 1.0)
        mass.back() = 1.0;
    else
    {
        // Through logarithms, so that large groups neither overflow the
        // binomial coefficient nor underflow the powers.
        const double lp = std::log(p);
        const double lq = std::log1p(-p);
        const double ln = std::lgamma(double(n) + 1.0);
        for (qint64 k = 0; k <= n; ++k)
            mass[std::size_t(k)] = std::exp(ln - std::lgamma(double(k) + 1.0) - std::lgamma(double(n - k) + 1.0) +
                                            double(k) * lp + double(n - k) * lq);
    }
    // Each tail is summed from its far end, where the terms are smallest.
    upper_.resize(mass.size());
    lower_.resize(mass.size());
    double sum = 0.0;
    for (std::size_t k = mass.size(); k-- > 0;)
        upper_[k] = std::min(1.0, sum += mass[k]);
    sum = 0.0;
    for (std::size_t k = 0; k < mass.size(); ++k)
        lower_[k] = std::min(1.0, sum += mass[k]);
}

double DGraphTarChance::AtLeast(qint64 k) const
{
    if (k <= 0)
        return 1.0;
    return k < qint64(upper_.size()) ? upper_[std::size_t(k)] : 0.0;
}

double DGraphTarChance::AtMost(qint64 k) const
{
    if (k < 0)
        return 0.0;
    return k < qint64(lower_.size()) ? lower_[std::size_t(k)] : 1.0;
}

double DGraphTarChance::ChoiceProbability(qint32 answers, qint32 subjects)
{
    if (subjects <= 1)
        return 0.0;
    return std::min(1.0, double(answers) / double(subjects - 1));
}

std::vector<int> DGraphTarChance::Slots(const std::vector<quint32>& acceptances, const std::vector<quint32>& rejections,
                                        qint32 answers, qint32 positive, qint32 negative)
{
    const std::size_t n = acceptances.size();
    // A lone subject can be chosen by nobody: nothing to test.
    if (n <= 1)
        return std::vector<int>(n, 6);
    const qint64 others = qint64(n) - 1;
    const double p = ChoiceProbability(answers, qint32(n));
    const DGraphTarChance a(positive * others, p);
    const DGraphTarChance r(negative * others, p);
    const DGraphTarChance impact((qint64(positive) + negative) * others, p);
    const double meanA = std::accumulate(acceptances.begin(), acceptances.end(), 0.0) / double(n);
    const double meanR = std::accumulate(rejections.begin(), rejections.end(), 0.0) / double(n);

    std::vector<int> slots;
    slots.reserve(n);
    for (std::size_t i = 0; i < n; ++i)
    {
        const double ai = acceptances[i];
        const double ri = rejections[i];
        const bool aHigh = a.IsHigh(acceptances[i]);
        const bool rHigh = r.IsHigh(rejections[i]);
        if (aHigh && ri < meanR)
            slots.push_back(0); // A) Popular
        else if (rHigh && ai < meanA)
            slots.push_back(4); // B) Rejected
        else if (impact.IsLow(qint64(acceptances[i]) + rejections[i]))
            slots.push_back(5); // C) Neglected
        else if ((aHigh && ri > meanR) || (rHigh && ai > meanA))
            slots.push_back(3); // D) Controversial
        else
            slots.push_back(6); // E) Average
    }
    return slots;
}
