#include "pages/TFormGraphSoc.h"
#include "kit/DMessages.h"
#include "kit/TScrollPanel.h"
#include "pages/DViews.h"
#include "pages/TGraphOutput.h"
#include "pages/commands/DCommandGraphOptions.h"
#include "pages/commands/DCommandSocMove.h"
#include "pages/commands/DCommandWhole.h"

#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSoc.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "pages/TFormGraph.h"
#include "subjects/DSubjElem.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace
{
QGroupBox* GroupBox(QWidget* parent, int x, int y, int width, int height)
{
    auto* box = new QGroupBox(parent);
    box->setGeometry(x, y, width, height);
    return box;
}

QComboBox* DropDown(QGroupBox* box, int width)
{
    auto* combo = new QComboBox(box);
    combo->setGeometry(11, 18, width, 21);
    return combo;
}
} // namespace

TFormGraphSocImage::TFormGraphSocImage(TFormGraphSoc& page, QWidget* parent)
    : QWidget(parent), page_(page), picture_(DPicture::Make(100, 100))
{
    // Hovering selects subjects, so every move counts, not only drags.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    FitPicture();
}

void TFormGraphSocImage::FitPicture()
{
    // In the 96-dpi pixels the sociogram and the mouse work in, whatever the
    // density of the picture.
    setFixedSize(picture_.deviceIndependentSize().toSize());
    update();
}

void TFormGraphSocImage::paintEvent(QPaintEvent* event)
{
    QPainter surface(this);
    const qreal ratio = picture_.devicePixelRatio();
    for (const QRect& rect : event->region())
        surface.drawImage(rect.topLeft(), picture_,
                          ratio == 1.0 ? QRectF(rect)
                                       : QRectF(QPointF(rect.topLeft()) * ratio, QSizeF(rect.size()) * ratio));
}

void TFormGraphSocImage::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    page_.ImageMouseMove(p.x(), p.y());
}

void TFormGraphSocImage::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    page_.ImageMouseDown(event->button(), p.x(), p.y());
}

void TFormGraphSocImage::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    page_.ImageMouseUp(event->button(), p.x(), p.y());
}

void TFormGraphSocImage::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Not a press: the second click of a double click must not start a drag.
    const QPoint p = event->position().toPoint();
    page_.ImageDoubleClick(event->button(), p.x(), p.y());
}

void TFormGraphSocImage::contextMenuEvent(QContextMenuEvent* event)
{
    page_.ImageContextMenu(event->globalPos(), event->pos().x(), event->pos().y());
}

void TFormGraphSocImage::leaveEvent(QEvent* event)
{
    page_.ImageMouseLeave();
    QWidget::leaveEvent(event);
}

TFormGraphSoc::TFormGraphSoc(DTest& test, DLanguage& language, QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), soc_(test.graph.soc)
{
    CreateControls();
    ViewDesc();
}

