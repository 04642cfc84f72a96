#include "answers/DAnswPick.h"

#include "answers/DDesi.h"
#include "subjects/DSubjList.h"
#include "subjects/DSubjMatch.h"

#include <QHash>

#include <algorithm>

namespace
{
bool IsNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

qint32 Bound(const DSubjList& list, qint32 count)
{
    return std::clamp(count, 0, qint32(list.Get().size()));
}

// The subjects in the order the pick list shows their names; namesakes keep
// their numbers' order.
QList<qint32> ByName(const DSubjList& list, const QList<qint32>& subjects, bool surnameFirst)
{
    QStringList names;
    QHash<QString, QList<qint32>> carriers;
    for (const qint32 k : subjects)
    {
        const QString name = list.GetSelected(k - 1).appe.ToString(surnameFirst);
        names.append(name);
        carriers[name].append(k);
    }
    DSubjList::SortNames(names);
    QList<qint32> sorted;
    for (const QString& name : names)
        sorted.append(carriers[name].takeFirst());
    return sorted;
}

QList<DAnswPick::Offer> Judged(const QList<qint32>& subjects, const DAnswPick::Place& place)
{
    QList<DAnswPick::Offer> offers;
    for (const qint32 k : subjects)
        offers.append({k, DAnswPick::Check(place.chooser, k, place.answer, place.answers)});
    return offers;
}
} // namespace

DAnswPick::Refusal DAnswPick::Check(qint32 chooser, qint32 chosen, qint32 answer, const QList<qint32>& answers)
{
    if (!DDesi::IsChoice(chosen))
        return {};
    if (chosen == chooser)
        return {Refusal::Kind::Self, 0};
    for (qsizetype r = 0; r < answers.size(); ++r)
        if (r + 1 != answer && answers[r] == chosen)
            return {Refusal::Kind::Repeated, qint32(r + 1)};
    return {};
}

QList<qint32> DAnswPick::Answers(const DDesi& desi, qint32 question, qint32 chooser)
{
    QList<qint32> answers;
    for (qint32 r = 1; r <= desi.AnswCount(); ++r)
        answers.append(desi.GetDesi(question, r, chooser));
    return answers;
}

QList<qint32> DAnswPick::Exact(const DSubjList& list, qint32 count, const QString& text)
{
    const QString wanted = text.trimmed();
    if (wanted.isEmpty())
        return {};
    const DSubjMatch::Result match = DSubjMatch(list.Get(), count).Match(wanted, IsNumber(wanted));
    QList<qint32> found;
    if (match.kind == DSubjMatch::Kind::Matched)
        found.append(match.index + 1);
    for (const qint32 index : match.candidates)
        found.append(index + 1);
    return found;
}

QList<DAnswPick::Offer> DAnswPick::Offers(const DSubjList& list, qint32 count, const QString& typed, const Place& place,
                                          bool surnameFirst)
{
    const QString wanted = DSubjMatch::Key(typed);
    if (wanted.isEmpty())
        return {};
    if (IsNumber(wanted))
        return Judged(Exact(list, count, wanted), place);
    QList<qint32> surnames;
    QList<qint32> others;
    bool chooserFits = false;
    for (qint32 k = 1; k <= Bound(list, count); ++k)
    {
        const DSubjElemAppe& appe = list.GetSelected(k - 1).appe;
        if (!appe.IsFilled())
            continue;
        const QString surnameName = DSubjMatch::Key(appe.ToString(true));
        const bool bySurname = appe.Surname().HasText() && surnameName.startsWith(wanted);
        if (!bySurname && !DSubjMatch::Key(appe.ToString(false)).startsWith(wanted))
            continue;
        if (k == place.chooser)
            chooserFits = true;
        else
            (bySurname ? surnames : others).append(k);
    }
    if (surnames.isEmpty() && others.isEmpty() && chooserFits)
        return Judged({place.chooser}, place);
    return Judged(ByName(list, surnames, surnameFirst) + ByName(list, others, surnameFirst), place);
}

QList<DAnswPick::Offer> DAnswPick::Pickable(const DSubjList& list, qint32 count, const Place& place, bool surnameFirst)
{
    QList<qint32> named;
    for (qint32 k = 1; k <= Bound(list, count); ++k)
        if (k != place.chooser && list.GetSelected(k - 1).appe.IsFilled())
            named.append(k);
    return Judged(ByName(list, named, surnameFirst), place);
}
