#include "pages/TFormGraphTar.h"
#include "pages/DViews.h"

#include "analyses/DGraphIndices.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarTable.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TScrollPanel.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QScrollArea>

namespace
{
// The width at which the categories panel reads best.
constexpr int kCatWidth = 470;
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

    CatPn = new QWidget(this);
    // As wide as the criteria read best; a small window scrolls it.
    CatPn->setMaximumWidth(kCatWidth);
    auto* cat = new QVBoxLayout(CatPn);
    cat->setContentsMargins(6, 4, 4, 4);
    CatCriteriaSt = new QLabel(CatPn);
    CatCriteriaSt->setWordWrap(true);
    CatCriteriaSt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cat->addWidget(CatCriteriaSt);
    CatSg = new QTableWidget(CatPn);
    CatSg->verticalHeader()->hide();
    CatSg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    cat->addWidget(CatSg, 1);
    CatIndicesSt = new QLabel(CatPn);
    CatIndicesSt->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cat->addWidget(CatIndicesSt);
    auto* buttons = new QHBoxLayout;
    CatCopyBt = new QPushButton(CatPn);
    CatExpBt = new QPushButton(CatPn);
    buttons->addWidget(CatCopyBt);
    buttons->addWidget(CatExpBt);
    buttons->addStretch(1);
    cat->addLayout(buttons);
    layout()->addWidget(new TScrollPanel(CatPn, this, TScrollPanel::Width::Narrowing));
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
