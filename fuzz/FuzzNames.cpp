// Feeds arbitrary text to the names import of a class that has answers, in
// every line format, as the subjects page's import does: the plan and its
// question, then the import. A refused list changes nothing; a list taken
// leaves every choice on a subject of the class other than the chooser.

#include "document/DNamesImport.h"
#include "fuzz/FuzzSupport.h"
#include "subjects/DSubjElemAppe.h"

#include <QCoreApplication>

#include <optional>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    FuzzSupport::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace FuzzSupport;
    const QByteArray& before = ClassBytes();
    const QStringList lines = DSubjList::MemoLines(QString::fromUtf8(Bytes(data, size)));
    for (int format = 0; format < DSubjElemAppe::kFormats; ++format)
    {
        DTest test;
        if (!Read(test, before, &DFileKalCir::Read))
            Fail("the class cannot be read back");
        std::optional<DNamesImport> plan;
        if (!Try(
                [&]
                {
                    plan.emplace(test, format, lines);
                    plan->Question();
                }))
        {
            if (test.file.ToBytes() != before)
                Fail(QStringLiteral("a refused names list changed the test (format %1)").arg(format));
            continue;
        }
        if (!Try([&] { plan->Apply(test); }))
            Fail(QStringLiteral("a planned names import failed (format %1)").arg(format));
        const qint32 subjects = test.subj.Count();
        for (qint32 q = 1; q <= test.desi.QuesCount(); ++q)
            for (qint32 a = 1; a <= test.desi.AnswCount(); ++a)
                for (qint32 s = 1; s <= subjects; ++s)
                {
                    const qint32 value = test.desi.GetDesi(q, a, s);
                    if (value < 0 || value > subjects || value == s)
                        Fail(QStringLiteral("after a names import subject %1 chooses %2").arg(s).arg(value));
                }
        if (!Try([&] { test.file.ToBytes(); }))
            Fail("a test whose names were imported cannot be written");
    }
    return 0;
}
