#include "subjects/DSubjNameLine.h"

#include "model/DText.h"
#include "model/EError.h"
#include "subjects/DSubjElemAppe.h"

#include <QStringList>

namespace
{
// Names, sex, note: the names may take two columns.
constexpr qsizetype kMaxColumns = 4;

bool IsSurnameFirst(int format)
{
    return format == DSubjElemAppe::SurnameCommaName || format == DSubjElemAppe::SurnameSpaceName ||
           format == DSubjElemAppe::SurnameOnly;
}
} // namespace

bool DSubjNameLine::IsBlank(const QString& line)
{
    return DSubjElemAppe::Trim(line).isEmpty();
}

std::optional<bool> DSubjNameLine::ParseSex(const QString& word)
{
    const QString key = DSubjElemAppe::Trim(word).toCaseFolded();
    for (const char* female : {"f", "female", "femmina"})
        if (key == QLatin1String(female))
            return true;
    for (const char* male : {"m", "male", "maschio"})
        if (key == QLatin1String(male))
            return false;
    return std::nullopt;
}

DSubjNameLine DSubjNameLine::Parse(int format, const QString& typed, qsizetype number)
{
    // Cleaned first, so that the message shows the line as it would be
    // stored and no control character reaches it.
    const QString line = DText::Clean(typed, DText::Kind::Tabbed);
    try
    {
        DSubjNameLine parsed;
        QStringList columns = line.split(u'\t');
        // Spreadsheets copy empty cells at the end of a row as tabs.
        while (columns.size() > 1 && DSubjElemAppe::Trim(columns.last()).isEmpty())
            columns.removeLast();
        // The second column is the sex when it reads as one: then the first
        // holds both names. No name is a lone F or M.
        const bool twoNames = columns.size() > 1 && !ParseSex(columns.at(1));
        const qsizetype rest = twoNames ? 2 : 1;
        if (columns.size() > rest + 2)
            throw EError(27020);
        if (twoNames)
        {
            const QString first = DSubjElemAppe::Trim(columns.at(0));
            const QString second = DSubjElemAppe::Trim(columns.at(1));
            const bool surnameFirst = IsSurnameFirst(format);
            parsed.surname = surnameFirst ? first : second;
            parsed.name = surnameFirst ? second : first;
        }
        else
        {
            // Said here in words of the import, not as the one-name refusal
            // of the format itself.
            const bool comma = format == DSubjElemAppe::SurnameCommaName || format == DSubjElemAppe::NameCommaSurname;
            const bool space = format == DSubjElemAppe::SurnameSpaceName || format == DSubjElemAppe::NameSpaceSurname;
            if ((comma && !columns.at(0).contains(u',')) || (space && !columns.at(0).contains(u' ')))
                throw EError(comma ? 27030 : 27040);
            DSubjElemAppe appe;
            appe.FromString(format, columns.at(0));
            parsed.surname = appe.Surname().ToString();
            parsed.name = appe.Name().ToString();
        }
        if (columns.size() > rest && !DSubjElemAppe::Trim(columns.at(rest)).isEmpty())
        {
            parsed.female = ParseSex(columns.at(rest));
            if (!parsed.female)
                throw EError(27010, {DSubjElemAppe::Trim(columns.at(rest))});
        }
        if (columns.size() > rest + 1)
            parsed.note = DSubjElemAppe::Trim(columns.at(rest + 1));
        return parsed;
    }
    catch (const EError& reason)
    {
        QString shown = line;
        shown.replace(u'\t', QStringLiteral(" \u2192 "));
        throw EError(27000, {int(number), shown, reason.Message()});
    }
}
