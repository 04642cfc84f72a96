#include "pages/TFormGraphTar.h"
#include "pages/DViews.h"

#include "analyses/DGraphIndices.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarTable.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "lang/DRegistry.h"
#include "model/DCsv.h"
#include "model/DFileWriter.h"
#include "model/EError.h"
#include "pages/TGraphOutput.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QScrollArea>
#include <QToolButton>

#include <algorithm>

namespace
{
// Where the panel's toggle is remembered for the user.
const QString kPanelSection = QStringLiteral("TargetGraph");
const QString kPanelKey = QStringLiteral("CategoriesPanel");
// Below this the table's columns no longer show anything useful.
constexpr int kPanelLeast = 180;
} // namespace

TFormGraphTar::TFormGraphTar(DTest& test, DLanguage& language, QWidget* parent)
    : TFormGraph(test, language, "TFormGraphTar", 236, true, parent)
{
    PlaceStripButtons({2, 2}, {2, 57});
    ScrollBox1->setFrameShape(QFrame::NoFrame);
    DGraphTar& tar = test_.graph.tar;
    DQuesList& questions = test_.ques.List();

    OptStatGb = AddGroup(221, 49);
    OptStatCb = AddCombo(OptStatGb, "TFormGraphTar::OptStatCbChange()",
                         [&tar](QComboBox* combo) { DViews::UpdateOption(tar.stat, combo); });
    OptQuesGb = AddGroup(223, 102);
    OptQuesLb = AddCheckList(OptQuesGb, "TFormGraphTar::OptQuesLbClickCheck()",
                             [&questions](QListWidget* list) { DViews::GraphTarSelected(questions, list); });
    OptSubjDimGb = AddGroup(223, 54);
    OptSubjDimCb = AddCombo(OptSubjDimGb, "TFormGraphTar::OptSubjDimCbChange()",
                            [&tar](QComboBox* combo) { DViews::UpdateOption(tar.subjDim, combo); });

    // Below the clipboard; Print and Save picture as... move below it.
    CatSb = AddStripButton(Glyph::Table, 2, 114);
    Output->MoveTo(114 + kButtonSize);
    CatSb->setCheckable(true);
    // Tab goes down the strip as it shows.
    setTabOrder(ClipExpSb, CatSb);
    connect(CatSb, &QToolButton::clicked, this, &TFormGraphTar::CatSbClick);

    // The diagram and the panel share the place the picture had alone.
    auto* row = static_cast<QBoxLayout*>(layout());
    const int at = row->indexOf(ScrollBox1);
    row->removeWidget(ScrollBox1);
    CatSp = new QSplitter(Qt::Horizontal, this);
    CatSp->setChildrenCollapsible(false);
    CatSp->addWidget(ScrollBox1);
    row->insertWidget(at, CatSp, 1);
    connect(CatSp, &QSplitter::splitterMoved, this,
            [this]
            {
                splitMoved_ = true;
                ShowPicture();
            });

    CatPn = new QWidget(this);
    CatPn->setMinimumWidth(kPanelLeast);
    auto* cat = new QVBoxLayout(CatPn);
    cat->setContentsMargins(6, 4, 4, 4);
    // The criteria scroll on their own, so that a narrow panel keeps room
    // for the table.
    CatCriteriaPn = new QScrollArea(CatPn);
    CatCriteriaPn->setWidgetResizable(true);
    CatCriteriaPn->setFrameShape(QFrame::NoFrame);
    CatCriteriaSt = new QLabel;
    CatCriteriaSt->setWordWrap(true);
    CatCriteriaSt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    CatCriteriaSt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    CatCriteriaPn->setWidget(CatCriteriaSt);
    cat->addWidget(CatCriteriaPn, 1);
    CatSg = new QTableWidget(CatPn);
    CatSg->verticalHeader()->hide();
    CatSg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    // A table to read: the arrows go from cell to cell, Tab on to the buttons.
    CatSg->setTabKeyNavigation(false);
    cat->addWidget(CatSg, 2);
    CatIndicesSt = new QLabel(CatPn);
    // A narrow panel wraps the longer indices rather than cutting them.
    CatIndicesSt->setWordWrap(true);
    CatIndicesSt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cat->addWidget(CatIndicesSt);
    auto* buttons = new QHBoxLayout;
    CatCopyBt = new QPushButton(CatPn);
    CatExpBt = new QPushButton(CatPn);
    buttons->addWidget(CatCopyBt);
    buttons->addWidget(CatExpBt);
    buttons->addStretch(1);
    cat->addLayout(buttons);
    CatSp->addWidget(CatPn);
    // A larger window widens the table; the diagram keeps what it needs.
    CatSp->setStretchFactor(0, 0);
    CatSp->setStretchFactor(1, 1);
    const bool shown = DRegistry().ReadInt(kPanelSection, kPanelKey, 1) != 0;
    CatPn->setVisible(shown);
    CatSb->setChecked(shown);
    connect(CatCopyBt, &QPushButton::clicked, this, &TFormGraphTar::CatCopyBtClick);
    connect(CatExpBt, &QPushButton::clicked, this, &TFormGraphTar::CatExpBtClick);
    ViewDesc();
}

