#include "subjects/DSubjElemAppe.h"

#include "lang/DLanguage.h"
#include "model/DText.h"
#include "model/EError.h"

QString DSubjElemAppe::Trim(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin).unicode() <= 32)
        ++begin;
    while (end > begin && text.at(end - 1).unicode() <= 32)
        --end;
    return text.mid(begin, end - begin);
}

QString DSubjElemAppe::ToString(bool surnameFirst) const
{
    const QString surname = Trim(surname_.ToString());
    const QString name = Trim(name_.ToString());
    // Trimming the joined text drops the space next to an empty part.
    return Trim(surnameFirst ? surname + u' ' + name : name + u' ' + surname);
}

void DSubjElemAppe::ToFile(DFileStream& stream)
{
    surname_.ToFile(stream);
    name_.ToFile(stream);
}

void DSubjElemAppe::FromFile(DFileStream& stream)
{
    surname_.FromFile(stream);
    name_.FromFile(stream);
}

QStringList DSubjElemAppe::Types()
{
    // The ids of the last two are not in index order: 4 is the surname alone.
    static constexpr int kIds[kFormats] = {13220, 13230, 13240, 13250, 13270, 13260};
    const DLanguage& language = DLanguage::Active();
    QStringList types;
    for (int id : kIds)
        types.append(language.GetStr(id));
    return types;
}

void DSubjElemAppe::FromString(int format, const QString& typed)
{
    EError::Guard("DSubjElemAppe::FromString()",
                  [&]
                  {
                      // Cleaned before it is split so that what the names would drop
                      // cannot hide a blank at a part's end from the trimming, nor
                      // reach the message; the tab stays a blank for the split.
                      const QString line = DText::Clean(typed, DText::Kind::Tabbed);
                      switch (format)
                      {
                      case SurnameCommaName:
                      case NameCommaSurname:
                      case SurnameSpaceName:
                      case NameSpaceSurname:
                      {
                          const bool comma = format == SurnameCommaName || format == NameCommaSurname;
                          const Parts parts = DivideString(line, comma ? u',' : u' ');
                          const bool surnameFirst = format == SurnameCommaName || format == SurnameSpaceName;
                          surname_.UserUpdate(surnameFirst ? parts.first : parts.second);
                          name_.UserUpdate(surnameFirst ? parts.second : parts.first);
                          break;
                      }
                      case SurnameOnly:
                          surname_.UserUpdate(Trim(line));
                          name_.UserUpdate(QString());
                          break;
                      case NameOnly:
                          name_.UserUpdate(Trim(line));
                          surname_.UserUpdate(QString());
                          break;
                      default:
                          throw EError(50020, {"DSubjElemAppe::FromString()"});
                      }
                  });
}

DSubjElemAppe::Parts DSubjElemAppe::DivideString(const QString& line, QChar separator)
{
    return EError::Guard("DSubjElemAppe::DivideString()",
                         [&]
                         {
                             const qsizetype at = line.indexOf(separator);
                             if (at < 0)
                                 throw EError(50040, {line});
                             return Parts{Trim(line.left(at)), Trim(line.mid(at + 1))};
                         });
}
