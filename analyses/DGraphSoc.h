#pragma once

#include "analyses/DGraphSocElas.h"
#include "analyses/DGraphSocLook.h"
#include "analyses/DGraphSocPins.h"
#include "analyses/DGraphSocRings.h"
#include "analyses/DGraphSocSel.h"
#include "analyses/DGraphSocSize.h"
#include "analyses/DGraphSocSubjDim.h"
#include "analyses/DGraphSocType.h"

#include <QImage>
#include <QPoint>
#include <QString>
#include <QtGlobal>

#include <vector>

class DFileStream;
class DGraph;
class DGraphListConn;
class DSubjElem;
class DSubjElemSociOrig;
class DSubjList;
class QPainter;

// The sociogram: every subject a box at its own position, every pair of
// subjects of which one chose the other a line with arrow heads, in green
// for acceptances or red for rejections, and a legend below.
//
// Everything is drawn into an off-screen bitmap and shown in one copy. The
// box pictures and the lists are rebuilt by the full drawing only; the
// subject under the mouse is painted over the bitmap (DGraphSocOverlay), so
// a hover change redraws nothing of the bitmap.
class DGraphSoc
{
public:
    DGraphSoc() = default;
    DGraphSoc(const DGraphSoc&) = delete;
    DGraphSoc& operator=(const DGraphSoc&) = delete;

    void Init(DGraph& owner, std::vector<DGraphListConn>& connections);

    // Sizes the drawing area and the bitmap from the options and measures
    // the legend's text height; the picture takes the bitmap's size when the
    // bitmap is shown.
    void SetSize();
    // The full drawing of the given subjects into the picture, which takes
    // the bitmap's size. The picture is kept for the later redraws, so it
    // must outlive them. On an error the picture is white. It is as dense as
    // DPicture::Make makes pictures at that moment (under a DPicture::Ratio),
    // and the later redraws keep that density.
    void Draw(DSubjList& subjects, QImage& picture);
    // The same with the document's subjects.
    void Draw(QImage& picture);
    // Redraws the bitmap from the current lists and positions, leaving out
    // the subject being dragged and its connections, and shows it.
    void Draw();
    void BmpToImg();

    // The sociogram for a surface other than the screen's bitmap (a file, a
    // printer): PrepareVector makes the full drawing's lists and positions of
    // the given subjects and gives the size; PaintVector then draws every
    // subject and connection itself, at 96 dpi, with no box left out for a
    // drag and no pin marks, which only the page's own picture shows.
    QSize PrepareVector(DSubjList& subjects);
    void PaintVector(QPainter& surface);

    // The subject's box centre in the sociogram of the current type.
    QPoint SubjOrigGet(const DSubjElem& subject) const;
    DSubjElemSociOrig& SubjOrig(DSubjElem& subject) const;
    // Gives the subject a usable position: kept inside the margins,
    // otherwise its grid cell, otherwise a random place.
    void SubjOrigVer(DSubjElem& subject);
    // Rebuilds the subject's box picture.
    void PrepareSubj(DSubjElem& subject) const;
    // Copies the box picture onto the surface, centred at the position, with
    // the pin mark when the box is pinned.
    void DrawSubj(QPainter& surface, const DSubjElem& subject) const;
    // Whether the connection is drawn dimmed: one not of the subject in focus.
    bool IsDimmed(const DGraphListConn& conn) const;
    // Refills the analyses' subject list with the given subjects in list
    // order and rebuilds the connections for the current type.
    void SociogramPrepare(DSubjList& subjects);

    // The grid cell centre of identifier k in an area (0, 0, right, bottom)
    // for box size s; false when k lies beyond the last cell.
    static bool GridPosition(qint32 k, int right, int bottom, int s, QPoint& position);

    // The picture's size in 96-dpi pixels: the drawing area, its frame and
    // the legend.
    QSize PictureSize() const;

    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);
    void TakeData(const DGraphSoc& other);

    // Right and bottom of the drawing area, (W + 1, H + 1).
    int Right() const { return right_; }
    int Bottom() const { return bottom_; }
    int TextHeight() const { return th_; }
    int ArrowLength() const { return subjDim.ArrowLength(); }
    const QImage& Bitmap() const { return bitmap_; }
    DGraph& Owner() const { return *owner_; }
    DGraphSocSel& Sel() { return sel_; }
    const DGraphSocSel& Sel() const { return sel_; }

private:
    void DrawLegend(QPainter& surface) const;
    void Prepare(DSubjList& subjects, bool boxes);
    // The whole picture but the white ground; vector draws the boxes in place.
    void Paint(QPainter& surface, bool vector);
    // The bitmap for the current size, at the density of the last full drawing.
    QImage MakeBitmap() const;
    // A box with its texts at (0, 0), the size of the subject dimension;
    // groups: in the colour of its working group while the groups are shown
    // (the screen only: printed and saved pictures show plain boxes).
    void PaintBox(QPainter& surface, const DSubjElem& subject, bool groups) const;
    void PaintSubj(QPainter& surface, const DSubjElem& subject) const;
    bool IsStale() const;

    DGraph* owner_ = nullptr;
    std::vector<DGraphListConn>* connections_ = nullptr;
    DGraphSocSel sel_;
    QImage* picture_ = nullptr;
    int right_ = 0;
    int bottom_ = 0;
    QImage bitmap_;
    // The device pixel ratio of the bitmap and the picture.
    qreal ratio_ = 1.0;
    int th_ = 0;
    // The subject records the lists were built from, as they were then.
    const std::vector<DSubjElem>* drawnList_ = nullptr;
    const DSubjElem* drawnData_ = nullptr;
    std::size_t drawnCount_ = 0;

public:
    DGraphSocType type;
    DGraphSocSubjDim subjDim;
    DGraphSocSize size;
    DGraphSocElas elas;
    // The pins to mark on the boxes: set by the page, which shows them to
    // the user; the exports, which never set them, show none.
    DGraphSocPins pins;
    // Stored with the test in its own record (DTest::SetLook).
    DGraphSocLook look;
    // The rings of an arrangement in rings, drawn behind the boxes; stored
    // with the test in its own record.
    DGraphSocRings rings;
    // The identifier of the subject whose ties stand out over the dimmed
    // rest; 0 for none. Set by the page on a click; the exports never set it.
    qint32 focus = 0;
    // The working group of each subject (by identifier - 1, from 0; -1 or
    // missing for none) whose colours fill the boxes while the proposal of
    // groups is shown; the exports never set it.
    std::vector<qint32> groupOf;
};
