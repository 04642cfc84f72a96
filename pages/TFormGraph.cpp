#include "pages/TFormGraph.h"
#include "kit/DMessages.h"

#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "kit/DGlyph.h"
#include "kit/TScrollPanel.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "pages/TGraphOutput.h"
#include "pages/commands/DCommandGraphOptions.h"

#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPixmap>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int kStripWidth = 61;
// A picture exists before the first drawing, so the clipboard never gets
// an empty one.
constexpr int kStartSize = 100;
constexpr int kDrawSize = 1000;

// What the history calls a change of the options of the page of that name.
int OptionsTextId(const char* name)
{
    const QByteArray page(name);
    return page == "TFormGraphBar" ? 26400 : page == "TFormGraphTar" ? 26410 : 26430;
}

// The picture's name for screen readers: the name of the page's tab.
int PictureTextId(const char* name)
{
    const QByteArray page(name);
    return page == "TFormGraphBar" ? 17001 : page == "TFormGraphTar" ? 21001 : 25000;
}

DGraphPainting::Analysis AnalysisOf(const char* name)
{
    const QByteArray page(name);
    using Analysis = DGraphPainting::Analysis;
    return page == "TFormGraphBar" ? Analysis::Bar : page == "TFormGraphTar" ? Analysis::Target : Analysis::Metrics;
}

} // namespace

TFormGraph::TFormGraph(DTest& test, DLanguage& language, const char* name, int panelWidth, bool toggles,
                       QWidget* parent)
    : TFormPage(parent), test_(test), language_(language), drawModule_(QByteArray(name) + "::Draw()"),
      optModule_(QByteArray(name) + "::OptSbClick()"), clipModule_(QByteArray(name) + "::ClipExpSbClick()"),
      picture_(DPicture::Make(kStartSize, kStartSize)), optionsTextId_(OptionsTextId(name)),
      pictureTextId_(PictureTextId(name)), panelWidth_(panelWidth)
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
    Output = new TGraphOutput(test, language, AnalysisOf(name), name, StripPn, 114);

    OptPn = new QWidget(this);
    // At least this wide, wider when a text of its boxes needs it.
    OptPn->setMinimumWidth(panelWidth);
    OptPn->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    optLayout_ = new QVBoxLayout(OptPn);
    optLayout_->setContentsMargins(6, 8, 0, 6);
    optLayout_->setSpacing(6);
    optLayout_->addStretch(1);
    OptPn->hide();
    layout->addWidget(new TScrollPanel(OptPn, this));

    ScrollBox1 = new QScrollArea(this);
    ScrollBox1->setWidgetResizable(false);
    ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Image = new QLabel;
    Image->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ScrollBox1->setWidget(Image);
    layout->addWidget(ScrollBox1, 1);
    ShowPicture(false);
}

qreal TFormGraph::ScreenRatio(const QWidget& widget, QSize size)
{
    const qreal ratio = widget.devicePixelRatioF();
    const qreal pixels = qreal(size.width()) * size.height() * ratio * ratio;
    return ratio > 1 && pixels <= qreal(kPixelBudget) ? ratio : 1.0;
}

QIcon TFormGraph::GlyphIcon(Glyph glyph)
{
    return DGlyph::PageIcon(glyph, kIconSize);
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
    // The width is the least the box takes: its title and the longest
    // choice of its drop-down get the room they need, in either language.
    group->setMinimumWidth(width);
    // The height is the least the box takes: a larger font gets its room.
    group->setMinimumHeight(height);
    group->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* inner = new QVBoxLayout(group);
    inner->setContentsMargins(10, 4, 10, 8);
    // Before the closing stretch, so the boxes stack from the top.
    optLayout_->insertWidget(optLayout_->count() - 1, group);
    return group;
}

QComboBox* TFormGraph::AddCombo(QGroupBox* group, const char* module, std::function<void(QComboBox*)> update)
{
    auto* combo = new QComboBox(group);
    // Refilled in the language of the moment: its width follows its items.
    combo->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    group->layout()->addWidget(combo);
    // Tab reads the options before the picture beside them.
    setTabOrder(combo, ScrollBox1);
    connect(combo, &QComboBox::currentIndexChanged, this,
            [this, combo, module, update = std::move(update)] { OptionChanged(module, [&] { update(combo); }); });
    return combo;
}

QListWidget* TFormGraph::AddCheckList(QGroupBox* group, const char* module, std::function<void(QListWidget*)> update)
{
    auto* list = new QListWidget(group);
    // The list takes the box's width rather than widening the panel.
    list->setSizePolicy(QSizePolicy::Ignored, list->sizePolicy().verticalPolicy());
    group->layout()->addWidget(list);
    setTabOrder(list, ScrollBox1);
    connect(list, &QListWidget::itemChanged, this,
            [this, list, module, update = std::move(update)] { OptionChanged(module, [&] { update(list); }); });
    return list;
}

