#include "answers/DAnswPick.h"

#include "subjects/DSubjList.h"

namespace
{
// Compared the way a user types names: case, accents and runs of spaces do
// not count ("elo" finds "Élodie").
QString Folded(const QString& text)
{
    const QString decomposed = text.simplified().toCaseFolded().normalized(QString::NormalizationForm_D);
    QString folded;
    folded.reserve(decomposed.size());
    for (const QChar c : decomposed)
        if (c.category() != QChar::Mark_NonSpacing)
            folded.append(c);
    return folded;
}

bool IsNumber(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text)
        if (!c.isDigit())
            return false;
    return true;
}

// Surname-name and name-surname, folded.
std::pair<QString, QString> FullNames(const DSubjElemAppe& appe)
{
    return {Folded(appe.ToString(true)), Folded(appe.ToString(false))};
}
} // namespace

QList<qint32> DAnswPick::Exact(const DSubjList& list, qint32 count, const QString& text)
{
    const QString wanted = Folded(text);
    QList<qint32> found;
    if (wanted.isEmpty())
        return found;
    if (IsNumber(wanted))
    {
        bool ok = false;
        const qint32 number = wanted.toInt(&ok);
        if (ok && number >= 1 && number <= count)
            found.append(number);
        return found;
    }
    for (qint32 k = 1; k <= count; ++k)
    {
        const DSubjElemAppe& appe = list.GetSelected(k - 1).appe;
        if (!appe.IsFilled())
            continue;
        const auto [surnameName, nameSurname] = FullNames(appe);
        if (wanted == surnameName || wanted == nameSurname)
            found.append(k);
    }
    return found;
}

QList<qint32> DAnswPick::Narrow(const DSubjList& list, qint32 count, const QString& typed, qint32 excluded)
{
    const QString wanted = Folded(typed);
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
