#pragma once

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>
#include <vector>

class DDesi;
class DSubjList;
struct DGroupSettings;

// What the grouping needs to know of a class, with subjects numbered from 0:
// who chose whom, the sexes, how many groups and the pairs the user fixed.
struct DGroupProblem
{
    using Pair = std::pair<qint32, qint32>;

    qint32 subjects = 0;
    qint32 groups = 1;
    bool balanceSexes = false;
    // subjects x subjects, row = the one who chooses.
    std::vector<quint8> accepts;
    std::vector<quint8> rejects;
    std::vector<quint8> female;
    std::vector<Pair> together;
    std::vector<Pair> apart;
    // How messages name the subjects; their numbers from 1 where missing.
    QStringList names;

    // An empty class of n subjects in the given number of groups.
    DGroupProblem(qint32 n, qint32 groupCount);
    DGroupProblem() = default;

    bool Accepts(qint32 u, qint32 v) const { return accepts[Cell(u, v)] != 0; }
    bool Rejects(qint32 u, qint32 v) const { return rejects[Cell(u, v)] != 0; }
    void SetAccepts(qint32 u, qint32 v) { accepts[Cell(u, v)] = 1; }
    void SetRejects(qint32 u, qint32 v) { rejects[Cell(u, v)] = 1; }
    QString Name(qint32 u) const;

    // The smallest and largest group size: group sizes differ by one at most.
    qint32 SmallestGroup() const { return subjects / groups; }
    qint32 LargestGroup() const { return (subjects + groups - 1) / groups; }

    // The class of a test: the choices to the questions the settings count
    // (error 50090 for a subject who chose himself), the sexes and the pairs, with
    // the number of groups the settings give (their errors pass on).
    static DGroupProblem FromTest(const DDesi& desi, const DSubjList& list, const DGroupSettings& settings);

private:
    std::size_t Cell(qint32 u, qint32 v) const
    {
        return static_cast<std::size_t>(u) * static_cast<std::size_t>(subjects) + static_cast<std::size_t>(v);
    }
};