void TFormGraphSoc::CreateControls()
{
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);

    auto* strip = new QWidget(this);
    strip->setFixedWidth(62);
    // The strip buttons look like those of the other analysis pages.
    OptSb = MakeStripButton(strip, TFormGraph::GlyphIcon(TFormGraph::Glyph::Options));
    OptSb->move(2, 2);
    OptSb->setCheckable(true);
    ClipExpSb = MakeStripButton(strip, TFormGraph::GlyphIcon(TFormGraph::Glyph::Clipboard));
    ClipExpSb->move(2, 57);
    Output = new TGraphOutput(test_, language_, DGraphPainting::Analysis::Sociogram, "TFormGraphSoc", strip, 112);

    OptPn = new QWidget(this);
    OptPn->setFixedWidth(232);
    OptPn->hide();

    OptTypeGb = GroupBox(OptPn, 8, 8, 217, 51);
    OptTypeCb = DropDown(OptTypeGb, 193);
    OptSubjDimGb = GroupBox(OptPn, 6, 65, 217, 49);
    OptSubjDimCb = DropDown(OptSubjDimGb, 191);

    OptQuesGb = GroupBox(OptPn, 6, 120, 216, 97);
    OptQuesLb = new QListWidget(OptQuesGb);
    OptQuesLb->setGeometry(11, 18, 193, 71);
    OptQuesLb->setUniformItemSizes(true);
    OptQuesLb->setSpacing(0);

    OptDimGb = GroupBox(OptPn, 6, 223, 216, 67);
    OptDimXLb = new QLabel(OptDimGb);
    OptDimXLb->setGeometry(16, 17, 60, 13);
    OptDimXLe = new QLineEdit(OptDimGb);
    OptDimXLe->setGeometry(16, 32, 49, 21);
    OptDimXLb->setBuddy(OptDimXLe);
    OptDimYLb = new QLabel(OptDimGb);
    OptDimYLb->setGeometry(87, 17, 60, 13);
    OptDimYLe = new QLineEdit(OptDimGb);
    OptDimYLe->setGeometry(87, 32, 49, 21);
    OptDimYLb->setBuddy(OptDimYLe);
    OptDimBt = new QPushButton(OptDimGb);
    OptDimBt->setGeometry(150, 29, 55, 25);

    OptElasGb = GroupBox(OptPn, 6, 296, 219, 49);
    OptElasCb = DropDown(OptElasGb, 191);

    OptArrGb = GroupBox(OptPn, 6, 351, 219, 55);
    OptArrTiesBt = new QPushButton(OptArrGb);
    OptArrTiesBt->setGeometry(11, 20, 95, 25);
    OptArrRingsBt = new QPushButton(OptArrGb);
    OptArrRingsBt->setGeometry(112, 20, 95, 25);

    OptLookGb = GroupBox(OptPn, 6, 412, 219, 91);
    OptNamesAboveCb = new QCheckBox(OptLookGb);
    OptNamesAboveCb->setGeometry(11, 18, 200, 21);
    OptPlainCirclesCb = new QCheckBox(OptLookGb);
    OptPlainCirclesCb->setGeometry(11, 41, 200, 21);
    OptTopmostPickCb = new QCheckBox(OptLookGb);
    OptTopmostPickCb->setGeometry(11, 64, 200, 21);

    PinPm = new QMenu(this);
    PinAc = PinPm->addAction(QString());
    PinPm->addSeparator();
    ArrTiesAc = PinPm->addAction(QString());
    ArrRingsAc = PinPm->addAction(QString());

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    ScrollBox1->setWidgetResizable(false);
    Image = new TFormGraphSocImage(*this);
    ScrollBox1->setWidget(Image);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(strip);
    layout->addWidget(new TScrollPanel(OptPn, this));
    layout->addWidget(ScrollBox1, 1);

    connect(OptSb, &QToolButton::clicked, this, [this] { OptSbClick(); });
    connect(ClipExpSb, &QToolButton::clicked, this, [this] { ClipExpSbClick(); });
    // activated: the user's choices only, not the refills of Draw.
    connect(OptTypeCb, &QComboBox::activated, this, [this] { OptTypeCbChange(); });
    connect(OptSubjDimCb, &QComboBox::activated, this, [this] { OptSubjDimCbChange(); });
    connect(OptElasCb, &QComboBox::activated, this, [this] { OptElasCbChange(); });
    connect(OptQuesLb, &QListWidget::itemChanged, this, [this] { OptQuesLbClickCheck(); });
    connect(OptDimBt, &QPushButton::clicked, this, [this] { OptDimBtClick(); });
    connect(OptArrTiesBt, &QPushButton::clicked, this, [this] { OptArrangeBtClick(DGraphSocArrange::Kind::Ties); });
    connect(OptArrRingsBt, &QPushButton::clicked, this, [this] { OptArrangeBtClick(DGraphSocArrange::Kind::Rings); });
    for (QCheckBox* box : {OptNamesAboveCb, OptPlainCirclesCb, OptTopmostPickCb})
        connect(box, &QCheckBox::clicked, this, [this] { OptLookCbClick(); });
    connect(ArrTiesAc, &QAction::triggered, this, [this] { OptArrangeBtClick(DGraphSocArrange::Kind::Ties); });
    connect(ArrRingsAc, &QAction::triggered, this, [this] { OptArrangeBtClick(DGraphSocArrange::Kind::Rings); });
    connect(PinAc, &QAction::triggered, this,
            [this]
            {
                DMessages::Handle(language_, "TFormGraphSoc::PinAcClick()",
                                  [&]
                                  {
                                      // By identifier: the list may have changed while the menu was open.
                                      const std::vector<DSubjElem>& list = test_.subj.List().Get();
                                      if (menuSubjectId_ >= 1 && menuSubjectId_ <= qint32(list.size()))
                                          TogglePin(list[std::size_t(menuSubjectId_ - 1)]);
                                  });
            });
}

