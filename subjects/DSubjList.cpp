#include "subjects/DSubjList.h"
#include "subjects/DSubjMatch.h"
#include "subjects/DSubjNameLine.h"

#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "model/EError.h"

#include <QCollator>
#include <QLocale>

#include <algorithm>

namespace
{
bool IsValidSize(qint32 n)
{
    return n >= DSubjList::kMinSubjects && n <= DSubjList::kMaxSubjects;
}

EError SizeError()
{
    return EError(50070, {DSubjList::kMinSubjects, DSubjList::kMaxSubjects});
}

} // namespace

DSubjList::DSubjList(Resize resize) : resize_(std::move(resize))
{
    Default();
}

void DSubjList::Default()
{
    EError::Guard("DSubjList::Default()", [&] { SetSize(kDefaultSubjects, false); });
}

void DSubjList::SetSize(qint32 n, bool byUser)
{
    EError::Guard("DSubjList::SetSize()",
                  [&]
                  {
                      // Identifiers beyond 100 are not subjects for the rest of the test,
                      // and an empty list has nobody to answer.
                      if (!IsValidSize(n))
                          throw SizeError();
                      if (!byUser)
                          subjects_.clear();
                      count_.SetValue(n, byUser);
                      subjects_.resize(std::size_t(n));
                      resize_(n);
                      SetId();
                  });
}

void DSubjList::SetSize(const QString& text)
{
    EError::Guard("DSubjList::SetSize()",
                  [&]
                  {
                      bool ok = false;
                      qint32 n = text.trimmed().toInt(&ok);
                      if (!ok)
                          n = -1;
                      if (!IsValidSize(n))
                          throw SizeError();
                      SetSize(n, true);
                  });
}

void DSubjList::SetId()
{
    for (std::size_t k = 0; k < subjects_.size(); ++k)
        subjects_[k].id.SetValue(qint32(k) + 1, false);
}

DSubjElem& DSubjList::GetSelected(qint32 index)
{
    if (index < 0 || std::size_t(index) >= subjects_.size())
        throw EError(50020, {"DSubjList::GetSelected()"});
    return subjects_[std::size_t(index)];
}

const DSubjElem& DSubjList::GetSelected(qint32 index) const
{
    return const_cast<DSubjList*>(this)->GetSelected(index);
}

qint32 DSubjList::GetSelected(const QString& name, bool surnameFirst) const
{
    return EError::Guard("DSubjList::GetSelected()",
                         [&]
                         {
                             for (const DSubjElem& subject : subjects_)
                                 if (subject.appe.ToString(surnameFirst) == name)
                                     return subject.id.GetValue();
                             return qint32(0);
                         });
}

bool DSubjList::IsChangedByUser() const
{
    return count_.IsChangedByUser() ||
           std::any_of(subjects_.begin(), subjects_.end(), [](const DSubjElem& s) { return s.IsChangedByUser(); });
}

QList<QStringList> DSubjList::ListAllRows() const
{
    return EError::Guard("DSubjList::DrawListAll()",
                         [&]
                         {
                             QList<QStringList> rows;
                             rows.reserve(qsizetype(subjects_.size()));
                             for (const DSubjElem& s : subjects_)
                                 rows.append({QString::number(s.id.GetValue()), s.appe.Surname().ToString(),
                                              s.appe.Name().ToString(), s.sex.ToString(), s.note.ToString()});
                             return rows;
                         });
}

QList<QStringList> DSubjList::ListSelRows(const std::function<QString(qint32 subject)>& summary) const
{
    return EError::Guard("DSubjList::DrawListSel()",
                         [&]
                         {
                             QList<QStringList> rows;
                             rows.reserve(qsizetype(subjects_.size()));
                             for (std::size_t k = 0; k < subjects_.size(); ++k)
                             {
                                 const DSubjElem& s = subjects_[k];
                                 const qint32 number = qint32(k) + 1;
                                 rows.append({QString::number(number), s.appe.Surname().ToString(),
                                              s.appe.Name().ToString(), summary(number)});
                             }
                             return rows;
                         });
}

QString DSubjList::SummaryText() const
{
    return EError::Guard("DSubjList::DrawSummary()",
                         [&]
                         {
                             const qint32 females =
                                 qint32(std::count_if(subjects_.begin(), subjects_.end(),
                                                      [](const DSubjElem& s) { return s.sex.IsFemale(); }));
                             const qint32 count = GetSize();
                             return DLanguage::Active().GetMsg(12010, {count, females, count - females});
                         });
}

