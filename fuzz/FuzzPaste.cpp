// Feeds arbitrary text to the answers' paste, as if copied from a
// spreadsheet onto a few places of a few subjects' answers: every cell it
// stores must lie on the grid and name a subject of the class other than the
// chooser, and no question may name a classmate twice once the block is in;
// a refused block is an EError naming the cell.

#include "answers/DAnswPaste.h"
#include "answers/DAnswPick.h"
#include "fuzz/FuzzSupport.h"

#include <QCoreApplication>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    FuzzSupport::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace FuzzSupport;
    static DTest test;
    static const bool built = (BuildClass(test), true);
    Q_UNUSED(built);
    const QString text = QString::fromUtf8(Bytes(data, size));
    const qint32 subjects = test.subj.Count();
    const qint32 questions = test.ques.List().GetSize();
    const qint32 answers = test.answ.num.GetValue();
    struct Corner
    {
        qint32 chooser, question, answer;
    };
    for (const Corner corner : {Corner{1, 1, 1}, Corner{12, 2, 3}, Corner{7, 3, 2}})
    {
        const qint32 chooser = corner.chooser;
        const DAnswPaste::Target target{test.subj.List(), subjects,  chooser, corner.question,
                                        corner.answer,    questions, answers, &test.desi};
        Try(
            [&]
            {
                // The chooser's answers after the paste: a question may name
                // a classmate once.
                QList<QList<qint32>> after;
                for (qint32 q = 1; q <= questions; ++q)
                    after << DAnswPick::Answers(test.desi, q, chooser);
                for (const DAnswPaste::Cell& cell : DAnswPaste::Resolve(text, target))
                {
                    if (cell.question < 1 || cell.question > questions || cell.answer < 1 || cell.answer > answers ||
                        cell.value < 0 || cell.value > subjects || cell.value == chooser)
                        Fail(QStringLiteral("a paste stores %1 in question %2, answer %3")
                                 .arg(cell.value)
                                 .arg(cell.question)
                                 .arg(cell.answer));
                    after[cell.question - 1][cell.answer - 1] = cell.value;
                }
                for (qint32 q = 1; q <= questions; ++q)
                    for (qint32 a = 1; a <= answers; ++a)
                        if (DAnswPick::Check(chooser, after[q - 1][a - 1], a, after[q - 1]))
                            Fail(QStringLiteral("a paste leaves subject %1 twice in question %2")
                                     .arg(after[q - 1][a - 1])
                                     .arg(q));
            });
    }
    return 0;
}
