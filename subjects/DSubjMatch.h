#pragma once

#include <QHash>
#include <QList>
#include <QString>

#include <vector>

class DSubjElem;

// Finds the subject a written name stands for: surname and name in either
// order, capitals, accents and runs of blanks aside, so that what a pupil
// typed into a form or what another test spells differently still finds its
// subject. The one way names are matched between texts and subjects.
class DSubjMatch
{
public:
    enum class Kind
    {
        Matched,
        Unmatched,
        Ambiguous
    };
    struct Result
    {
        Kind kind = Kind::Unmatched;
        // Matched: the subject's index in the list, from 0; -1 otherwise.
        qint32 index = -1;
        // Ambiguous: every subject the name fits, as indices in list order.
        QList<qint32> candidates;
    };

    // The subjects to match against: the first count of them, all when count
    // is negative (a list keeps room for more subjects than the test has).
    explicit DSubjMatch(const std::vector<DSubjElem>& subjects, qint32 count = -1);

    // The subject a written name stands for. With numbers, a whole number
    // stands for the subject with that number (1 to the count; other numbers
    // match none).
    Result Match(const QString& written, bool numbers = false) const;
    // Every subject of another list matched to this one by its surname and
    // name, in the other list's order: the subjects of two tests paired.
    QList<Result> MatchAll(const std::vector<DSubjElem>& others) const;

    // What two names are compared by: compatibility decomposition without
    // the combining marks, case folded, typographic apostrophes as plain
    // ones, commas and runs of blanks as one space, no blanks at the ends.
    static QString Key(const QString& text);

private:
    qint32 count_ = 0;
    // The keys of every subject (surname first and name first), to the
    // subjects that carry them.
    QHash<QString, QList<qint32>> keys_;
};
