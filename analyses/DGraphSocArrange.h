#pragma once

#include "analyses/DGraphSocRings.h"

#include <QPoint>

#include <vector>

class DGraphSoc;
class DGraphSocPins;
class DSubjElem;
class DSubjList;

// Automatic placement of the sociogram's boxes, so that a picture can be read
// without dragging every box by hand: mutual pairs close, much-chosen
// subjects toward the centre, subjects without ties at the edge, few lines
// crossing each other or running across boxes, no two boxes overlapping,
// every box inside the picture. Pinned boxes keep their places.
//
// The same input always gives the same positions: nothing depends on where
// the free boxes stood before, on the clock or on a random source.
class DGraphSocArrange
{
public:
    enum class Kind
    {
        Ties, // by the ties: a force layout onto places without rows, then a search that removes crossings
        Rings // concentric rings by choices received, the most chosen in the centre
    };

    struct Box
    {
        QPoint position; // kept when pinned
        bool pinned = false;
    };
    // A line between two boxes (indices); mutual pairs are pulled closer.
    struct Tie
    {
        int a = 0;
        int b = 0;
        bool mutual = false;
        // Whether b received the choice (a chose b); with mutual, both did.
        bool toB = true;
    };
    // The drawing area (0, 0, right, bottom) and the boxes' size.
    struct Area
    {
        int right = 0;
        int bottom = 0;
        int boxSize = 0;
    };

    // One position for every box. Raises error 29100 when the free part of
    // the picture cannot hold the free boxes without overlapping. rings, when
    // given, receives the rings the boxes were put on: none but in rings.
    static std::vector<QPoint> Compute(Kind kind, const Area& area, const std::vector<Box>& boxes,
                                       const std::vector<Tie>& ties, DGraphSocRings::Ring* rings = nullptr);

    // Pairs of lines (box centre to box centre) that cross or run along
    // each other on one straight line, lines sharing a box not counted.
    static int Crossings(const std::vector<QPoint>& positions, const std::vector<Tie>& ties);
    // Lines (box centre to box centre) that run across a box other than
    // their own two, counted once for every such box: a line that passes
    // behind a box seems to end there.
    static int LinesThroughBoxes(const std::vector<QPoint>& positions, const std::vector<Tie>& ties, int boxSize);

    // The ties of the connections the sociogram last built, by index into
    // the subject list they were built from.
    static std::vector<Tie> Ties(const DGraphSoc& soc, const std::vector<DSubjElem>& list);

    // The positions for the subjects of the sociogram's current type and
    // question selection, in list order. Rebuilds the sociogram's lists.
    static std::vector<QPoint> Arrange(DGraphSoc& soc, DSubjList& subjects, Kind kind, const DGraphSocPins& pins,
                                       DGraphSocRings::Ring* rings = nullptr);
    // Stores the positions (list order) as the user's for the given type.
    static void Apply(DSubjList& subjects, bool acceptance, const std::vector<QPoint>& positions);
};