void TFormGraphSoc::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    DMessages::Handle(language_, "TFormGraphSoc::FormShow()", [&] { ViewDesc(); });
}

void TFormGraphSoc::ViewDesc()
{
    DMessages::Handle(language_, "TFormGraphSoc::ViewDesc()",
                      [&]
                      {
                          const DLanguage& l = language_;
                          SetHint(OptSb, l.GetStr(23000));
                          SetHint(ClipExpSb, l.GetStr(23010));
                          Output->ViewDesc();
                          ScrollBox1->setAccessibleName(l.GetStr(23001));
                          ScrollBox1->setAccessibleDescription(l.GetStr(35520));
                          OptTypeGb->setTitle(l.GetStr(24100));
                          OptTypeGb->setToolTip(l.GetStr(24110));
                          OptSubjDimGb->setTitle(l.GetStr(24200));
                          OptSubjDimGb->setToolTip(l.GetStr(24210));
                          OptQuesGb->setTitle(l.GetStr(24300));
                          OptQuesGb->setToolTip(l.GetStr(24310));
                          OptQuesLb->setAccessibleName(OptQuesGb->title());
                          OptDimGb->setTitle(l.GetStr(24400));
                          OptDimGb->setToolTip(l.GetStr(24410));
                          OptDimXLb->setText(l.GetStr(24420));
                          OptDimXLb->setToolTip(l.GetStr(24430));
                          OptDimXLe->setToolTip(l.GetStr(24430));
                          OptDimYLb->setText(l.GetStr(24440));
                          OptDimYLb->setToolTip(l.GetStr(24450));
                          OptDimYLe->setToolTip(l.GetStr(24450));
                          OptDimBt->setText(l.GetStr(24460));
                          OptDimBt->setToolTip(l.GetStr(24470));
                          OptElasGb->setTitle(l.GetStr(24500));
                          OptElasGb->setToolTip(l.GetStr(24510));
                          OptArrGb->setTitle(l.GetStr(29000));
                          OptArrGb->setToolTip(l.GetStr(29010));
                          OptArrTiesBt->setText(l.GetStr(29020));
                          OptArrTiesBt->setToolTip(l.GetStr(29030));
                          OptArrRingsBt->setText(l.GetStr(29040));
                          OptArrRingsBt->setToolTip(l.GetStr(29050));
                          ArrTiesAc->setText(l.GetStr(29080));
                          ArrRingsAc->setText(l.GetStr(29090));
                          OptLookGb->setTitle(l.GetStr(29200));
                          OptLookGb->setToolTip(l.GetStr(29210));
                          OptNamesAboveCb->setText(l.GetStr(29220));
                          OptPlainCirclesCb->setText(l.GetStr(29230));
                          OptTopmostPickCb->setText(l.GetStr(29240));
                      });
}

void TFormGraphSoc::Draw()
{
    if (!IsTabShown())
        return;
    DMessages::Handle(language_, "TFormGraphSoc::Draw()",
                      [&]
                      {
                          DViews::DrawOption(soc_.type, OptTypeCb);
                          DViews::DrawOption(soc_.subjDim, OptSubjDimCb);
                          DViews::DrawListSoc(test_.ques.List(), OptQuesLb, soc_.type.IsPositive());
                          DViews::DrawSize(soc_.size, OptDimXLe, OptDimYLe);
                          DViews::DrawOption(soc_.elas, OptElasCb);
                          OptNamesAboveCb->setChecked(soc_.look.namesAbove);
                          OptPlainCirclesCb->setChecked(soc_.look.plainCircles);
                          OptTopmostPickCb->setChecked(soc_.look.topmostPick);
                          DrawPicture();
                      });
}

