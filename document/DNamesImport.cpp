#include "document/DNamesImport.h"

#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <algorithm>

namespace
{
// A line lists at most this many entries; the rest are counted.
constexpr qsizetype kMaxListed = 10;

QString FullName(const QString& surname, const QString& name, bool surnameFirst)
{
    return DSubjElemAppe::Trim(surnameFirst ? surname + u' ' + name : name + u' ' + surname);
}

QString Joined(const QStringList& entries)
{
    QStringList shown = entries.mid(0, kMaxListed);
    if (entries.size() > kMaxListed)
        shown << DLanguage::Active().GetMsg(26570, {int(entries.size() - kMaxListed)});
    return shown.join(QStringLiteral(", "));
}

// "3–10 → 4–11": runs of subjects that keep their order take one entry.
QString Runs(const QList<DNamesImport::Move>& moves)
{
    QStringList runs;
    for (qsizetype k = 0; k < moves.size();)
    {
        qsizetype end = k + 1;
        while (end < moves.size() && moves[end].first == moves[end - 1].first + 1 &&
               moves[end].second == moves[end - 1].second + 1)
            ++end;
        const DNamesImport::Move first = moves[k];
        const DNamesImport::Move last = moves[end - 1];
        runs << (end - k == 1 ? QStringLiteral("%1 \u2192 %2").arg(first.first).arg(first.second)
                              : QStringLiteral("%1\u2013%2 \u2192 %3\u2013%4")
                                    .arg(first.first)
                                    .arg(last.first)
                                    .arg(first.second)
                                    .arg(last.second));
        k = end;
    }
    return Joined(runs);
}

template <class Pairs> QStringList Numbered(const Pairs& entries, const char* format)
{
    QStringList texts;
    for (const auto& [number, name] : entries)
        texts << QString::fromUtf8(format).arg(number).arg(name);
    return texts;
}
} // namespace

DNamesImport::DNamesImport(const DTest& test, int format, const QStringList& lines)
{
    EError::Guard("DNamesImport::DNamesImport()",
                  [&]
                  {
                      const DSubjList& list = test.subj.List();
                      const DDesi& desi = test.desi;
                      lines_ = DSubjList::ReadMemo(format, lines);
                      origin = list.MatchMemo(lines_);
                      from = list.GetSize();
                      to = qint32(lines_.size());
                      const bool surnameFirst = test.answ.subjSort.IsSurnameName();

                      // What every subject holds that names it by number, counted from 1.
                      std::vector<qint32> given(std::size_t(from) + 1, 0);
                      std::vector<qint32> received(std::size_t(from) + 1, 0);
                      std::vector<qint32> target(std::size_t(from) + 1, 0); // the number after, 0 when removed
                      for (std::size_t k = 0; k < origin.size(); ++k)
                          if (origin[k] >= 0)
                              target[std::size_t(origin[k]) + 1] = qint32(k) + 1;
                      for (qint32 q = 1; q <= desi.QuesCount(); ++q)
                          for (qint32 r = 1; r <= desi.AnswCount(); ++r)
                              for (qint32 s = 1; s <= std::min(from, desi.SubjCount()); ++s)
                              {
                                  const qint32 chosen = desi.GetDesi(q, r, s);
                                  if (!DDesi::IsChoice(chosen) || chosen > from)
                                      continue;
                                  ++given[std::size_t(s)];
                                  ++received[std::size_t(chosen)];
                                  if (target[std::size_t(s)] == 0 || target[std::size_t(chosen)] == 0)
                                      ++lostAnswers;
                              }
                      const DGraphSocPins pins = test.Pins();
                      const DGroupSettings groups = DGroupRecord::Load(test);
                      std::vector<bool> paired(std::size_t(from) + 1, false);
                      for (const auto* pairs : {&groups.together, &groups.apart})
                          for (const auto& [a, b] : *pairs)
                          {
                              paired[std::size_t(a)] = paired[std::size_t(b)] = true;
                              if (target[std::size_t(a)] == 0 || target[std::size_t(b)] == 0)
                                  ++lostPairs;
                          }
                      // Whether a subject holds anything a user entered; a subject
                      // without is an empty row, whatever becomes of it.
                      const auto entered = [&](qint32 s)
                      {
                          const DSubjElem& subject = list.GetSelected(s - 1);
                          return subject.appe.IsFilled() || subject.note.HasText() || !subject.sex.IsFemale() ||
                                 given[std::size_t(s)] > 0 || received[std::size_t(s)] > 0 || pins.Is(true, s) ||
                                 pins.Is(false, s) || paired[std::size_t(s)];
                      };

                      for (std::size_t k = 0; k < lines_.size(); ++k)
                      {
                          const DSubjNameLine& line = lines_[k];
                          const qint32 number = qint32(k) + 1;
                          const QString name = FullName(line.surname, line.name, surnameFirst);
                          if (line.female)
                              ++sexLines;
                          if (line.note)
                              ++noteLines;
                          const qint32 s = origin[k] + 1;
                          if (s == 0 || !entered(s))
                          {
                              added << std::pair(number, name);
                              continue;
                          }
                          const DSubjElem& subject = list.GetSelected(s - 1);
                          if (subject.appe.IsFilled())
                          {
                              ++matched;
                              if (subject.appe.Surname().ToString() != line.surname ||
                                  subject.appe.Name().ToString() != line.name)
                                  respelled << std::pair(subject.appe.ToString(surnameFirst), name);
                          }
                          else
                              unnamedTaken << std::pair(s, name);
                          if (s != number)
                              moved << Move(s, number);
                          if (line.female && *line.female != subject.sex.IsFemale())
                              sexChanged << name;
                          if (line.note && subject.note.HasText() && *line.note != subject.note.ToString())
                              noteReplaced << name;
                      }
                      for (qint32 s = 1; s <= from; ++s)
                          if (target[std::size_t(s)] == 0 && entered(s))
                              removed << Removed{s, list.GetSelected(s - 1).appe.ToString(surnameFirst),
                                                 given[std::size_t(s)], received[std::size_t(s)]};
                  });
}

