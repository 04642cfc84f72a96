#include "document/DDataLoss.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QStringList>

namespace
{
// A dialog lists at most this many removed entries; the rest are counted.
constexpr qsizetype kMaxListed = 10;

// The number in the user's text; -1 when it is none.
qint32 Number(const QString& text)
{
    bool ok = false;
    const qint32 n = text.trimmed().toInt(&ok);
    return ok ? n : -1;
}

// Calls visit(question, rank, subject, value) for every cell of the matrix
// that holds a choice, all counted from 1.
template <class F> void ForEachChoice(const DDesi& desi, F&& visit)
{
    for (qint32 q = 1; q <= desi.QuesCount(); ++q)
        for (qint32 r = 1; r <= desi.AnswCount(); ++r)
            for (qint32 s = 1; s <= desi.SubjCount(); ++s)
            {
                const qint32 value = desi.GetDesi(q, r, s);
                if (DDesi::IsChoice(value))
                    visit(q, r, s, value);
            }
}

// A count typed by the user: fill runs only for a number the setter takes
// that is below the count now; anything else removes nothing.
template <class F>
DDataLoss Lowering(const char* module, DDataLoss::Kind kind, qint32 from, qint32 min, const QString& text, F&& fill)
{
    return EError::Guard(module,
                         [&]
                         {
                             DDataLoss loss;
                             loss.kind = kind;
                             loss.from = from;
                             loss.to = Number(text);
                             if (loss.to >= min && loss.to < from)
                                 fill(loss);
                             // What stays is told only for imports.
                             loss.keptAnswers = 0;
                             return loss;
                         });
}

bool SurnameFirst(const DTest& test)
{
    return test.answ.subjSort.IsSurnameName();
}

bool HasData(const DSubjElem& subject)
{
    return subject.appe.IsFilled() || subject.note.HasText();
}

bool SameNames(const DSubjElem& a, const DSubjElem& b)
{
    return a.appe.Surname().ToString() == b.appe.Surname().ToString() &&
           a.appe.Name().ToString() == b.appe.Name().ToString();
}

QString Lines(const QStringList& lines)
{
    return lines.join(u'\n') + QStringLiteral("\n\n") + DLanguage::Active().GetStr(26990);
}

// The removed entries as lines: at most kMaxListed, then how many more.
void AddItems(QStringList& lines, const QList<DDataLoss::Item>& items, int withLabel, int withoutLabel)
{
    const DLanguage& language = DLanguage::Active();
    for (qsizetype k = 0; k < items.size() && k < kMaxListed; ++k)
    {
        const DDataLoss::Item& item = items[k];
        lines << (item.label.isEmpty() ? language.GetMsg(withoutLabel, {item.number, item.answers})
                                       : language.GetMsg(withLabel, {item.number, item.label, item.answers}));
    }
    if (items.size() > kMaxListed)
        lines << language.GetMsg(26570, {int(items.size() - kMaxListed)});
}
} // namespace

void DDataLoss::DropQuestions(const DTest& test, qint32 count)
{
    const DDesi& desi = test.desi;
    const DQuesList& list = test.ques.List();
    QList<qint32> given(list.GetSize() + 1, 0);
    ForEachChoice(desi,
                  [&](qint32 q, qint32, qint32, qint32)
                  {
                      if (q > count)
                      {
                          ++answers;
                          if (q < given.size())
                              ++given[q];
                      }
                      else
                          ++keptAnswers;
                  });
    for (qint32 q = count + 1; q <= list.GetSize(); ++q)
    {
        const QString text = list.GetSelected(q - 1).text.ToString();
        if (!text.isEmpty() || given[q] > 0)
            dropped << Item{q, text, given[q]};
    }
}

void DDataLoss::DropSubjects(const DTest& test, qint32 count)
{
    const DSubjList& list = test.subj.List();
    // An answer goes with the removed subject that gave it, or else with the
    // removed subject it names.
    QList<qint32> lost(list.GetSize() + 1, 0);
    ForEachChoice(test.desi,
                  [&](qint32, qint32, qint32 s, qint32 value)
                  {
                      const qint32 owner = s > count ? s : value > count ? value : 0;
                      if (owner == 0)
                          ++keptAnswers;
                      else
                      {
                          ++answers;
                          if (owner < lost.size())
                              ++lost[owner];
                      }
                  });
    for (qint32 s = count + 1; s <= list.GetSize(); ++s)
    {
        const DSubjElem& subject = list.GetSelected(s - 1);
        if (HasData(subject) || lost[s] > 0)
            dropped << Item{s, subject.appe.ToString(SurnameFirst(test)), lost[s]};
    }
}

DDataLoss DDataLoss::QuestionCount(const DTest& test, const QString& text)
{
    return Lowering("DDataLoss::QuestionCount()", Kind::QuestionCount, test.ques.List().GetSize(), DQuesList::kMin,
                    text, [&](DDataLoss& loss) { loss.DropQuestions(test, loss.to); });
}

