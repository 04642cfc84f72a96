#include "answers/DAnswPick.h"

#include "subjects/DSubjList.h"
#include "subjects/DSubjMatch.h"

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

// Surname-name and name-surname, as the matcher compares them: case,
// accents and runs of spaces do not count ("elo" finds "Élodie").
std::pair<QString, QString> FullNames(const DSubjElemAppe& appe)
{
    return {DSubjMatch::Key(appe.ToString(true)), DSubjMatch::Key(appe.ToString(false))};
}
} // namespace

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

QList<qint32> DAnswPick::Narrow(const DSubjList& list, qint32 count, const QString& typed, qint32 excluded)
{
    const QString wanted = DSubjMatch::Key(typed);
    QList<qint32> found;
    if (wanted.isEmpty())
        return found;
    if (IsNumber(wanted))
    {
        QList<qint32> longer;
        for (qint32 k = 1; k <= count; ++k)
        {
            const QString number = QString::number(k);
            if (k == excluded || !number.startsWith(wanted))
                continue;
            (number == wanted ? found : longer).append(k);
        }
        return found + longer;
    }
    for (qint32 k = 1; k <= count; ++k)
    {
        const DSubjElemAppe& appe = list.GetSelected(k - 1).appe;
        if (k == excluded || !appe.IsFilled())
            continue;
        const auto [surnameName, nameSurname] = FullNames(appe);
        if (surnameName.startsWith(wanted) || nameSurname.startsWith(wanted))
            found.append(k);
    }
    return found;
}