void TFormGraphTar::ViewDesc()
{
    SetStripHints(21000, 21010);
    SetGroupTexts(OptStatGb, 22100, 22110);
    SetGroupTexts(OptQuesGb, 22200, 22210);
    SetGroupTexts(OptSubjDimGb, 22300, 22310);
    CatCopyBt->setText(language_.GetStr(33530));
    CatCopyBt->setToolTip(language_.GetStr(33510));
    CatExpBt->setText(language_.GetStr(33540));
    CatExpBt->setToolTip(language_.GetStr(33520));
    SetHint(CatSb, language_.GetStr(33950));
    CatCriteriaPn->setAccessibleName(language_.GetStr(35530));
    CatSg->setAccessibleName(language_.GetStr(33400));
}

void TFormGraphTar::DrawOptions()
{
    DGraphTar& tar = test_.graph.tar;
    DViews::DrawOption(tar.stat, OptStatCb);
    DViews::DrawListTar(test_.ques.List(), OptQuesLb);
    DViews::DrawOption(tar.subjDim, OptSubjDimCb);
}

void TFormGraphTar::DrawPicture(QImage& picture)
{
    // The table shows its reasons even where the diagram cannot be drawn:
    // the diagram's error is the one shown.
    try
    {
        DrawCategories();
    }
    catch (const EError&)
    {
        DViews::DrawTable({}, {}, {}, CatSg);
        CatIndicesSt->clear();
    }
    test_.graph.tar.Draw(picture);
    FitSplit(picture.size());
}

void TFormGraphTar::resizeEvent(QResizeEvent* event)
{
    TFormGraph::resizeEvent(event);
    FitSplit(Picture().size());
    ShowPicture();
}

void TFormGraphTar::FitSplit(const QSize& picture)
{
    if (splitMoved_ || CatPn->isHidden())
        return;
    const int room = CatSp->width() - CatSp->handleWidth();
    if (room <= 0 || picture.isEmpty())
        return;
    // As wide as the picture at the scale that fits it into the page's
    // height, as far as the panel's least width allows.
    const double scale = std::min(1.0, double(CatSp->height()) / picture.height());
    const int diagram = std::clamp(int(picture.width() * scale), 0, std::max(0, room - kPanelLeast));
    CatSp->setSizes({diagram, room - diagram});
}

void TFormGraphTar::PictureShown()
{
    // Beside the panel the diagram is seen whole, scaled down to its room;
    // without the panel it keeps its own size, to be scrolled through.
    if (CatPn->isHidden())
        return;
    const QSize room = ScrollBox1->size();
    const QImage& picture = Picture();
    if (room.isEmpty() || (picture.width() <= room.width() && picture.height() <= room.height()))
        return;
    // The picture the screen shows, dense on a dense screen, scaled in its
    // own pixels so that it stays as sharp as the room allows.
    const QPixmap shown = Image->pixmap();
    const qreal ratio = shown.devicePixelRatio();
    QPixmap fitted = shown.scaled(room * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    fitted.setDevicePixelRatio(ratio);
    Image->setPixmap(fitted);
    Image->resize(fitted.deviceIndependentSize().toSize());
}

void TFormGraphTar::CatSbClick()
{
    DMessages::Handle(language_, "TFormGraphTar::CatSbClick()",
                      [&]
                      {
                          const bool shown = CatSb->isChecked();
                          CatPn->setVisible(shown);
                          DRegistry().WriteInt(kPanelSection, kPanelKey, shown ? 1 : 0);
                          FitSplit(Picture().size());
                          ShowPicture();
                      });
}

void TFormGraphTar::DrawCategories()
{
    QStringList criteria;
    for (int scheme = 0; scheme < DGraphTarStat::kSchemes; ++scheme)
        criteria << QStringLiteral("<b>%1</b><br>%2")
                        .arg(test_.graph.tar.stat.Texts().at(scheme).toHtmlEscaped(),
                             DGraphTarCriteria::Lines(scheme)
                                 .join(QLatin1Char('\n'))
                                 .toHtmlEscaped()
                                 .replace(QLatin1Char('\n'), QStringLiteral("<br>")));
    CatCriteriaSt->setText(criteria.join(QStringLiteral("<br>")));

    const std::vector<DGraphTarTable::Row> rows = DGraphTarTable::Rows(test_.graph);
    QList<QStringList> cells;
    QList<bool> marked;
    for (const DGraphTarTable::Row& row : rows)
    {
        cells << DGraphTarTable::Cells(row);
        marked << row.differs;
    }
    DViews::DrawTable(DGraphTarTable::Header(), cells, marked, CatSg);

    QStringList indices;
    for (const auto& [name, value] : DGraphIndices::Of(test_.graph).Lines())
        indices << name + QStringLiteral(": ") + value;
    CatIndicesSt->setText(indices.join(QLatin1Char('\n')));
}

void TFormGraphTar::CatCopyBtClick()
{
    DMessages::Handle(language_, "TFormGraphTar::CatCopyBtClick()",
                      [&]
                      {
                          const QString text = DGraphTarTable::Text(DGraphTarTable::Rows(test_.graph)) +
                                               QLatin1Char('\n') + DGraphIndices::Of(test_.graph).Text();
                          QGuiApplication::clipboard()->setText(text);
                      });
}

void TFormGraphTar::CatExpBtClick()
{
    DMessages::Handle(language_, "TFormGraphTar::CatExpBtClick()",
                      [&]
                      {
                          const std::optional<TFormCsvOpt::Choice> choice = AskCsv(false);
                          if (!choice)
                              return;
                          const DCsv::Options& options = choice->options;
                          DFileWriter::Write(choice->path, DCsv::Bytes(DGraphTarTable::CsvLines(
                                                                           DGraphTarTable::Rows(test_.graph), options),
                                                                       options));
                      });
}