void TFormGraphSoc::DrawPicture()
{
    current_ = false;
    liftedOut_ = false;
    overlay_.Forget();
    QImage& picture = Image->Picture();
    picture = DPicture::Make(1000, 1000);
    soc_.pins = test_.Pins();
    if (soc_.focus > qint32(test_.subj.List().Get().size()))
        soc_.focus = 0;
    try
    {
        // As dense as the screen's pixels, within the budget that keeps the
        // hover and the drag of a large sociogram fast.
        const DPicture::Ratio dense(TFormGraph::ScreenRatio(*Image, soc_.PictureSize()));
        soc_.Draw(test_.subj.List(), picture);
    }
    catch (...)
    {
        Image->FitPicture(); // white, at the size the sociogram gave it
        throw;
    }
    drawnData_ = test_.subj.List().Get().data();
    drawnCount_ = test_.subj.List().Get().size();
    current_ = true;
    // The full drawing keeps the selection but leaves it out of the picture;
    // show it where it is rather than have it missing until the mouse leaves it.
    DrawSelection();
    Image->FitPicture();
}

void TFormGraphSoc::OptSbClick()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptSbClick()",
                      [&]
                      {
                          OptPn->setVisible(!OptPn->isVisible());
                          OptSb->setChecked(OptPn->isVisible());
                      });
}

void TFormGraphSoc::ClipExpSbClick()
{
    DMessages::Handle(language_, "TFormGraphSoc::ClipExpSbClick()",
                      [&]
                      {
                          // The clipboard takes the picture at 96 dpi, whatever the screen's
                          // density, and without the pin marks and the focus, which help
                          // reading and arranging the picture but are not part of it.
                          const bool asShown = Image->Picture().devicePixelRatio() == 1.0 &&
                                               ((soc_.pins.IsEmpty() && soc_.focus == 0) || !IsCurrent());
                          QGuiApplication::clipboard()->setImage(asShown ? Image->Picture() : PlainPicture());
                      });
}

QImage TFormGraphSoc::PlainPicture()
{
    return EError::Guard("TFormGraphSoc::PlainPicture()",
                         [&]
                         {
                             const DGraphSocPins pins = soc_.pins;
                             const qint32 focus = std::exchange(soc_.focus, 0);
                             soc_.pins = DGraphSocPins();
                             // The screen's picture again, which the sociogram draws into from now on.
                             const auto restore = [&]
                             {
                                 soc_.pins = pins;
                                 soc_.focus = focus;
                                 DrawPicture();
                             };
                             QImage plain = DPicture::Make(1000, 1000);
                             try
                             {
                                 {
                                     const DPicture::Ratio one(1.0);
                                     soc_.Draw(test_.subj.List(), plain);
                                 }
                                 // The subject under the mouse as the screen shows it.
                                 DGraphSocOverlay selection;
                                 selection.Draw(plain, soc_);
                             }
                             catch (...)
                             {
                                 restore();
                                 throw;
                             }
                             restore();
                             return plain;
                         });
}

void TFormGraphSoc::OptTypeCbChange()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptTypeCbChange()",
                      [&]
                      {
                          ChangeOptions([&] { DViews::UpdateOption(soc_.type, OptTypeCb); });
                          DViews::DrawListSoc(test_.ques.List(), OptQuesLb, soc_.type.IsPositive());
                          Draw();
                      });
}

void TFormGraphSoc::OptSubjDimCbChange()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptSubjDimCbChange()",
                      [&]
                      {
                          ChangeOptions([&] { DViews::UpdateOption(soc_.subjDim, OptSubjDimCb); });
                          Draw();
                      });
}

