#pragma once

#include "model/DCsv.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <utility>
#include <vector>

class DGraph;

// Indices of the whole group over the questions selected for the target
// diagram. The networks are of distinct pairs: a subject who accepts another
// through several questions makes one arc of the acceptance network.
class DGraphIndices
{
public:
    qint32 subjects = 0;
    // Every acceptance and rejection given, one per answer.
    qint32 choices = 0;
    // Arcs over the N (N - 1) ordered pairs.
    double acceptanceDensity = 0.0;
    double rejectionDensity = 0.0;
    // Mutual acceptance pairs over the pairs joined by at least one acceptance.
    double reciprocity = 0.0;
    // Mutual acceptance pairs over the N (N - 1) / 2 possible pairs.
    double cohesion = 0.0;
    // Subjects that received no acceptance.
    qint32 isolates = 0;
    // Pairs that reject each other.
    qint32 mutualRejections = 0;
    // The share of acceptance arcs between subjects of the same sex, and the
    // share random choosing would give: for every arc, the chooser's share
    // of subjects of its own sex among the others.
    double sameSex = 0.0;
    double sameSexExpected = 0.0;

    // Checks the answers and counts.
    static DGraphIndices Of(const DGraph& graph);

    // Names and values in the current language (ratios with three decimals
    // and the options' decimal mark, a full stop by default).
    std::vector<std::pair<QString, QString>> Lines(const DCsv::Options& options = {}) const;
    // The clipboard's text: a title line, then one "name<TAB>value" line each.
    QString Text() const;
    // Comma-separated: a header line, then one line per index, through DCsv.
    QStringList CsvLines(const DCsv::Options& options = {}) const;
};
