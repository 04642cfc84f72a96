#pragma once

#include "analyses/DBarCanvas.h"

#include <QPoint>
#include <QSize>
#include <QtGlobal>

#include <array>

class DGraphBar;
class DSubjList;
class QImage;

// Paints the bar graph into a picture. Holds the state of one painting: the
// painter, the cursor along the row of subjects (x), the middle line (y) and
// the current fill colour, which DSubjElemBar draws with.
class DDrawBar : public DBarCanvas
{
public:
    explicit DDrawBar(DGraphBar& bar);

    // Checks the answers, prepares the bar graph from the subjects, resizes
    // the picture to the graph and paints it. On any failure the picture is
    // filled white at the size it has then, and the error passes on (an
    // EError unchanged, anything else as 50020 "DDrawBar::Paint()").
    void Paint(DSubjList& subjects, QImage& picture);
    // The two halves of Paint for any surface: Layout checks the answers,
    // prepares the graph and gives the picture's size; PaintOn paints the
    // prepared graph onto a surface of that size (96 dpi).
    QSize Layout(DSubjList& subjects);
    void PaintOn(QPainter& painter, QSize size);

    // The drawing rectangle (0, 0)-(W, H) for n subjects whose largest count
    // is m, at the scale divisor d; the picture is one pixel larger each way.
    static QSize Extent(qint32 subjects, quint32 largest, qint32 divisor);

    // One label of the left margin, centred in the band between the lower
    // edge and the upper edge (lower > upper) and written upwards.
    struct MarginLabel
    {
        int id;
        int lower;
        int upper;
    };
    static std::array<MarginLabel, 3> MarginLabels(int height);
    // Where an upward text starts (its top facing left) so that it is centred
    // across the 30-pixel margin and along its band.
    static QPoint MarginTextOrigin(const MarginLabel& label, int textHeight, int textWidth);

    static constexpr int kStep = 32;
    static constexpr int kMargin = 30;

private:
    void PaintMargin(int height);

    DGraphBar& bar_;
};
