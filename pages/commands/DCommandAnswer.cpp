#include "pages/commands/DCommandAnswer.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

DCommandAnswer::DCommandAnswer(DTest& test, qint32 question, qint32 answer, qint32 subject, qint32 before, qint32 after)
    : test_(test), question_(question), answer_(answer), subject_(subject), before_(before), after_(after)
{
    // The subject as the answers page names it; a subject without a name by
    // its number.
    const DSubjElem& elem = test.subj.List().GetSelected(subject - 1);
    QString name = elem.appe.ToString(test.answ.subjSort.IsSurnameName());
    if (name.isEmpty())
        name = QString::number(subject);
    SetText(26300, DArgs{int(answer), int(question), name});
}

void DCommandAnswer::undo()
{
    test_.desi.SetDesi(question_, answer_, subject_, before_);
}

void DCommandAnswer::redo()
{
    test_.desi.SetDesi(question_, answer_, subject_, after_);
}