void TFormGraphSoc::OptQuesLbClickCheck()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptQuesLbClickCheck()",
                      [&]
                      {
                          ChangeOptions(
                              [&] { DViews::GraphSocSelected(test_.ques.List(), OptQuesLb, soc_.type.IsPositive()); });
                          // Only the picture: refilling the list from within its own check
                          // signal would delete the item being changed, and it already
                          // shows the marks just stored.
                          if (IsTabShown())
                              DrawPicture();
                      });
}

void TFormGraphSoc::OptDimBtClick()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptDimBtClick()",
                      [&]
                      {
                          ChangeOptions([&] { DViews::UpdateSize(soc_.size, OptDimXLe, OptDimYLe); });
                          Draw();
                      });
}

void TFormGraphSoc::OptElasCbChange()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptElasCbChange()",
                      [&] { ChangeOptions([&] { DViews::UpdateOption(soc_.elas, OptElasCb); }); });
}

void TFormGraphSoc::OptLookCbClick()
{
    DMessages::Handle(language_, "TFormGraphSoc::OptLookCbClick()",
                      [&]
                      {
                          DGraphSocLook look;
                          look.namesAbove = OptNamesAboveCb->isChecked();
                          look.plainCircles = OptPlainCirclesCb->isChecked();
                          look.topmostPick = OptTopmostPickCb->isChecked();
                          ChangeOptions([&] { test_.SetLook(look, true); });
                          DrawPicture();
                      });
}

void TFormGraphSoc::ChangeOptions(const std::function<void()>& update)
{
    DCommandGraphOptions::Run(test_, 26420, update, Pusher());
}

void TFormGraphSoc::ImageMouseMove(int x, int y)
{
    DMessages::Handle(language_, "TFormGraphSoc::ImageMouseMove()", [&] { MouseMove(x, y); });
}

void TFormGraphSoc::ImageMouseDown(Qt::MouseButton button, int x, int y)
{
    DMessages::Handle(language_, "TFormGraphSoc::ImageMouseDown()",
                      [&]
                      {
                          if (button == Qt::LeftButton)
                              MouseLeftDown(x, y);
                      });
}

void TFormGraphSoc::ImageMouseUp(Qt::MouseButton button, int x, int y)
{
    DMessages::Handle(language_, "TFormGraphSoc::ImageMouseUp()",
                      [&]
                      {
                          if (button == Qt::LeftButton)
                              MouseLeftUp(x, y);
                      });
}

void TFormGraphSoc::ImageMouseLeave()
{
    // A mouse that left the picture hovers over no subject: the highlight
    // goes, so that neither the copy to the clipboard nor a later drawing
    // carries it.
    DMessages::Handle(language_, "TFormGraphSoc::ImageMouseLeave()",
                      [&]
                      {
                          DGraphSocSel& sel = soc_.Sel();
                          if (!IsCurrent() || sel.IsMoving() || !sel.ThereIs())
                              return;
                          const QRegion before = overlay_.Area();
                          RestoreBackground();
                          sel.Clear();
                          Image->update(before);
                      });
}

void TFormGraphSoc::ImageDoubleClick(Qt::MouseButton button, int x, int y)
{
    DMessages::Handle(language_, "TFormGraphSoc::ImageDoubleClick()",
                      [&]
                      {
                          if (button != Qt::LeftButton || !IsCurrent())
                              return;
                          if (DSubjElem* subject = SubjectAt(x, y))
                              TogglePin(*subject);
                      });
}

void TFormGraphSoc::ImageContextMenu(const QPoint& globalPosition, int x, int y)
{
    DMessages::Handle(language_, "TFormGraphSoc::ImageContextMenu()",
                      [&]
                      {
                          const DSubjElem* subject = IsCurrent() ? SubjectAt(x, y) : nullptr;
                          menuSubjectId_ = subject ? subject->id.GetValue() : 0;
                          const bool pinned = subject && soc_.pins.Is(soc_.type.IsPositive(), menuSubjectId_);
                          PinAc->setVisible(subject != nullptr);
                          PinAc->setText(language_.GetStr(pinned ? 29070 : 29060));
                          PinPm->popup(globalPosition);
                      });
}