DDataLoss DDataLoss::AnswerCount(const DTest& test, const QString& text)
{
    return Lowering("DDataLoss::AnswerCount()", Kind::AnswerCount, test.answ.num.GetValue(), DAnswNum::kMin, text,
                    [&](DDataLoss& loss)
                    {
                        ForEachChoice(test.desi,
                                      [&](qint32, qint32 r, qint32, qint32)
                                      {
                                          if (r > loss.to)
                                              ++loss.answers;
                                      });
                    });
}

DDataLoss DDataLoss::SubjectCount(const DTest& test, const QString& text)
{
    return Lowering("DDataLoss::SubjectCount()", Kind::SubjectCount, test.subj.Count(), DSubjList::kMinSubjects, text,
                    [&](DDataLoss& loss) { loss.DropSubjects(test, loss.to); });
}

DDataLoss DDataLoss::QuestionImport(const DTest& test, const QString& path, DTest& imported)
{
    return EError::Guard("DDataLoss::QuestionImport()",
                         [&]
                         {
                             imported.file.ReadOnlyQuestions(path);
                             const DQuesList& now = test.ques.List();
                             const DQuesList& next = imported.ques.List();
                             DDataLoss loss;
                             loss.kind = Kind::QuestionImport;
                             loss.path = path;
                             loss.from = now.GetSize();
                             loss.to = next.GetSize();
                             loss.DropQuestions(test, loss.to);
                             for (qint32 q = 0; q < qMin(loss.from, loss.to); ++q)
                             {
                                 const DQuesElem& old = now.GetSelected(q);
                                 const DQuesElem& replacement = next.GetSelected(q);
                                 if (old.text.HasText() && (old.text.ToString() != replacement.text.ToString() ||
                                                            old.type.IsPositive() != replacement.type.IsPositive()))
                                     ++loss.replaced;
                             }
                             return loss;
                         });
}

DDataLoss DDataLoss::SubjectImport(const DTest& test, const QString& path, DTest& imported)
{
    return EError::Guard("DDataLoss::SubjectImport()",
                         [&]
                         {
                             imported.file.ReadOnlySubjects(path);
                             const DSubjList& now = test.subj.List();
                             const DSubjList& next = imported.subj.List();
                             DDataLoss loss;
                             loss.kind = Kind::SubjectImport;
                             loss.path = path;
                             loss.from = now.GetSize();
                             loss.to = next.GetSize();
                             loss.DropSubjects(test, loss.to);
                             for (qint32 s = 0; s < qMin(loss.from, loss.to); ++s)
                             {
                                 const DSubjElem& old = now.GetSelected(s);
                                 const DSubjElem& replacement = next.GetSelected(s);
                                 if (HasData(old) && (!SameNames(old, replacement) ||
                                                      old.note.ToString() != replacement.note.ToString() ||
                                                      old.sex.IsFemale() != replacement.sex.IsFemale()))
                                     ++loss.replaced;
                             }
                             const QString description = test.subj.Description().ToString();
                             loss.descriptionReplaced =
                                 !description.isEmpty() && description != imported.subj.Description().ToString();
                             return loss;
                         });
}

QString DDataLoss::Question() const
{
    if (IsEmpty())
        return {};
    const DLanguage& language = DLanguage::Active();
    QStringList lines;
    const qint32 kept = qMin(from, to);
    switch (kind)
    {
    case Kind::QuestionCount:
        lines << language.GetMsg(26500, {from, to, answers});
        AddItems(lines, dropped, 26510, 26520);
        break;
    case Kind::AnswerCount:
        lines << language.GetMsg(26530, {from, to, answers});
        break;
    case Kind::SubjectCount:
        lines << language.GetMsg(26540, {from, to, answers});
        AddItems(lines, dropped, 26550, 26560);
        break;
    case Kind::QuestionImport:
        lines << language.GetMsg(26600, {path, to});
        if (replaced > 0)
            lines << language.GetMsg(26610, {replaced});
        if (!dropped.isEmpty())
            lines << language.GetMsg(26620, {to + 1, from, answers});
        if (keptAnswers > 0)
            lines << language.GetMsg(26630, {keptAnswers, kept});
        break;
    case Kind::SubjectImport:
        lines << language.GetMsg(26640, {path, to});
        if (replaced > 0)
            lines << language.GetMsg(26650, {replaced});
        if (descriptionReplaced)
            lines << language.GetStr(26660);
        if (!dropped.isEmpty())
            lines << language.GetMsg(26670, {to + 1, from, answers});
        if (keptAnswers > 0)
            lines << language.GetMsg(26680, {keptAnswers, kept});
        break;
    case Kind::None:
        return {};
    }
    return Lines(lines);
}