void TFormGraph::SetGroupTexts(QGroupBox* group, int captionId, int hintId)
{
    group->setTitle(language_.GetStr(captionId));
    const QString hint = language_.GetStr(hintId);
    group->setToolTip(hint);
    // The toolkit tells screen readers that the caption labels a drop-down
    // list in the box, not that it names a list of check boxes.
    for (QWidget* child : group->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    {
        child->setToolTip(hint);
        if (qobject_cast<QAbstractItemView*>(child))
            child->setAccessibleName(group->title());
    }
}

void TFormGraph::SetStripHints(int optId, int clipId)
{
    SetHint(OptSb, language_.GetStr(optId));
    SetHint(ClipExpSb, language_.GetStr(clipId));
    Output->ViewDesc();
    ScrollBox1->setAccessibleName(language_.GetStr(pictureTextId_));
    ScrollBox1->setAccessibleDescription(language_.GetStr(35520));
}

void TFormGraph::showEvent(QShowEvent* event)
{
    TFormPage::showEvent(event);
    ViewDesc();
    FitOptions();
}

void TFormGraph::Draw()
{
    if (!IsTabShown())
        return;
    picture_ = DPicture::Make(kDrawSize, kDrawSize);
    bool drawn = false;
    DMessages::Handle(language_, drawModule_.constData(),
                      [&]
                      {
                          DrawOptions();
                          DrawPicture(picture_);
                          drawn = true;
                      });
    FitOptions();
    ShowPicture(drawn);
}

void TFormGraph::FitOptions()
{
    // The panel is as wide as its widest box needs, so no title or
    // drop-down choice is cut in either language; the boxes fill it. The
    // boxes' wishes are read here rather than left to the layouts, which a
    // hidden panel never runs.
    int boxes = 0;
    for (QGroupBox* group : OptPn->findChildren<QGroupBox*>(Qt::FindDirectChildrenOnly))
    {
        group->updateGeometry();
        boxes = std::max({boxes, group->minimumWidth(), group->sizeHint().width(), group->minimumSizeHint().width()});
    }
    const QMargins margins = optLayout_->contentsMargins();
    OptPn->setMinimumWidth(std::max(panelWidth_, boxes + margins.left() + margins.right()));
    optLayout_->invalidate();
}

void TFormGraph::DrawImage()
{
    if (!IsTabShown())
        return;
    picture_ = DPicture::Make(kDrawSize, kDrawSize);
    bool drawn = false;
    DMessages::Handle(language_, drawModule_.constData(),
                      [&]
                      {
                          DrawPicture(picture_);
                          drawn = true;
                      });
    ShowPicture(drawn);
}

void TFormGraph::ShowPicture(bool drawn)
{
    QImage shown = picture_;
    if (const qreal ratio = ScreenRatio(*Image, picture_.size()); drawn && ratio != 1)
    {
        // Drawn again rather than scaled, so that every line and letter is
        // made of the screen's own pixels. The drawing just succeeded at
        // 96 dpi; should the denser one fail all the same, the screen shows
        // the plain picture rather than an error a second time.
        const DPicture::Ratio dense(ratio);
        QImage picture = DPicture::Make(kDrawSize, kDrawSize);
        try
        {
            DrawPicture(picture);
            shown = picture;
        }
        catch (const EError&)
        {
        }
    }
    Image->setPixmap(QPixmap::fromImage(shown));
    Image->resize(picture_.size());
    PictureShown();
}

void TFormGraph::OptionChanged(const char* module, const std::function<void()>& update)
{
    bool stored = false;
    DMessages::Handle(language_, module,
                      [&]
                      {
                          DCommandGraphOptions::Run(test_, optionsTextId_, update, Pusher());
                          stored = true;
                      });
    if (stored)
        DrawImage();
}

void TFormGraph::OptSbClick()
{
    DMessages::Handle(language_, optModule_.constData(),
                      [&]
                      {
                          OptPn->setHidden(!OptPn->isHidden());
                          FitOptions();
                          if (OptSb->isCheckable())
                              OptSb->setChecked(!OptPn->isHidden());
                      });
}

void TFormGraph::ClipExpSbClick()
{
    DMessages::Handle(language_, clipModule_.constData(), [&] { QGuiApplication::clipboard()->setImage(picture_); });
}

std::optional<TFormCsvOpt::Choice> TFormGraph::AskCsv(bool offerCategories)
{
    return TFormCsvOpt::Ask(this, language_, offerCategories, csvDialogs_);
}