void TFormGraphSoc::OptArrangeBtClick(DGraphSocArrange::Kind kind)
{
    DMessages::Handle(language_, "TFormGraphSoc::OptArrangeBtClick()",
                      [&]
                      {
                          soc_.Sel().MoveStop();
                          DGraphSocRings::Ring rings;
                          const std::vector<QPoint> positions =
                              DGraphSocArrange::Arrange(soc_, test_.subj.List(), kind, test_.Pins(), &rings);
                          ApplyPositions(soc_.type.IsPositive(), positions, rings);
                      });
}

void TFormGraphSoc::ApplyPositions(bool acceptance, const std::vector<QPoint>& positions,
                                   const DGraphSocRings::Ring& rings)
{
    EError::Guard("TFormGraphSoc::ApplyPositions()",
                  [&]
                  {
                      // One step for the whole arrangement, holding only the boxes it moved.
                      const std::vector<DSubjElem>& list = test_.subj.List().Get();
                      if (positions.size() != list.size())
                          throw EError(50020, {"TFormGraphSoc::ApplyPositions()"});
                      std::vector<DCommandSocMove::Move> moves;
                      for (std::size_t i = 0; i < list.size(); ++i)
                      {
                          const DSubjElemSociOrig& orig = acceptance ? list[i].soci.acceptance : list[i].soci.rejection;
                          if (orig.Get() != positions[i])
                              moves.push_back({qint32(i), orig.Get(), positions[i]});
                      }
                      // The rings come and go with the arrangement that drew them.
                      const DGraphSocRings::Ring before = soc_.rings.Of(acceptance);
                      if (!moves.empty() || before != rings)
                          Push(new DCommandSocMove(test_, acceptance, std::move(moves), true,
                                                   DCommandSocMove::Rings{before, rings}));
                      DrawPicture();
                  });
}

void TFormGraphSoc::TogglePin(const DSubjElem& subject)
{
    EError::Guard("TFormGraphSoc::TogglePin()",
                  [&]
                  {
                      DGraphSocPins pins = test_.Pins();
                      const bool acceptance = soc_.type.IsPositive();
                      const qint32 id = subject.id.GetValue();
                      pins.Set(acceptance, id, !pins.Is(acceptance, id));
                      DCommandWhole::Run(
                          test_, 26460, [&] { test_.SetPins(pins, true); }, Pusher());
                      DrawPicture();
                  });
}

bool TFormGraphSoc::IsCurrent() const
{
    // The sociogram's lists refer to the subject records they were built
    // from; after the subject list was resized they must wait for the next
    // full drawing.
    const std::vector<DSubjElem>& list = test_.subj.List().Get();
    return current_ && list.data() == drawnData_ && list.size() == drawnCount_ &&
           Image->Picture().size() == soc_.Bitmap().size();
}

void TFormGraphSoc::MouseMove(int x, int y)
{
    EError::Guard("DGraphSoc::MouseMove()",
                  [&]
                  {
                      if (!IsCurrent())
                          return;
                      DGraphSocSel& sel = soc_.Sel();
                      if (sel.IsMoving())
                      {
                          if (!liftedOut_ && sel.ThereIs())
                          {
                              liftedOut_ = true;
                              RedrawBackground();
                          }
                          const QRegion before = overlay_.Area();
                          if (sel.ThereIs())
                          {
                              const QPoint p = soc_.subjDim.Drawable(QPoint(x - sel.Dx(), y - sel.Dy()), 0, 0,
                                                                     soc_.Right(), soc_.Bottom());
                              soc_.SubjOrig(sel.Get()).Set(true, p.x(), p.y());
                          }
                          RestoreBackground();
                          DrawSelection();
                          Image->update(before | overlay_.Area());
                          if (sel.ThereIs())
                          {
                              // Dragged out of sight, the view follows the box.
                              const QPoint p = soc_.SubjOrigGet(sel.Get());
                              const int h = soc_.subjDim.Get() / 2;
                              ScrollBox1->ensureVisible(p.x(), p.y(), h, h);
                          }
                          return;
                      }

                      if (sel.ThereIs() && IsMouseOn(x, y, sel.Get()))
                          return;
                      const QRegion before = overlay_.Area();
                      DSubjElem* subject = SubjectAt(x, y);
                      if (!subject && !sel.ThereIs())
                          return;
                      RestoreBackground();
                      if (subject)
                          sel.New(*subject);
                      else
                          sel.Clear();
                      DrawSelection();
                      Image->update(before | overlay_.Area());
                  });
}

