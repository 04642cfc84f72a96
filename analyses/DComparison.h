#pragma once

#include "model/DCsv.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <utility>
#include <vector>

class DGraph;

// Two tests of the same group side by side: the subjects paired by surname
// and name, what each received and its category in both, and the ties of
// the sociogram that appeared, disappeared or stayed. "Before" is the other
// test, "now" the current one, so that a change reads from the other test to
// this one. Neither test is changed.
class DComparison
{
public:
    // What one subject received in one test through the questions selected
    // for the target diagram, and the category it gets for that.
    struct Side
    {
        quint32 acceptances = 0;
        quint32 rejections = 0;
        // DGraphTarTable::kNone: preference and impact without spread.
        int slot = -1;
    };
    struct Row
    {
        // Indices from 0 in each test's list.
        qint32 current = 0;
        qint32 other = 0;
        qint32 id = 0;
        QString surname;
        QString name;
        Side before;
        Side now;

        qint32 AcceptanceChange() const { return qint32(now.acceptances) - qint32(before.acceptances); }
        qint32 RejectionChange() const { return qint32(now.rejections) - qint32(before.rejections); }
        // What "largest change" orders by: how many choices received came or
        // went, acceptances and rejections alike.
        qint32 Size() const { return qAbs(AcceptanceChange()) + qAbs(RejectionChange()); }
        bool CategoryChanged() const { return before.slot != now.slot; }
    };

    // A tie u -> v: u chose v; identifiers of the current test.
    using Tie = std::pair<qint32, qint32>;
    struct Ties
    {
        std::vector<Tie> appeared;
        std::vector<Tie> disappeared;
        std::vector<Tie> stayed;
    };
    enum Sociogram
    {
        Acceptance = 0,
        Rejection = 1
    };

    // Checks both tests' answers and compares them. The categories of both
    // use the current test's categorisation and question selections; when
    // the other test stores different ones, differs is set.
    static DComparison Of(const DGraph& current, const DGraph& other);

    // Largest change first (Row::Size), then a changed category before an
    // unchanged one, then the current test's list order.
    std::vector<Row> rows;
    // "Surname Name" of the subjects found in one test only (or whose name
    // fits several subjects of the current test), in list order.
    QStringList onlyCurrent;
    QStringList onlyOther;
    // The current test's categorisation (DGraphTarStat::Scheme).
    int scheme = 0;
    bool differs = false;
    // Between subjects found in both tests, by sociogram type, each sorted.
    std::array<Ties, 2> ties;

    // The column names and a row's cells: number, surname, name, then
    // acceptances before, now and their change, the same for rejections,
    // the category before and now, and "B → A" when it changed.
    static QStringList Header();
    QStringList Cells(const Row& row) const;
    // The sentence on the categorisation, and on the other test's different
    // one when it does.
    QString SchemeText() const;
    // The lines naming the subjects found in one test only; none when all
    // were paired.
    QStringList UnmatchedLines() const;
    // The clipboard's text: the sentences, the table as DCsv::ClipboardLine
    // rows, the unmatched subjects.
    QString Text() const;
    // The table as comma-separated lines written by DCsv.
    QStringList CsvLines(const DCsv::Options& options = {}) const;
};
