#include "analyses/DGraphSoc.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSocLine.h"
#include "analyses/DGraphSocLineBatch.h"
#include "analyses/DPalette.h"
#include "analyses/DPicture.h"
#include "analyses/DSubjBox.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubj.h"
#include "subjects/DSubjElem.h"
#include "subjects/DSubjList.h"

#include <QLine>
#include <QPaintEngine>
#include <QPainter>
#include <QPen>
#include <QRandomGenerator>
#include <QStringList>

namespace
{
const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);

// Every line of the sociogram leaves out its last point.
QPen Pen(const QColor& colour, int width, Qt::PenStyle style = Qt::SolidLine)
{
    return QPen(QBrush(colour), width, style, Qt::FlatCap, Qt::MiterJoin);
}

// A rectangle given as (left, top, right, bottom), right and bottom excluded.
QRect Area(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

// Single-line text centred in a rectangle and clipped to it.
void CentredText(QPainter& surface, const QRect& rect, const QString& text)
{
    surface.save();
    surface.setClipRect(rect);
    surface.drawText(rect, Qt::AlignHCenter | Qt::AlignVCenter | Qt::TextSingleLine, text);
    surface.restore();
}
} // namespace

void DGraphSoc::Init(DGraph& owner, std::vector<DGraphListConn>& connections)
{
    owner_ = &owner;
    connections_ = &connections;
}

void DGraphSoc::SetSize()
{
    EError::Guard("DGraphSoc::SetSize()",
                  [&]
                  {
                      right_ = size.Width() + 1;
                      bottom_ = size.Height() + 1;
                      th_ = DPicture::LineHeight(DPicture::Font(9));
                      // The picture takes the bitmap's size with its content (BmpToImg);
                      // an unchanged size and density keep the bitmap, which the redraw
                      // clears anyway.
                      const QSize wanted = PictureSize();
                      if (bitmap_.deviceIndependentSize().toSize() != wanted || bitmap_.devicePixelRatio() != ratio_)
                          bitmap_ = MakeBitmap();
                  });
}

void DGraphSoc::Draw(DSubjList& subjects, QImage& picture)
{
    EError::Guard("DGraphSoc::Draw(,)",
                  [&]
                  {
                      picture_ = &picture;
                      // The redraws that follow keep the density the picture was drawn at.
                      ratio_ = DPicture::CurrentRatio();
                      try
                      {
                          Prepare(subjects, true);
                          Draw();
                      }
                      catch (...)
                      {
                          // Never show a half-drawn sociogram.
                          if (bitmap_.isNull())
                              picture.fill(kWhite);
                          else
                          {
                              bitmap_.fill(kWhite);
                              BmpToImg();
                          }
                          throw;
                      }
                  });
}

void DGraphSoc::Prepare(DSubjList& subjects, bool boxes)
{
    SetSize();
    owner_->Desi().Verify();
    SociogramPrepare(subjects);
    sel_.Refind(subjects.Get());
    drawnList_ = &subjects.Get();
    drawnData_ = subjects.Get().data();
    drawnCount_ = subjects.Get().size();
    for (DGraphListSubj& entry : owner_->Subjects())
    {
        SubjOrigVer(entry.Subj());
        if (boxes)
            PrepareSubj(entry.Subj());
    }
}

QSize DGraphSoc::PrepareVector(DSubjList& subjects)
{
    return EError::Guard("DGraphSoc::PrepareVector()",
                         [&]
                         {
                             Prepare(subjects, false);
                             return PictureSize();
                         });
}

QSize DGraphSoc::PictureSize() const
{
    // From the options alone, so that a page can tell the size before drawing.
    return QSize(size.Width() + 2, size.Height() + 6 + 5 * DPicture::LineHeight(DPicture::Font(9)));
}

QImage DGraphSoc::MakeBitmap() const
{
    const DPicture::Ratio density(ratio_);
    const QSize logical = PictureSize();
    return DPicture::Make(logical.width(), logical.height());
}

void DGraphSoc::PaintVector(QPainter& surface)
{
    EError::Guard("DGraphSoc::PaintVector()", [&] { Paint(surface, true); });
}

void DGraphSoc::Draw(QImage& picture)
{
    EError::Guard("DGraphSoc::Draw(,)", [&] { Draw(owner_->Subj().List(), picture); });
}

