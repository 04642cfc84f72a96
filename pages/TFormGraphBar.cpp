#include "pages/TFormGraphBar.h"
#include "pages/DViews.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>

TFormGraphBar::TFormGraphBar(DTest& test, DLanguage& language, QWidget* parent)
    : TFormGraph(test, language, "TFormGraphBar", 229, false, parent)
{
    PlaceStripButtons({0, 2}, {2, 59});
    DGraphBar& bar = test_.graph.bar;
    DQuesList& questions = test_.ques.List();

    OptTypeGb = AddGroup(209, 49);
    OptTypeCb = AddCombo(OptTypeGb, "TFormGraphBar::OptTypeCbChange()",
                         [&bar](QComboBox* combo) { DViews::UpdateOption(bar.type, combo); });
    OptQuesGb = AddGroup(209, 114);
    OptQuesLb = AddCheckList(OptQuesGb, "TFormGraphBar::OptQuesLbClickCheck()",
                             [&questions](QListWidget* list) { DViews::GraphBarSelected(questions, list); });
    OptOrderGb = AddGroup(209, 49);
    OptOrderCb = AddCombo(OptOrderGb, "TFormGraphBar::OptOrderCbChange()",
                          [&bar](QComboBox* combo) { DViews::UpdateOption(bar.order, combo); });
    OptScaleGb = AddGroup(209, 49);
    OptScaleCb = AddCombo(OptScaleGb, "TFormGraphBar::OptScaleCbChange()",
                          [&bar](QComboBox* combo) { DViews::UpdateOption(bar.scale, combo); });
    DGraphWeight& weight = test_.graph.weight;
    OptWeightGb = AddGroup(209, 49);
    OptWeightCb = AddCombo(OptWeightGb, "TFormGraphBar::OptWeightCbChange()",
                           [&weight](QComboBox* combo) { DViews::UpdateOption(weight, combo); });
    ViewDesc();
}

void TFormGraphBar::ViewDesc()
{
    SetStripHints(17000, 17010);
    SetGroupTexts(OptTypeGb, 18110, 18120);
    SetGroupTexts(OptQuesGb, 18200, 18210);
    SetGroupTexts(OptOrderGb, 18300, 18310);
    SetGroupTexts(OptScaleGb, 18400, 18410);
    SetGroupTexts(OptWeightGb, 33900, 33910);
}

void TFormGraphBar::DrawOptions()
{
    DGraphBar& bar = test_.graph.bar;
    DViews::DrawOption(bar.type, OptTypeCb);
    DViews::DrawListBar(test_.ques.List(), OptQuesLb);
    DViews::DrawOption(bar.order, OptOrderCb);
    DViews::DrawOption(bar.scale, OptScaleCb);
    DViews::DrawOption(test_.graph.weight, OptWeightCb);
}

void TFormGraphBar::DrawPicture(QImage& picture)
{
    test_.graph.bar.Draw(picture);
}
