#pragma once

#include "document/DTest.h"
#include "questions/DQuesList.h"
#include "subjects/DSubjList.h"

// A school class as the sociogram meets it: 24 subjects, 4 questions (two
// positive, two negative) x 3 answers. Four circles of six friends choose
// mostly among themselves, a few well-liked subjects are chosen from every
// circle, and subject 24 neither chooses nor is chosen. The choices come from
// a fixed sequence, so the test is the same every time.
inline void BuildClassTest(DTest& test)
{
    test.New();
    test.ques.List().SetSize(4, false);
    test.answ.num.SetValue(3, false);
    test.subj.List().SetSize(24, false);
    for (qint32 q = 0; q < 4; ++q)
        test.ques.List().GetSelected(q).type.SetValue(q < 2 ? 1 : 0, false);
    quint32 seed = 12345;
    auto next = [&seed](quint32 n)
    {
        seed = seed * 1103515245u + 12345u;
        return (seed >> 16) % n;
    };
    const qint32 liked[] = {3, 10, 17};
    for (qint32 s = 1; s <= 23; ++s)
    {
        const qint32 circle = (s - 1) / 6;
        for (qint32 q = 1; q <= 4; ++q)
        {
            std::vector<qint32> chosen;
            for (qint32 r = 1; r <= 3; ++r)
            {
                qint32 c = 0;
                do
                {
                    const quint32 pick = next(10);
                    if (q <= 2 && pick < 6)
                        c = circle * 6 + qint32(next(6)) + 1; // a friend
                    else if (q <= 2 && pick < 8)
                        c = liked[next(3)];
                    else
                        c = qint32(next(23)) + 1;
                    if (c > 23)
                        c = 23;
                } while (c == s || std::find(chosen.begin(), chosen.end(), c) != chosen.end());
                chosen.push_back(c);
                test.desi.SetDesi(q, r, s, c);
            }
        }
    }
}