bool DGraphSoc::IsStale() const
{
    // The lists hold references into the subject records; once that list was
    // resized they must not be walked until the next full drawing.
    return !drawnList_ || drawnList_->data() != drawnData_ || drawnList_->size() != drawnCount_;
}

void DGraphSoc::Draw()
{
    EError::Guard("DGraphSoc::Draw()",
                  [&]
                  {
                      if (bitmap_.isNull())
                          SetSize();
                      if (IsStale())
                      {
                          owner_->Subjects().clear();
                          connections_->clear();
                          sel_.Clear();
                      }
                      // While the picture shares the bitmap, a fresh white one is cheaper
                      // than copying the old one only to overwrite it.
                      if (bitmap_.isDetached())
                          bitmap_.fill(kWhite);
                      else
                          bitmap_ = MakeBitmap();
                      QPainter surface(&bitmap_);
                      Paint(surface, false);
                      surface.end();
                      BmpToImg();
                  });
}

void DGraphSoc::Paint(QPainter& surface, bool vector)
{
    surface.setRenderHint(QPainter::Antialiasing, false);
    surface.setPen(Pen(kBlack, 1));
    surface.setBrush(kWhite);
    surface.setFont(DPicture::Font(8));

    const int frameBottom = bottom_ + 5 * th_ + 4;
    const QLine frame[4] = {QLine(0, 0, right_, 0), QLine(right_, 0, right_, frameBottom),
                            QLine(right_, frameBottom, 0, frameBottom), QLine(0, frameBottom, 0, 0)};
    DGraphSocLine::Draw(surface, frame, 4);

    // On the screen a dragged subject is left out: the overlay draws it
    // wherever it goes. A hovered one stays, so that a hover change needs no
    // new background. Printed and saved pictures show every subject, and no
    // subject in focus.
    const bool liftOut = !vector && sel_.ThereIs() && sel_.IsMoving();
    const bool dimming = !vector && focus != 0;
    if (!vector)
        for (DGraphListSubj& entry : owner_->Subjects())
            SubjOrigVer(entry.Subj());
    auto boxes = [&]
    {
        for (DGraphListSubj& entry : owner_->Subjects())
        {
            if (liftOut && sel_.Is(entry.Subj()))
                continue;
            if (vector)
                PaintSubj(surface, entry.Subj());
            else
                DrawSubj(surface, entry.Subj());
        }
    };
    // A vector surface takes the lines in a few batches, one for each pen. A
    // picture of pixels (a PNG) is drawn line by line as on the screen, so
    // that the two stay the same pixel for pixel.
    const QPaintEngine* engine = surface.paintEngine();
    const bool batched = vector && engine && engine->type() != QPaintEngine::Raster;
    DGraphSocLineBatch batch;
    auto lines = [&](bool dimmed)
    {
        for (const DGraphListConn& conn : *connections_)
        {
            if ((liftOut && (sel_.Is(*conn.Chooser()) || sel_.Is(*conn.Chosen()))) ||
                (dimming && IsDimmed(conn)) != dimmed)
                continue;
            if (batched)
                conn.Gather(surface, *this, batch);
            else
                conn.Draw(surface, *this, true, dimmed);
        }
        batch.Flush(surface);
    };
    rings.Paint(surface, type.IsPositive());
    if (!look.namesAbove)
        boxes();
    // The ties of the subject in focus come over the dimmed rest.
    if (dimming)
        lines(true);
    lines(false);
    if (look.namesAbove)
        boxes();
    DrawLegend(surface);
}

bool DGraphSoc::IsDimmed(const DGraphListConn& conn) const
{
    return focus != 0 && conn.Chooser()->id.GetValue() != focus && conn.Chosen()->id.GetValue() != focus;
}

