#pragma once

#include "analyses/DGraphListConnChoi.h"

#include <QPoint>
#include <QtGlobal>

#include <array>

class DGraphSoc;
class DGraphSocLineBatch;
class DSubjElem;
class QPainter;

// Where a connection between two subject boxes is drawn. Computed from the
// two box centres alone, so the sociogram's numbers can be checked without
// painting anything.
struct DGraphListConnGeom
{
    enum Kind
    {
        Nothing, // the boxes overlap, or the shortened line has no length
        Plain,   // too short for arrow heads: a 1-pixel line from start to end
        OneWay,  // arrow head at the end, rank pen from start to B
        Mutual   // arrow heads at both ends, two halves meeting at M
    };

    Kind kind = Nothing;
    QPoint start; // S, on the chooser's box
    QPoint end;   // E, on the chosen subject's box
    QPoint a;     // line end at the chooser's side (S moved past the arrow head when mutual)
    QPoint b;     // line end at the chosen side, at the base of the arrow head
    QPoint m;     // middle of a mutual line
    double sin = 0.0;
    double cos = 0.0;

    // r: half the box size; arrowLength: L.
    static DGraphListConnGeom Compute(QPoint p1, bool circle1, QPoint p2, bool circle2, int r, int arrowLength,
                                      bool mutual);
    // The outline triangle of an arrow head with its tip at the point: tip,
    // then the two base corners.
    static std::array<QPoint, 3> ArrowCorners(QPoint tip, bool forward, int arrowLength, double sin, double cos);
};

// One connection of the sociogram: a pair of subjects of which one chose the
// other, with the rank of the choice in each direction.
class DGraphListConn
{
public:
    DGraphListConn() = default;
    DGraphListConn(DSubjElem* chooser, DSubjElem* chosen) : chooser_(chooser), chosen_(chosen) {}

    DSubjElem* Chooser() const { return chooser_; }
    DSubjElem* Chosen() const { return chosen_; }
    void SetChooser(DSubjElem* subject) { chooser_ = subject; }
    void SetChosen(DSubjElem* subject) { chosen_ = subject; }
    DGraphListConnChoi& Choi() { return choi_; }
    const DGraphListConnChoi& Choi() const { return choi_; }

    // Merges a choice, not yet stored, into this connection when it joins the
    // same two subjects (in either direction); returns whether it did.
    bool CheckMutual(DGraphListConn& fresh, qint32 rank);

    // Draws the connection with the sociogram's type colour, box size and
    // positions. complete is false while a subject is being moved: in the
    // elastic mode the connection is then a plain centre-to-centre line.
    // dimmed draws it in a faint colour, behind the ties in focus.
    void Draw(QPainter& surface, const DGraphSoc& soc, bool complete, bool dimmed = false) const;
    // The complete connection for a vector surface: its lines go into the
    // batch with the pens Draw would draw them with.
    void Gather(QPainter& surface, const DGraphSoc& soc, DGraphSocLineBatch& batch) const;

private:
    // Draws the lines, or adds them to the batch when there is one.
    void Paint(QPainter& surface, const DGraphSoc& soc, bool complete, bool dimmed, DGraphSocLineBatch* batch) const;
    // One outline arrow head with its tip at the point, in the pen colour.
    static void DrawArrow(QPainter& surface, DGraphSocLineBatch* batch, QPoint tip, bool forward, int arrowLength,
                          double sin, double cos);

    DSubjElem* chooser_ = nullptr;
    DSubjElem* chosen_ = nullptr;
    DGraphListConnChoi choi_;
};
