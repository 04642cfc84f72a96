#pragma once

#include <QtGlobal>

#include <vector>

// A maximum-weight matching of a graph of up to a few hundred vertices given
// as a weight matrix, by Edmonds' blossom algorithm with dual variables
// (O(n^3)). The pairs of a class are one of these, so they can be the exact
// optimum rather than a search's best guess.
//
// Our own code: the Debian library's implementation of the same algorithm
// (Boost 1.74) crashes or never returns on most complete graphs of 40 to
// 130 vertices with tied weights, which is what a class looks like.
class DGroupMatching
{
public:
    // weights[u * n + v] == weights[v * n + u] > 0 is an edge, 0 or less
    // none; the diagonal is ignored. The result is each vertex's mate, -1
    // for none, of a matching of the largest total weight.
    static std::vector<qint32> Maximum(qint32 n, const std::vector<qint64>& weights);
    // The same, among the matchings that pair every vertex: edge weights are
    // lifted by a constant larger than any difference between matchings.
    // Empty when the edges allow no such matching (n odd, or a vertex cut
    // off).
    static std::vector<qint32> Perfect(qint32 n, const std::vector<qint64>& weights);
};
