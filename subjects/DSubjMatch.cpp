#include "subjects/DSubjMatch.h"

#include "subjects/DSubjElem.h"

#include <algorithm>

namespace
{
// The subject's own name written both ways; one key when a part is empty.
QList<QString> KeysOf(const DSubjElem& subject)
{
    const QString first = DSubjMatch::Key(subject.appe.ToString(true));
    const QString second = DSubjMatch::Key(subject.appe.ToString(false));
    if (first.isEmpty())
        return {};
    return first == second ? QList<QString>{first} : QList<QString>{first, second};
}
} // namespace

DSubjMatch::DSubjMatch(const std::vector<DSubjElem>& subjects, qint32 count)
    : count_(count < 0 ? qint32(subjects.size()) : std::min(count, qint32(subjects.size())))
{
    for (qint32 i = 0; i < count_; ++i)
        for (const QString& key : KeysOf(subjects[std::size_t(i)]))
        {
            QList<qint32>& owners = keys_[key];
            if (!owners.contains(i))
                owners << i;
        }
}

QString DSubjMatch::Key(const QString& text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    bool blank = false;
    for (const QChar c : decomposed)
    {
        // Accents are the marks the decomposition set apart: "Nicolò" is "Nicolo".
        if (c.category() == QChar::Mark_NonSpacing || c.category() == QChar::Mark_SpacingCombining ||
            c.category() == QChar::Mark_Enclosing)
            continue;
        if (c.isSpace() || c == u',' || c.category() == QChar::Other_Control)
        {
            blank = !key.isEmpty();
            continue;
        }
        if (blank)
            key += u' ';
        blank = false;
        key += (c == QChar(0x2019) || c == QChar(0x2018) || c == u'`') ? QChar(u'\'') : c;
    }
    return key.toCaseFolded();
}

DSubjMatch::Result DSubjMatch::Match(const QString& written, bool numbers) const
{
    Result result;
    if (numbers)
    {
        bool isNumber = false;
        const qint32 number = written.trimmed().toInt(&isNumber);
        if (isNumber)
        {
            if (number >= 1 && number <= count_)
            {
                result.kind = Kind::Matched;
                result.index = number - 1;
            }
            return result;
        }
    }
    const auto found = keys_.constFind(Key(written));
    if (found == keys_.constEnd())
        return result;
    if (found->size() == 1)
    {
        result.kind = Kind::Matched;
        result.index = found->first();
    }
    else
    {
        result.kind = Kind::Ambiguous;
        result.candidates = *found;
    }
    return result;
}

QList<DSubjMatch::Result> DSubjMatch::MatchAll(const std::vector<DSubjElem>& others) const
{
    QList<Result> results;
    results.reserve(qsizetype(others.size()));
    for (const DSubjElem& other : others)
        results << Match(other.appe.ToString(true));
    return results;
}