void DSubjList::SortNames(QStringList& names)
{
    // The interface language, not the system locale, decides: under the C
    // locale a plain comparison would put every accented name after "Z".
    const QLocale locale = DLanguage::Active().IsIta() ? QLocale(QLocale::Italian, QLocale::Italy)
                                                       : QLocale(QLocale::English, QLocale::UnitedStates);
    QCollator collator(locale);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(names.begin(), names.end(),
                     [&](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
}

QStringList DSubjList::AppelTexts(bool surnameFirst) const
{
    return EError::Guard("DSubjList::DrawAppels()",
                         [&]
                         {
                             QStringList names;
                             for (const DSubjElem& s : subjects_)
                                 if (s.appe.IsFilled())
                                     names.append(s.appe.ToString(surnameFirst));
                             SortNames(names);
                             names.prepend(DLanguage::Active().GetStr(12250));
                             return names;
                         });
}

std::vector<DSubjNameLine> DSubjList::ReadMemo(int format, const QStringList& lines)
{
    return EError::Guard("DSubjList::ReadMemo()",
                         [&]
                         {
                             if (format < 0 || format >= DSubjElemAppe::kFormats)
                                 throw EError(50020, {"DSubjElemAppe::FromString()"});
                             std::vector<DSubjNameLine> parsed;
                             for (qsizetype k = 0; k < lines.size(); ++k)
                                 if (!DSubjNameLine::IsBlank(lines.at(k)))
                                     parsed.push_back(DSubjNameLine::Parse(format, lines.at(k), k + 1));
                             const std::size_t count = parsed.size();
                             if (count < std::size_t(kMinSubjects) || count > std::size_t(kMaxSubjects))
                                 throw SizeError();
                             return parsed;
                         });
}

std::vector<qint32> DSubjList::MatchMemo(const std::vector<DSubjNameLine>& lines) const
{
    return EError::Guard(
        "DSubjList::MatchMemo()",
        [&]
        {
            const qint32 count = GetSize();
            const DSubjMatch matcher(subjects_, count);
            std::vector<qint32> origin(lines.size(), -1);
            std::vector<bool> taken(std::size_t(count), false);
            std::vector<QString> written;
            written.reserve(lines.size());
            for (const DSubjNameLine& line : lines)
                written.push_back(DSubjElemAppe::Trim(line.surname + u' ' + line.name));
            // First the names written in the subject's own order, then in either:
            // "Anna Rossi" and "Rossi Anna" in one class each keep their own.
            for (const bool sameOrder : {true, false})
                for (std::size_t k = 0; k < lines.size(); ++k)
                {
                    if (origin[k] >= 0)
                        continue;
                    const DSubjMatch::Result found = matcher.Match(written[k]);
                    const QList<qint32> candidates =
                        found.kind == DSubjMatch::Kind::Matched ? QList<qint32>{found.index} : found.candidates;
                    const QString key = DSubjMatch::Key(written[k]);
                    for (const qint32 c : candidates)
                    {
                        if (taken[std::size_t(c)] ||
                            (sameOrder && DSubjMatch::Key(subjects_[std::size_t(c)].appe.ToString(true)) != key))
                            continue;
                        origin[k] = c;
                        taken[std::size_t(c)] = true;
                        break;
                    }
                }
            // A subject without a name is a place kept for whoever comes: typed
            // answers by number wait there for the names.
            std::size_t next = 0;
            for (std::size_t k = 0; k < lines.size(); ++k)
            {
                if (origin[k] >= 0)
                    continue;
                while (next < std::size_t(count) && (taken[next] || subjects_[next].appe.IsFilled()))
                    ++next;
                if (next == std::size_t(count))
                    break;
                origin[k] = qint32(next);
                taken[next] = true;
            }
            return origin;
        });
}

void DSubjList::FromMemo(const std::vector<DSubjNameLine>& lines, const std::vector<qint32>& origin)
{
    EError::Guard("DSubjList::FromMemo()",
                  [&]
                  {
                      const qint32 count = GetSize();
                      const std::size_t n = lines.size();
                      std::vector<bool> used(std::size_t(count), false);
                      if (origin.size() != n || n < std::size_t(kMinSubjects) || n > std::size_t(kMaxSubjects))
                          throw EError(50020, {"DSubjList::FromMemo()"});
                      for (const qint32 from : origin)
                      {
                          if (from < -1 || from >= count || (from >= 0 && used[std::size_t(from)]))
                              throw EError(50020, {"DSubjList::FromMemo()"});
                          if (from >= 0)
                              used[std::size_t(from)] = true;
                      }
                      std::vector<DSubjElem> next;
                      next.reserve(n);
                      for (const qint32 from : origin)
                          next.push_back(from >= 0 ? subjects_[std::size_t(from)] : DSubjElem());
                      SetSize(qint32(n), true);
                      for (std::size_t k = 0; k < n; ++k)
                      {
                          DSubjElem& subject = subjects_[k];
                          subject = std::move(next[k]);
                          // The box is drawn again with the names as written now.
                          subject.soci.picture = QImage();
                          subject.appe.Surname().UserUpdate(lines[k].surname);
                          subject.appe.Name().UserUpdate(lines[k].name);
                          if (lines[k].female)
                              subject.sex.SetValue(*lines[k].female ? 0 : 1, true);
                          if (lines[k].note)
                              subject.note.UserUpdate(*lines[k].note);
                      }
                      SetId();
                      // Records moved to other numbers carry their own change states:
                      // the list as a whole is what changed.
                      MarkChangedByUser();
                  });
}

QStringList DSubjList::MemoLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    QString normalized = text;
    normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normalized.replace(u'\r', u'\n');
    QStringList lines = normalized.split(u'\n');
    if (normalized.endsWith(u'\n'))
        lines.removeLast();
    return lines;
}

void DSubjList::ToFile(DFileStream& stream)
{
    EError::Guard("DSubjList::ToFile()",
                  [&]
                  {
                      count_.ToFile(stream);
                      for (DSubjElem& s : subjects_)
                          s.ToFile(stream);
                  });
}

void DSubjList::FromFile(DFileStream& stream)
{
    EError::Guard("DSubjList::FromFile()",
                  [&]
                  {
                      DElemInt32 count;
                      count.FromFile(stream);
                      // A damaged or foreign file; such a count would otherwise allocate
                      // at will or make identifiers no other part accepts.
                      if (!IsValidSize(count.GetValue()))
                          throw EError(60020, {stream.Path()});
                      SetSize(count.GetValue(), false);
                      for (DSubjElem& s : subjects_)
                          s.FromFile(stream);
                  });
}

void DSubjList::TakeData(const DSubjList& other)
{
    EError::Guard("DSubjList::TakeData()",
                  [&]
                  {
                      count_ = other.count_;
                      subjects_ = other.subjects_;
                  });
}
