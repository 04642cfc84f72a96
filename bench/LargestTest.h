#pragma once

#include "document/DTest.h"
#include "model/DElemString.h"
#include "questions/DQuesList.h"
#include "subjects/DSubjList.h"

// The largest test the program accepts: 10 questions (the first five
// positive, the rest negative) x 10 answers x 100 subjects. Every cell holds
// a valid choice and nobody chooses himself; over its 100 answers each
// subject names all 99 others, so all 4,950 pairs of subjects are connected.
inline void BuildLargestTest(DTest& test)
{
    test.New();
    test.ques.List().SetSize(10, false);
    test.answ.num.SetValue(10, false);
    test.subj.List().SetSize(100, false);
    for (qint32 q = 0; q < 10; ++q)
        test.ques.List().GetSelected(q).type.SetValue(q < 5 ? 1 : 0, false);
    for (qint32 q = 1; q <= 10; ++q)
        for (qint32 r = 1; r <= 10; ++r)
            for (qint32 s = 1; s <= 100; ++s)
            {
                const qint32 k = ((q - 1) * 10 + (r - 1)) % 99; // 0..98: another subject each time
                test.desi.SetDesi(q, r, s, (s - 1 + 1 + k) % 100 + 1);
            }
}

// Every text of the test (questions, description, surnames, names, notes)
// at the longest length the file can hold: with BuildLargestTest, the
// largest file the program writes.
inline void FillLongestTexts(DTest& test)
{
    const QString text(DElemString::kMaxLength, QChar(u'x'));
    for (qint32 q = 0; q < test.ques.List().GetSize(); ++q)
        test.ques.List().GetSelected(q).text.SetText(text);
    test.subj.Description().SetText(text);
    for (qint32 s = 0; s < test.subj.Count(); ++s)
    {
        DSubjElem& subject = test.subj.List().GetSelected(s);
        subject.appe.Surname().SetText(text);
        subject.appe.Name().SetText(text);
        subject.note.SetText(text);
    }
}
