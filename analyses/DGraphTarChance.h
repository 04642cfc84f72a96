#pragma once

#include <QtGlobal>

#include <vector>

// The probability scheme of the target diagram: the choices a subject
// received are tested against a group whose members choose at random,
// rather than standardised over the group.
//
// With N subjects and A answers per question, a chooser names any given
// other subject with probability p = min(1, A / (N - 1)), so what a subject
// receives through q questions follows Binomial(q (N - 1), p).
class DGraphTarChance
{
public:
    // The significance level of both tails.
    static constexpr double kLevel = 0.05;

    // The distribution of a count over trials choices of probability p.
    DGraphTarChance(qint64 trials, double p);

    // P(X >= k) and P(X <= k).
    double AtLeast(qint64 k) const;
    double AtMost(qint64 k) const;
    bool IsHigh(qint64 k) const { return AtLeast(k) < kLevel; }
    bool IsLow(qint64 k) const { return AtMost(k) < kLevel; }

    static double ChoiceProbability(qint32 answers, qint32 subjects);

    // The slots (as the preference scheme's: 0 Popular, 4 Rejected,
    // 5 Neglected, 3 Controversial, 6 Average) of subjects with the given
    // acceptances and rejections received, through the given numbers of
    // positive and negative questions. The rules, first that holds:
    // Popular: a high and r below the mean; Rejected: r high and a below the
    // mean; Neglected: a + r low; Controversial: a high and r above the mean,
    // or r high and a above the mean; otherwise Average.
    static std::vector<int> Slots(const std::vector<quint32>& acceptances, const std::vector<quint32>& rejections,
                                  qint32 answers, qint32 positive, qint32 negative);

private:
    // upper_[k] = P(X >= k), lower_[k] = P(X <= k), k = 0..trials.
    std::vector<double> upper_;
    std::vector<double> lower_;
};