void DGraphSoc::DrawLegend(QPainter& surface) const
{
    const int b = bottom_;
    surface.setPen(Pen(kBlack, 1));
    surface.setBrush(kWhite);
    surface.setFont(DPicture::Font(9));
    DGraphSocLine::Draw(surface, QPoint(0, b), QPoint(right_, b));

    const DLanguage& lang = DLanguage::Active();
    const QString text =
        QStringList{lang.GetStr(23100), lang.GetStr(23110), lang.GetStr(23120), lang.GetStr(23130), lang.GetStr(23140)}
            .join(QLatin1Char('\n'));
    surface.drawText(Area(100, b + 2, right_, b + 5 * th_ + 5), Qt::AlignLeft | Qt::AlignTop, text);

    for (int shift : {0, 14, 28})
    {
        const QLine arrow[3] = {QLine(10, b + 10 + shift, 20, b + 5 + shift),
                                QLine(20, b + 5 + shift, 20, b + 15 + shift),
                                QLine(20, b + 15 + shift, 10, b + 10 + shift)};
        DGraphSocLine::Draw(surface, arrow, 3);
    }
    // The first-choice sample is one pixel wider than its 2-pixel pen, so
    // that it reads as thicker at legend size.
    surface.setPen(Pen(kBlack, 3));
    DGraphSocLine::Draw(surface, QPoint(21, b + 10), QPoint(80, b + 10));
    surface.setPen(Pen(kBlack, 1));
    DGraphSocLine::Draw(surface, QPoint(20, b + 24), QPoint(80, b + 24));
    surface.setPen(Pen(kBlack, 1, Qt::DotLine));
    DGraphSocLine::Draw(surface, QPoint(20, b + 38), QPoint(80, b + 38));
    const DPalette& palette = DPalette::Active();
    surface.setPen(Pen(palette.acceptanceLine, 3));
    DGraphSocLine::Draw(surface, QPoint(11, b + 52), QPoint(80, b + 52));
    surface.setPen(Pen(palette.rejectionLine, 3, palette.RejectionStyle(Qt::SolidLine)));
    DGraphSocLine::Draw(surface, QPoint(11, b + 66), QPoint(80, b + 66));
}

void DGraphSoc::BmpToImg()
{
    EError::Guard("DGraphSoc::BmpToImg()",
                  [&]
                  {
                      // Shared until one of the two is painted on.
                      if (picture_)
                          *picture_ = bitmap_;
                  });
}

QPoint DGraphSoc::SubjOrigGet(const DSubjElem& subject) const
{
    return EError::Guard("DGraphSoc::SubjOrigGet()", [&]
                         { return type.IsPositive() ? subject.soci.acceptance.Get() : subject.soci.rejection.Get(); });
}

DSubjElemSociOrig& DGraphSoc::SubjOrig(DSubjElem& subject) const
{
    return type.IsPositive() ? subject.soci.acceptance : subject.soci.rejection;
}

bool DGraphSoc::GridPosition(qint32 k, int right, int bottom, int s, QPoint& position)
{
    const int cols = right / (2 * s);
    const int rows = bottom / (2 * s);
    if (k < 1 || k > cols * rows)
        return false;
    const int row = (k - 1) / cols;
    const int col = (k - 1) % cols;
    position = QPoint(2 * s * col + s, 2 * s * row + s);
    return true;
}

void DGraphSoc::SubjOrigVer(DSubjElem& subject)
{
    EError::Guard("DGraphSoc::SubjOrigVer()",
                  [&]
                  {
                      const int m = subjDim.Margin();
                      const QPoint p = SubjOrigGet(subject);
                      if (m < p.x() && p.x() < right_ - m && m < p.y() && p.y() < bottom_ - m)
                          return;
                      // Placement by the program, not a change by the user.
                      QPoint cell;
                      if (GridPosition(subject.id.GetValue(), right_, bottom_, subjDim.Get(), cell))
                      {
                          SubjOrig(subject).Set(false, cell.x(), cell.y());
                          return;
                      }
                      // Strictly inside the margins, so the next check keeps the place
                      // instead of drawing a new one every time.
                      auto rnd = [](int n) { return int(QRandomGenerator::global()->bounded(qMax(n, 1))); };
                      const int x = rnd(right_ - 2 * m - 1) + m + 1;
                      const int y = rnd(bottom_ - 2 * m - 1) + m + 1;
                      SubjOrig(subject).Set(false, x, y);
                  });
}

void DGraphSoc::PrepareSubj(DSubjElem& subject) const
{
    EError::Guard("DGraphSoc::PrepareSubj()",
                  [&]
                  {
                      const int s = subjDim.Get();
                      QImage box = DPicture::Make(s, s);
                      if (look.plainCircles && subject.sex.IsFemale())
                      {
                          // Corners that let the lines and boxes below show through.
                          box = box.convertToFormat(QImage::Format_ARGB32_Premultiplied);
                          box.fill(Qt::transparent);
                      }
                      QPainter surface(&box);
                      PaintBox(surface, subject, true);
                      surface.end();
                      subject.soci.picture = box; // releases the previous picture
                  });
}

