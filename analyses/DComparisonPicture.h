#pragma once

#include "analyses/DComparison.h"

#include <QImage>
#include <QLine>
#include <QRect>
#include <QSize>
#include <QString>

#include <vector>

class DSubjList;
class QPainter;

// The compared sociogram: the current test's boxes where its sociogram of
// the same type placed them, and the ties between subjects found in both
// tests drawn by what became of them, with a legend below.
class DComparisonPicture
{
public:
    enum class State
    {
        Appeared,
        Disappeared,
        Stayed
    };
    struct Box
    {
        QRect rect;
        QString text;
        // Found in the current test only: drawn pale, without ties.
        bool unmatched = false;
    };
    struct Line
    {
        // From the chooser's box edge to the chosen one's.
        QLine line;
        State state = State::Stayed;
    };
    struct Layout
    {
        QSize size;
        std::vector<Box> boxes;
        std::vector<Line> lines;
        // Where the legend's first row starts; one row per state.
        QPoint legend;
        int rowHeight = 0;
    };

    // Box size s in pixels, as the sociogram's large boxes.
    static constexpr int kBox = 48;

    // A stored position outside the picture (or none yet) takes the
    // sociogram's grid cell of the subject's identifier.
    static Layout Compute(const DSubjList& subjects, const DComparison& comparison, DComparison::Sociogram type);
    static void Paint(QPainter& painter, const Layout& layout, DComparison::Sociogram type);
    static QImage Draw(const DSubjList& subjects, const DComparison& comparison, DComparison::Sociogram type);
};
