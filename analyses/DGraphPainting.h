#pragma once

#include <QDate>
#include <QRectF>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

class DGraph;
class QPainter;

// One analysis made ready to paint on any surface: the screen's image, a
// file's SVG or PDF, a printer. Its coordinates are pixels at 96 dpi from the
// top left corner, the same the screen's picture has, so that every surface
// shows the same layout.
class DGraphPainting
{
public:
    enum class Analysis
    {
        Bar,
        Target,
        Sociogram,
        Metrics
    };

    // Checks the answers and prepares the analysis of the document's
    // subjects with its options, as its page draws it. Raises EError.
    static DGraphPainting Of(Analysis analysis, DGraph& graph);
    // A date as the current language writes it.
    static QString DateText(const QDate& date, bool longForm = false);
    // The analysis' name, as its page's tab shows it.
    static QString Name(Analysis analysis);

    // What explains a picture that leaves the program: the group's
    // description, the analysis, its options in words, the file and the date,
    // and for the target diagram the criteria of its categories. In the
    // current language; fileName empty for a test never saved.
    static QStringList CaptionLines(Analysis analysis, const DGraph& graph, const QString& fileName, const QDate& date);

    // This painting with the caption's lines below it: the first line (the
    // description) bold, the rest wrapped to the width of the picture or of
    // kCaptionWidth, whichever is larger.
    DGraphPainting WithCaption(const QStringList& lines) const;

    QSize Size() const { return size_; }
    // Paints onto a surface of Size() at 96 dpi; the white ground is the
    // surface's own.
    void Paint(QPainter& painter) const { paint_(painter); }
    // Paints into area of a page, as large as fits keeping the shape,
    // centred across it and from its top. The surface must be at 96 dpi, so
    // that texts keep the size the layout measured.
    void PaintFitted(QPainter& painter, const QRectF& area) const;

    static constexpr int kCaptionWidth = 600;

private:
    DGraphPainting(QSize size, std::function<void(QPainter&)> paint) : size_(size), paint_(std::move(paint)) {}

    QSize size_;
    std::function<void(QPainter&)> paint_;
};
