#pragma once

#include "analyses/DGraphMetOrder.h"
#include "model/DCsv.h"

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

class DFileStream;
class DGraph;
class DGraphListSubj;
class DSubjElem;
class QPainter;

// The metric table: for every subject the acceptances and rejections received
// and given, each counted in different subjects, with their densities over
// the other subjects of the group and, with rank weights, the weighted counts
// beside the plain ones. Drawn as a picture and exported as
// comma-separated text; only the questions selected for the metric table count.
class DGraphMet
{
public:
    explicit DGraphMet(DGraph& graph);
    DGraphMet(const DGraphMet&) = delete;
    DGraphMet& operator=(const DGraphMet&) = delete;

    // One text of the table: its rectangle (right and bottom excluded), its
    // horizontal alignment and the text itself.
    struct Cell
    {
        QRect rect;
        Qt::Alignment align;
        QString text;
    };

    // Width of the table with plain counts, and of its weighted columns.
    static constexpr int kWidth = 650;
    static constexpr int kWeightedWidth = 60;
    // Right edge of the table, with or without the weighted columns; the
    // picture is one pixel wider.
    static int Width(bool weighted);
    static constexpr int kRowHeight = 20;
    static constexpr int kHeaderHeight = 60;
    // Bottom edge of the table for n rows; the picture is one pixel larger
    // in both directions so that the right and bottom border lines show.
    static int TableHeight(int rows) { return kRowHeight * rows + kHeaderHeight; }

    // The column headings in the current language. weighted: with the
    // rank-weighted column beside the value of each count.
    static std::vector<Cell> HeaderCells(bool weighted = false);
    // The cells of the row of one subject whose top edge lies at y.
    static std::vector<Cell> RowCells(const DSubjElem& subject, int y, bool weighted = false);
    // Three decimals and the decimal mark of the options (a full stop by
    // default), whatever the regional settings.
    static QString Density(double density, const DCsv::Options& options = {});

    // Counts the four indices of every subject and fills the analyses'
    // subject list with the subjects in the order of the table.
    void Prepare();
    // The table's ordering rule, used by the subject list's sort.
    bool Less(const DGraphListSubj& a, const DGraphListSubj& b) const;
    // Checks the answers, prepares and draws the table into a picture of its
    // own size. On an error the picture is left white and the error passes on.
    void Draw(QImage& picture);
    // The first half of Draw for any surface: checks the answers, prepares
    // the table and gives the picture's size for Paint.
    QSize Layout();
    // Paints the table of the subject list as prepared onto a picture of
    // 651 x TableHeight(n) + 1 pixels.
    void Paint(QPainter& painter) const;

    // The comma-separated export: checks the answers and prepares the table
    // from the current answers and options (so the lines never come from a
    // list another analysis left), then replaces the lines with the header
    // and one line per subject in table order. categories adds a last column
    // with each subject's category under the target diagram's stored
    // categorisation (empty where it places nobody, as preference and
    // impact without spread).
    void ToMemoCsv(QStringList& lines, const DCsv::Options& options = {}, bool categories = false);
    // The lines of the subject list as last prepared by this table, every
    // cell written by DCsv (so every line has as many fields as the header and
    // no name runs as a spreadsheet formula).
    QStringList CsvLines(const DCsv::Options& options = {}, bool categories = false) const;
    // The bytes of the exported file, as DCsv writes every such file.
    static QByteArray CsvBytes(const QStringList& lines, const DCsv::Options& options = {});

    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    // Version 1 files have no metric table block: the order stays as it is.
    void FromFile(DFileStream& stream, qint32 version);
    void TakeData(const DGraphMet& other);

    DGraphMetOrder order;

private:
    DGraph& graph_;
};