void TFormGraphSoc::MouseLeftDown(int x, int y)
{
    EError::Guard("DGraphSoc::MouseLeftDown()",
                  [&]
                  {
                      DGraphSocSel& sel = soc_.Sel();
                      if (!IsCurrent())
                          return;
                      if (!sel.ThereIs() || !IsMouseOn(x, y, sel.Get()))
                      {
                          SetFocus(0);
                          return;
                      }
                      const QPoint p = soc_.SubjOrigGet(sel.Get());
                      sel.MoveStart(x - p.x(), y - p.y());
                      dragSubject_ = qint32(&sel.Get() - test_.subj.List().Get().data());
                      dragFrom_ = p;
                  });
}

void TFormGraphSoc::MouseLeftUp(int, int)
{
    // Ends any drag, also one whose subject was lost from the selection:
    // a drag left running would keep hovering from ever selecting again.
    EError::Guard("DGraphSoc::MouseLeftUp()",
                  [&]
                  {
                      soc_.Sel().MoveStop();
                      const qint32 subject = std::exchange(dragSubject_, -1);
                      if (!IsCurrent())
                          return;
                      // The background takes the dragged subject back at its new place.
                      if (std::exchange(liftedOut_, false))
                          RedrawBackground();
                      if (subject < 0)
                          return;
                      const DSubjElem& dragged = test_.subj.List().GetSelected(subject);
                      const QPoint to = soc_.SubjOrigGet(dragged);
                      if (to == dragFrom_)
                          SetFocus(dragged.id.GetValue());
                      else
                          Push(new DCommandSocMove(test_, soc_.type.IsPositive(), {{subject, dragFrom_, to}}));
                  });
}

void TFormGraphSoc::SetFocus(qint32 id)
{
    if (soc_.focus == id)
        return;
    soc_.focus = id;
    RedrawBackground();
}

bool TFormGraphSoc::IsMouseOn(int x, int y, const DSubjElem& subject) const
{
    return EError::Guard("DSubjElemSoci::IsMouseOn()",
                         [&]
                         {
                             const int h = soc_.subjDim.Get() / 2;
                             const QPoint p = soc_.SubjOrigGet(subject);
                             const qint64 dx = x - p.x();
                             const qint64 dy = y - p.y();
                             if (subject.sex.IsFemale())
                                 return qint64(std::sqrt(double(dx * dx + dy * dy))) <= h;
                             return std::abs(dx) <= h && std::abs(dy) <= h;
                         });
}

DSubjElem* TFormGraphSoc::SubjectAt(int x, int y)
{
    // The sociogram lists every subject in the order of the subject list and
    // draws them in that order, the last on top.
    std::vector<DSubjElem>& list = test_.subj.List().Get();
    if (soc_.look.topmostPick)
    {
        for (auto it = list.rbegin(); it != list.rend(); ++it)
            if (IsMouseOn(x, y, *it))
                return &*it;
        return nullptr;
    }
    for (DSubjElem& subject : list)
        if (IsMouseOn(x, y, subject))
            return &subject;
    return nullptr;
}

void TFormGraphSoc::DrawSelection()
{
    overlay_.Draw(Image->Picture(), soc_);
}

void TFormGraphSoc::RestoreBackground()
{
    overlay_.Restore(Image->Picture(), soc_.Bitmap());
}

void TFormGraphSoc::RedrawBackground()
{
    soc_.Draw();
    overlay_.Forget();
    DrawSelection();
    Image->update();
}
