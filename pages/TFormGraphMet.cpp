#include "pages/TFormGraphMet.h"
#include "kit/DMessages.h"
#include "pages/DViews.h"
#include "pages/TGraphOutput.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QToolButton>

namespace
{
const char* const kExportModule = "TFormGraphMet::FileExpSbClick()";
} // namespace

TFormGraphMet::TFormGraphMet(DTest& test, DLanguage& language, QWidget* parent)
    : TFormGraph(test, language, "TFormGraphMet", 229, false, parent)
{
    PlaceStripButtons({2, 5}, {2, 59});
    FileExpSb = AddStripButton(Glyph::FileExport, 2, 114);
    Output->MoveTo(169);
    // Tab goes down the strip as it shows.
    setTabOrder(ClipExpSb, FileExpSb);
    connect(FileExpSb, &QToolButton::clicked, this, &TFormGraphMet::FileExpSbClick);
    DGraphMet& met = test_.graph.met;
    DQuesList& questions = test_.ques.List();

    OptQuesGb = AddGroup(209, 114);
    OptQuesLb = AddCheckList(OptQuesGb, "TFormGraphMet::OptQuesLbClickCheck()",
                             [&questions](QListWidget* list) { DViews::GraphMetSelected(questions, list); });
    OptOrderGb = AddGroup(209, 49);
    OptOrderCb = AddCombo(OptOrderGb, "TFormGraphMet::OptOrderCbChange()",
                          [&met](QComboBox* combo) { DViews::UpdateOption(met.order, combo); });
    DGraphWeight& weight = test_.graph.weight;
    OptWeightGb = AddGroup(209, 49);
    OptWeightCb = AddCombo(OptWeightGb, "TFormGraphMet::OptWeightCbChange()",
                           [&weight](QComboBox* combo) { DViews::UpdateOption(weight, combo); });
    ViewDesc();
}

void TFormGraphMet::ViewDesc()
{
    SetStripHints(25010, 25020);
    SetHint(FileExpSb, language_.GetStr(25080));
    SetGroupTexts(OptQuesGb, 25030, 25040);
    SetGroupTexts(OptOrderGb, 25060, 25070);
    SetGroupTexts(OptWeightGb, 33900, 33910);
}

void TFormGraphMet::DrawOptions()
{
    DViews::DrawListMet(test_.ques.List(), OptQuesLb);
    DViews::DrawOption(test_.graph.met.order, OptOrderCb);
    DViews::DrawOption(test_.graph.weight, OptWeightCb);
}

void TFormGraphMet::DrawPicture(QImage& picture)
{
    test_.graph.met.Draw(picture);
}

void TFormGraphMet::FileExpSbClick()
{
    DMessages::Handle(language_, kExportModule,
                      [&]
                      {
                          if (const std::optional<TFormCsvOpt::Choice> choice = AskCsv(true))
                              WriteCsv(*choice);
                      });
}

void TFormGraphMet::WriteCsv(const TFormCsvOpt::Choice& choice)
{
    // The table's own refusal (a subject who chose himself) is shown as it
    // is, so the user learns what to correct; a file that cannot be written
    // is named with the system's reason.
    QStringList lines;
    test_.graph.met.ToMemoCsv(lines, choice.options, choice.categories);
    DFileWriter::Write(choice.path, DGraphMet::CsvBytes(lines, choice.options));
}
