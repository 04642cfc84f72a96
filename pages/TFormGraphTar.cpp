#include "pages/TFormGraphTar.h"
#include "pages/DViews.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QScrollArea>

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
    ViewDesc();
}

void TFormGraphTar::ViewDesc()
{
    SetStripHints(21000, 21010);
    SetGroupTexts(OptStatGb, 22100, 22110);
    SetGroupTexts(OptQuesGb, 22200, 22210);
    SetGroupTexts(OptSubjDimGb, 22300, 22310);
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
    test_.graph.tar.Draw(picture);
}
