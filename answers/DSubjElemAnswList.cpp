#include "answers/DSubjElemAnswList.h"

#include "answers/DAnswSubjSort.h"
#include "answers/DDesi.h"
#include "lang/DLanguage.h"
#include "model/EError.h"
#include "subjects/DSubjList.h"

DSubjElemAnswList::DSubjElemAnswList(const DDesi& desi, const DSubjList& subjects, const DAnswSubjSort& sort)
    : desi_(desi), subjects_(subjects), sort_(sort)
{
}

QString DSubjElemAnswList::ChoiceText(qint32 value) const
{
    // The matrix drops choices of removed subjects, so a value above the
    // list can only come from a fault elsewhere: it names nobody.
    if (!DDesi::IsChoice(value) || value > subjects_.GetSize())
        return DLanguage::Active().GetStr(12250);
    return subjects_.GetSelected(value - 1).appe.ToString(sort_.IsSurnameName());
}

QList<QStringList> DSubjElemAnswList::Texts(qint32 subject) const
{
    return EError::Guard("DSubjElemAnswList::ToStringGrid()",
                         [&]
                         {
                             const DLanguage& language = DLanguage::Active();
                             const qint32 questions = desi_.QuesCount();
                             const qint32 answers = desi_.AnswCount();
                             QList<QStringList> rows;
                             QStringList header{QString()};
                             for (qint32 r = 1; r <= answers; ++r)
                                 header.append(language.GetMsg(14020, {r}));
                             rows.append(header);
                             for (qint32 q = 1; q <= questions; ++q)
                             {
                                 QStringList row{language.GetMsg(14010, {q})};
                                 for (qint32 r = 1; r <= answers; ++r)
                                     row.append(ChoiceText(desi_.GetDesi(q, r, subject)));
                                 rows.append(row);
                             }
                             return rows;
                         });
}
