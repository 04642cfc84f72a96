#pragma once

#include "analyses/DGroupProblem.h"

#include <QtGlobal>

#include <tuple>
#include <vector>

// How good a grouping is, term by term, from the most important down. A
// subject "alone" chose somebody (an acceptance) yet shares a group with
// none of them; an isolated subject is one nobody chose.
struct DGroupScore
{
    // Isolated subjects alone: the ones the groups are first of all for.
    qint32 isolatedAlone = 0;
    // Every subject alone, isolated or not.
    qint32 alone = 0;
    // Rejections inside groups (u rejected v); all one-way, since subjects
    // who rejected each other never share a group.
    qint32 rejections = 0;
    // Acceptances inside groups: each choice of u for v counts 1, and a
    // pair who chose each other counts 2 more (4 in all).
    qint32 acceptances = 0;
    // Only when the sexes are balanced (then it comes right after the
    // subjects alone): over the groups, how far each one's
    // number of females is from its share, |F x size - N x females| with F
    // the females of the class and N its subjects (0 when every group has
    // exactly its share; divide by N for subjects).
    qint64 imbalance = 0;

    // Smaller is better: fewer alone, less imbalance, fewer rejections, more
    // acceptances, in that order of importance.
    auto Key() const { return std::tuple(isolatedAlone, alone, imbalance, rejections, -acceptances); }
    bool operator<(const DGroupScore& other) const { return Key() < other.Key(); }
    bool operator==(const DGroupScore& other) const { return Key() == other.Key(); }
};

// One proposal: the groups (subjects from 0, each group in increasing order,
// groups ordered by their first subject) and their score.
struct DGroupProposal
{
    std::vector<std::vector<qint32>> groups;
    DGroupScore score;
};

// Proposes groups that meet the hard rules: group sizes differ by one at
// most, every "together" pair shares a group, and no "apart" pair nor two
// subjects who rejected each other do; among those, the best by DGroupScore.
//
// The search is an iterated local search over moves of a subject (or of a
// chain of subjects kept together) to another group and swaps of two of
// them, with random restarts and shakes. It is deterministic: the random
// numbers come from fixed seeds and the amount of work depends on the class
// alone, never on the clock. On classes of up to 12 subjects it reaches the
// optimum an exhaustive search finds (checked by the tests). When the groups
// are pairs (with some subjects alone, or one group of three in an odd
// class), a maximum-weight matching gives the exact optimum first, which the
// search then starts from.
class DGroupSolver
{
public:
    // The proposal of rank `index` among the distinct groupings the search
    // found, best first (0 is the best; ties go by the grouping itself): the
    // next index is the next-best different proposal. Past the last one it
    // starts again from the best. Raises an error that says why when no
    // grouping meets the hard rules.
    static DGroupProposal Solve(const DGroupProblem& problem, qint32 index = 0);

    // The score of a grouping given as the group of each subject (0..groups-1),
    // whether or not it meets the hard rules.
    static DGroupScore Score(const DGroupProblem& problem, const std::vector<qint32>& groupOf);
    // Whether the grouping meets every hard rule.
    static bool MeetsRules(const DGroupProblem& problem, const std::vector<qint32>& groupOf);
};
