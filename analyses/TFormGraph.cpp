#include "analyses/TFormGraph.h"

#include "analyses/DPicture.h"
#include "app/DGlyph.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{
constexpr int kStripWidth = 61;
// The glyphs are painted at twice their size so they stay sharp on screens
// with a device pixel ratio of 2.
constexpr int kGlyphRatio = 2;
// A picture exists before the first drawing, so the clipboard never gets
// an empty one.
constexpr int kStartSize = 100;
constexpr int kDrawSize = 1000;

void PaintOptions(QPainter& p)
{
    // Three sliders, like the settings of a mixing desk.
    const QColor knobs[] = {QColor(0, 128, 0), QColor(200, 0, 0), QColor(30, 90, 200)};
    const int knobX[] = {28, 58, 40};
    for (int i = 0; i < 3; ++i)
    {
        const int y = 18 + i * 26;
        p.setPen(QPen(QColor(90, 90, 90), 6, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(10, y, 78, y);
        p.setPen(QPen(Qt::black, 2));
        p.setBrush(knobs[i]);
        p.drawEllipse(QPoint(knobX[i], y), 9, 9);
    }
}

void PaintClipboard(QPainter& p)
{
    p.setPen(QPen(QColor(90, 60, 30), 2));
    p.setBrush(QColor(180, 130, 70));
    p.drawRoundedRect(QRect(12, 8, 64, 76), 6, 6);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRect(20, 18, 48, 58));
    // A small picture on the sheet: what the button copies.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(175, 238, 238));
    p.drawRect(QRect(25, 30, 38, 36));
    p.setBrush(QColor(0, 128, 0));
    p.drawRect(QRect(30, 44, 7, 22));
    p.setBrush(QColor(200, 0, 0));
    p.drawRect(QRect(41, 52, 7, 14));
    p.setBrush(QColor(255, 192, 203));
    p.drawRect(QRect(52, 38, 7, 28));
    p.setPen(QPen(QColor(60, 60, 60), 2));
    p.setBrush(QColor(200, 200, 200));
    p.drawRoundedRect(QRect(30, 3, 28, 14), 4, 4);
}

void PaintFileExport(QPainter& p)
{
    // A text document with a folded corner and an arrow leaving it.
    QPainterPath sheet;
    sheet.moveTo(10, 6);
    sheet.lineTo(48, 6);
    sheet.lineTo(62, 20);
    sheet.lineTo(62, 82);
    sheet.lineTo(10, 82);
    sheet.closeSubpath();
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawPath(sheet);
    p.drawPolyline(QPolygon({QPoint(48, 6), QPoint(48, 20), QPoint(62, 20)}));
    p.setPen(QPen(QColor(80, 80, 80), 3));
    for (int y = 32; y <= 72; y += 10)
        p.drawLine(18, y, 52, y);
    p.setPen(QPen(QColor(0, 80, 0), 2));
    p.setBrush(QColor(0, 160, 0));
    p.drawPath(DGlyph::BlockArrow(44, 64, 84, 58, 8, 18));
}
} // namespace

TFormGraph::TFormGraph(DTest& test, DLanguage& language, const char* name, int panelWidth, bool toggles,
                       QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), drawModule_(QByteArray(name) + "::Draw()"),
      optModule_(QByteArray(name) + "::OptSbClick()"), clipModule_(QByteArray(name) + "::ClipExpSbClick()"),
      picture_(DPicture::Make(kStartSize, kStartSize))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    StripPn = new QWidget(this);
    StripPn->setFixedWidth(kStripWidth);
    layout->addWidget(StripPn);
    OptSb = AddStripButton(Glyph::Options, 2, 2);
    OptSb->setCheckable(toggles);
    ClipExpSb = AddStripButton(Glyph::Clipboard, 2, 59);
    connect(OptSb, &QToolButton::clicked, this, &TFormGraph::OptSbClick);
    connect(ClipExpSb, &QToolButton::clicked, this, &TFormGraph::ClipExpSbClick);

    OptPn = new QWidget(this);
    OptPn->setFixedWidth(panelWidth);
    optLayout_ = new QVBoxLayout(OptPn);
    optLayout_->setContentsMargins(6, 8, 0, 6);
    optLayout_->setSpacing(6);
    optLayout_->addStretch(1);
    OptPn->hide();
    layout->addWidget(OptPn);

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image = new QLabel;
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setWidget(Image);
    layout->addWidget(ScrollBox1, 1);
    ShowPicture();
}

