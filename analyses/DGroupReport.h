#pragma once

#include "analyses/DGroupSolver.h"
#include "model/DCsv.h"

#include <QString>
#include <QStringList>

class DSubjList;
class QDate;
struct DGroupSettings;

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

    // The heading of the printed groups, so that a sheet says what it is:
    // the title, the class (its description), the file and the date, then
    // the settings the groups were made with (how many or how large, the
    // questions counted of the test's `questions`, the sexes, the pairs).
    static QStringList Heading(const DGroupProblem& problem, const DGroupSettings& settings, qint32 questions,
                               const QString& description, const QString& fileName, const QDate& date);
};