QString DNamesImport::Question() const
{
    if (moved.isEmpty() && respelled.isEmpty() && sexChanged.isEmpty() && noteReplaced.isEmpty() && removed.isEmpty())
        return {};
    const DLanguage& language = DLanguage::Active();
    QStringList lines{language.GetMsg(26700, {to, from})};
    if (matched > 0)
        lines << language.GetMsg(26710, {matched});
    if (!moved.isEmpty())
        lines << language.GetMsg(26715, {int(moved.size()), Runs(moved)});
    if (!unnamedTaken.isEmpty())
        lines << language.GetMsg(26730, {int(unnamedTaken.size()), Joined(Numbered(unnamedTaken, "%1 \u2192 %2"))});
    if (!respelled.isEmpty())
        lines << language.GetMsg(26740, {int(respelled.size()), Joined(Numbered(respelled, "%1 \u2192 %2"))});
    if (!added.isEmpty())
        lines << language.GetMsg(26720, {int(added.size()), Joined(Numbered(added, "%1 %2"))});
    lines << (sexLines == 0 ? language.GetStr(37110) : language.GetMsg(37120, {sexLines}));
    if (!sexChanged.isEmpty())
        lines << language.GetMsg(37130, {int(sexChanged.size()), Joined(sexChanged)});
    lines << (noteLines == 0 ? language.GetStr(37140) : language.GetMsg(37150, {noteLines}));
    if (!noteReplaced.isEmpty())
        lines << language.GetMsg(37160, {int(noteReplaced.size()), Joined(noteReplaced)});
    if (!removed.isEmpty())
    {
        lines << language.GetMsg(26750, {int(removed.size()), lostAnswers});
        for (qsizetype k = 0; k < removed.size() && k < kMaxListed; ++k)
        {
            const Removed& item = removed[k];
            lines << (item.name.isEmpty()
                          ? language.GetMsg(37100, {item.number, item.given, item.received})
                          : language.GetMsg(26760, {item.number, item.name, item.given, item.received}));
        }
        if (removed.size() > kMaxListed)
            lines << language.GetMsg(26570, {int(removed.size() - kMaxListed)});
        if (lostPairs > 0)
            lines << language.GetMsg(37170, {lostPairs});
    }
    return lines.join(u'\n') + QStringLiteral("\n\n") + language.GetStr(26990);
}

void DNamesImport::Apply(DTest& test) const
{
    EError::Guard(
        "DNamesImport::Apply()",
        [&]
        {
            DSubjList& list = test.subj.List();
            DDesi& desi = test.desi;
            // The plan fits only the subjects it was made on.
            if (list.GetSize() != from || desi.SubjCount() != from)
                throw EError(50020, {"DNamesImport::Apply()"});
            // Taken before the list changes: shrinking it clears the choices
            // of the numbers that go, and the records are read against it.
            const qint32 questions = desi.QuesCount();
            const qint32 ranks = desi.AnswCount();
            std::vector<qint32> cells;
            cells.reserve(std::size_t(questions) * std::size_t(ranks) * std::size_t(from));
            for (qint32 q = 1; q <= questions; ++q)
                for (qint32 r = 1; r <= ranks; ++r)
                    for (qint32 s = 1; s <= from; ++s)
                        cells.push_back(desi.GetDesi(q, r, s));
            const DGraphSocPins pins = test.Pins();
            const bool hasGroups = test.tags.Get(DGroupRecord::kTag).has_value();
            DGroupSettings groups = DGroupRecord::Load(test);
            std::vector<qint32> target(std::size_t(from) + 1, 0);
            for (std::size_t k = 0; k < origin.size(); ++k)
                if (origin[k] >= 0)
                    target[std::size_t(origin[k]) + 1] = qint32(k) + 1;

            list.FromMemo(lines_, origin);

            const auto renumbered = [&](qint32 value)
            {
                if (!DDesi::IsChoice(value))
                    return value;
                return value <= from ? target[std::size_t(value)] : 0;
            };
            for (qint32 q = 1; q <= questions; ++q)
                for (qint32 r = 1; r <= ranks; ++r)
                    for (qint32 k = 1; k <= to; ++k)
                    {
                        const qint32 s = origin[std::size_t(k) - 1] + 1;
                        const qint32 value =
                            s == 0 ? 0
                                   : renumbered(cells[(std::size_t(q - 1) * std::size_t(ranks) + std::size_t(r - 1)) *
                                                          std::size_t(from) +
                                                      std::size_t(s - 1)]);
                        desi.SetDesi(q, r, k, value);
                    }

            DGraphSocPins kept;
            for (qint32 k = 1; k <= to; ++k)
            {
                const qint32 s = origin[std::size_t(k) - 1] + 1;
                for (const bool acceptance : {true, false})
                    kept.Set(acceptance, k, s > 0 && pins.Is(acceptance, s));
            }
            if (!(kept == pins))
                test.SetPins(kept, true);

            if (hasGroups)
            {
                for (auto* pairs : {&groups.together, &groups.apart})
                    for (auto& [a, b] : *pairs)
                    {
                        a = target[std::size_t(a)];
                        b = target[std::size_t(b)];
                    }
                groups.Clean(to);
                DGroupRecord::Store(test, groups, true);
            }
        });
}
