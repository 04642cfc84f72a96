#pragma once

#include "analyses/DGraphTar.h"
#include "analyses/DGraphTarStat.h"
#include "model/DCsv.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <array>
#include <optional>
#include <vector>

class DGraph;

// The categories table beside the target diagram: for every subject what it
// received through the questions selected for the diagram, its standardised
// scores and its category under every categorisation side by side, so that
// the reason for a category can be read off.
class DGraphTarTable
{
public:
    // No category: preference and impact without spread.
    static constexpr int kNone = -1;

    struct Row
    {
        qint32 id = 0;
        QString surname;
        QString name;
        quint32 acceptances = 0;
        quint32 rejections = 0;
        // Without spread the scores do not exist.
        std::optional<DGraphTar::Score> score;
        // Slot under frequency, preference and impact, probability (the
        // order of DGraphTarStat::Scheme); equal slots mean the same category.
        std::array<int, DGraphTarStat::kSchemes> slots{};
        // Whether the categorisations that place the subject disagree.
        bool differs = false;
    };

    // Checks the answers and builds the rows in list order. Without spread the
    // scores and the preference-and-impact category stay empty and the
    // message that says why is given in noSpread.
    static std::vector<Row> Rows(const DGraph& graph, std::optional<QString>* noSpread = nullptr);

    // The column names and a row's texts: number, surname, name, acceptances
    // and rejections received, zA, zR, SP, SI (two decimals and the options'
    // decimal mark, a full stop by default), then the category letters in
    // scheme order.
    static QStringList Header();
    static QStringList Cells(const Row& row, const DCsv::Options& options = {});
    // The label of a slot under a scheme ("A) Popular"), and its letter;
    // empty for no category.
    static QString Label(int scheme, int slot);
    static QString Letter(int scheme, int slot);
    // The scheme the target diagram is drawn with, and a scheme's name.
    static int StoredScheme(const DGraph& graph);
    static QString SchemeName(int scheme);

    // The clipboard's text: the criteria of every scheme, then the table
    // with a last column that marks the subjects whose categories differ,
    // each row a DCsv::ClipboardLine.
    static QString Text(const std::vector<Row>& rows);
    // The comma-separated lines (header and one line per subject), every cell
    // written by DCsv, and the bytes of such a file.
    static QStringList CsvLines(const std::vector<Row>& rows, const DCsv::Options& options = {});
};