QIcon TFormGraph::GlyphIcon(Glyph glyph)
{
    switch (glyph)
    {
    case Glyph::Options:
        return DGlyph::Icon(kIconSize, PaintOptions, kGlyphRatio);
    case Glyph::Clipboard:
        return DGlyph::Icon(kIconSize, PaintClipboard, kGlyphRatio);
    case Glyph::FileExport:
        return DGlyph::Icon(kIconSize, PaintFileExport, kGlyphRatio);
    }
    return {};
}

QToolButton* TFormGraph::AddStripButton(Glyph glyph, int x, int y)
{
    QToolButton* button = MakeStripButton(StripPn, GlyphIcon(glyph));
    button->move(x, y);
    return button;
}

void TFormGraph::PlaceStripButtons(QPoint opt, QPoint clip)
{
    OptSb->move(opt);
    ClipExpSb->move(clip);
}

QGroupBox* TFormGraph::AddGroup(int width, int height)
{
    auto* group = new QGroupBox(OptPn);
    group->setFixedWidth(width);
    // The height is the least the box takes: a larger font gets its room.
    group->setMinimumHeight(height);
    group->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Maximum);
    auto* inner = new QVBoxLayout(group);
    inner->setContentsMargins(10, 4, 10, 8);
    // Before the closing stretch, so the boxes stack from the top.
    optLayout_->insertWidget(optLayout_->count() - 1, group);
    return group;
}

QComboBox* TFormGraph::AddCombo(QGroupBox* group, const char* module, std::function<void(QComboBox*)> update)
{
    auto* combo = new QComboBox(group);
    group->layout()->addWidget(combo);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo, module, update = std::move(update)] { OptionChanged(module, [&] { update(combo); }); });
    return combo;
}

QListWidget* TFormGraph::AddCheckList(QGroupBox* group, const char* module,
                                      std::function<void(QListWidget*)> update)
{
    auto* list = new QListWidget(group);
    group->layout()->addWidget(list);
    connect(list, &QListWidget::itemChanged, this,
            [this, list, module, update = std::move(update)] { OptionChanged(module, [&] { update(list); }); });
    return list;
}

void TFormGraph::SetGroupTexts(QGroupBox* group, int captionId, int hintId)
{
    group->setTitle(language_.GetStr(captionId));
    const QString hint = language_.GetStr(hintId);
    group->setToolTip(hint);
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        child->setToolTip(hint);
}

void TFormGraph::SetStripHints(int optId, int clipId)
{
    OptSb->setToolTip(language_.GetStr(optId));
    ClipExpSb->setToolTip(language_.GetStr(clipId));
}

void TFormGraph::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    ViewDesc();
}

void TFormGraph::Draw()
{
    if (!IsTabShown())
        return;
    picture_ = DPicture::Make(kDrawSize, kDrawSize);
    language_.Handle(drawModule_.constData(), [&] {
        DrawOptions();
        DrawPicture(picture_);
    });
    ShowPicture();
}

void TFormGraph::DrawImage()
{
    if (!IsTabShown())
        return;
    picture_ = DPicture::Make(kDrawSize, kDrawSize);
    language_.Handle(drawModule_.constData(), [&] { DrawPicture(picture_); });
    ShowPicture();
}

void TFormGraph::ShowPicture()
{
    Image->setPixmap(QPixmap::fromImage(picture_));
    Image->resize(picture_.size());
}

void TFormGraph::OptionChanged(const char* module, const std::function<void()>& update)
{
    bool stored = false;
    language_.Handle(module, [&] {
        update();
        stored = true;
    });
    if (stored)
        DrawImage();
}

void TFormGraph::OptSbClick()
{
    language_.Handle(optModule_.constData(), [&] {
        OptPn->setHidden(!OptPn->isHidden());
        if (OptSb->isCheckable())
            OptSb->setChecked(!OptPn->isHidden());
    });
}

void TFormGraph::ClipExpSbClick()
{
    language_.Handle(clipModule_.constData(), [&] { QGuiApplication::clipboard()->setImage(picture_); });
}
