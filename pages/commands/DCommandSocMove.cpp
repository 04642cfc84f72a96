#include "pages/commands/DCommandSocMove.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

DCommandSocMove::DCommandSocMove(DTest& test, bool acceptance, std::vector<Move> moves, bool arrangement,
                                 std::optional<Rings> rings)
    : test_(test), acceptance_(acceptance), moves_(std::move(moves)), rings_(std::move(rings))
{
    if (moves_.size() == 1 && !arrangement)
    {
        const qint32 index = moves_.front().subject;
        QString name = test.subj.List().GetSelected(index).appe.ToString(test.answ.subjSort.IsSurnameName());
        if (name.isEmpty())
            name = QString::number(index + 1);
        SetText(26440, DArgs{name});
    }
    else
        SetText(26450);
}

void DCommandSocMove::undo()
{
    Place(false);
}

void DCommandSocMove::redo()
{
    Place(true);
}

void DCommandSocMove::Place(bool after)
{
    DSubjList& list = test_.subj.List();
    for (const Move& move : moves_)
    {
        DSubjElem& subject = list.GetSelected(move.subject);
        DSubjElemSociOrig& orig = acceptance_ ? subject.soci.acceptance : subject.soci.rejection;
        const QPoint p = after ? move.after : move.before;
        orig.Set(true, p.x(), p.y());
    }
    if (rings_)
        test_.graph.soc.rings.Set(acceptance_, after ? rings_->after : rings_->before);
}