void DGraphSoc::PaintBox(QPainter& surface, const DSubjElem& subject, bool groups) const
{
    const int s = subjDim.Get();
    surface.setRenderHint(QPainter::Antialiasing, false);
    const std::size_t index = std::size_t(subject.id.GetValue() - 1);
    if (groups && index < groupOf.size() && groupOf[index] >= 0)
        DSubjBox::PaintShape(surface, QRect(0, 0, s - 1, s - 1), subject, DPalette::Group(groupOf[index]));
    else
        DSubjBox::PaintShape(surface, QRect(0, 0, s - 1, s - 1), subject);
    surface.setFont(DPicture::Font(8));
    const QString id = QString::number(subject.id.GetValue());
    if (subjDim.IsLarge())
    {
        CentredText(surface, Area(1, 2, s - 1, s / 3 + 2), id);
        CentredText(surface, Area(1, s / 3 + 1, s - 1, 2 * (s / 3) - 1), subject.appe.Surname().ToString(3));
        CentredText(surface, Area(1, 2 * (s / 3) - 2, s - 1, s - 2), subject.appe.Name().ToString(3));
    }
    else
        CentredText(surface, Area(0, 0, s, s), id);
}

void DGraphSoc::PaintSubj(QPainter& surface, const DSubjElem& subject) const
{
    EError::Guard("DGraphSoc::DrawSubj()",
                  [&]
                  {
                      // The box drawn in place rather than copied as a bitmap, so
                      // that a vector surface keeps its shapes and texts.
                      const int half = subjDim.Get() / 2;
                      surface.save();
                      surface.translate(SubjOrigGet(subject) - QPoint(half, half));
                      PaintBox(surface, subject, false);
                      surface.restore();
                  });
}

void DGraphSoc::DrawSubj(QPainter& surface, const DSubjElem& subject) const
{
    EError::Guard("DGraphSoc::DrawSubj()",
                  [&]
                  {
                      const QImage& box = subject.soci.picture;
                      if (box.isNull())
                          return; // not prepared by a full drawing yet
                      const int half = subjDim.Get() / 2;
                      const QPoint p = SubjOrigGet(subject);
                      surface.drawImage(QPoint(p.x() - half, p.y() - half), box);
                      if (pins.Is(type.IsPositive(), subject.id.GetValue()))
                      {
                          // A small black head in the top right corner, clear of the texts.
                          surface.save();
                          surface.setPen(Qt::NoPen);
                          surface.setBrush(kBlack);
                          surface.drawEllipse(QRect(p.x() + half - 9, p.y() - half + 2, 7, 7));
                          surface.restore();
                      }
                  });
}

void DGraphSoc::SociogramPrepare(DSubjList& subjects)
{
    EError::Guard("DSubjList::SociogramPrepare()",
                  [&]
                  {
                      std::vector<DGraphListSubj>& list = owner_->Subjects();
                      list.clear();
                      list.reserve(subjects.Get().size());
                      for (DSubjElem& subject : subjects.Get())
                          list.emplace_back(*owner_, subject);
                      owner_->GetConnections(type.IsPositive());
                  });
}

bool DGraphSoc::IsChangedByUser() const
{
    return EError::Guard("DGraphSoc::IsChangedByUser()",
                         [&]
                         {
                             // The connection mode while moving is stored with the test like the
                             // other options, so closing must not lose it either.
                             return type.IsChangedByUser() || subjDim.IsChangedByUser() || size.IsChangedByUser() ||
                                    elas.IsChangedByUser();
                         });
}

void DGraphSoc::ToFile(DFileStream& stream)
{
    EError::Guard("DGraphSoc::ToFile()",
                  [&]
                  {
                      type.ToFile(stream);
                      subjDim.ToFile(stream);
                      size.ToFile(stream);
                      elas.ToFile(stream);
                  });
}

void DGraphSoc::FromFile(DFileStream& stream)
{
    EError::Guard("DGraphSoc::FromFile()",
                  [&]
                  {
                      type.FromFile(stream);
                      subjDim.FromFile(stream);
                      size.FromFile(stream);
                      elas.FromFile(stream);
                  });
}

void DGraphSoc::TakeData(const DGraphSoc& other)
{
    EError::Guard("DGraphSoc::TakeData()",
                  [&]
                  {
                      type = other.type;
                      subjDim = other.subjDim;
                      size = other.size;
                      elas = other.elas;
                      look = other.look;
                      rings = other.rings;
                  });
}
