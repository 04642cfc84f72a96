#pragma once

#include "analyses/DGroupSolver.h"
#include "model/DCsv.h"

#include <QString>
#include <QStringList>

class DSubjList;

// The texts of a proposal: the comma-separated table of the export and the
// list a user copies or reads, in the interface language.
class DGroupReport
{
public:
    // A header, then one line per subject in group order: group number,
    // subject number, surname, name.
    static QStringList CsvLines(const DGroupProposal& proposal, const DSubjList& list,
                                const DCsv::Options& options = {});
    static QByteArray CsvBytes(const DGroupProposal& proposal, const DSubjList& list,
                               const DCsv::Options& options = {});

    // Per subject, whom it chose and rejected inside its group; the
    // conflicts left (rejections inside a group, subjects with none of
    // their choices in it) are named where they stand.
    struct Line
    {
        qint32 subject = 0;
        QStringList fulfilled;
        QStringList rejected;
        // Chose somebody, but nobody of the group.
        bool alone = false;
    };
    static std::vector<std::vector<Line>> Lines(const DGroupProposal& proposal, const DGroupProblem& problem);

    // The score terms as sentences, one per line.
    static QStringList Summary(const DGroupScore& score, const DGroupProblem& problem);

    // Everything as plain text: the summary, then each group with its
    // subjects, one per line.
    static QString Text(const DGroupProposal& proposal, const DGroupProblem& problem);
};
