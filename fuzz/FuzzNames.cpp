// Feeds arbitrary text to the names import of a class that has answers, in
// every line format, as the subjects page's import does: a refused list
// changes nothing; a list taken keeps every answer on a subject of the class.

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
    static const QByteArray before = []
    {
        DTest test;
        BuildClass(test);
        return test.file.ToBytes();
    }();
    const QStringList lines = DSubjList::MemoLines(QString::fromUtf8(Bytes(data, size)));
    for (int format = 0; format < DSubjElemAppe::kFormats; ++format)
    {
        DTest test;
        if (!Read(test, before, &DFileKalCir::Read))
            Fail("the class cannot be read back");
        if (!Try([&] { test.subj.List().FromMemo(format, lines); }))
        {
            if (test.file.ToBytes() != before)
                Fail(QStringLiteral("a refused names list changed the test (format %1)").arg(format));
            continue;
        }
        if (!Try([&] { test.file.ToBytes(); }))
            Fail("a test whose names were imported cannot be written");
    }
    return 0;
}
