// Feeds arbitrary bytes to the reader of an online form's answers and imports
// them into a class, as the form import dialog does: the columns guessed,
// every name to resolve given the first subject it may stand for (or its rows
// left out), then the plan built and written. A refused form must change
// nothing; an unexpected failure is a fault.

#include "answers/DFormImport.h"
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

    QList<DCsvReader::Record> records;
    if (!Try([&] { records = DCsvReader::Parse(Bytes(data, size), QStringLiteral("form.csv")); }))
        return 0;
    DTest test;
    if (!Read(test, before, &DFileKalCir::Read))
        Fail("the class cannot be read back");
    Try(
        [&]
        {
            DFormImport form(records, QStringLiteral("form.csv"), test.subj.List(), test.desi);
            for (const DFormImport::Name& name : form.Problems())
                form.Resolve(name.text,
                             name.match.candidates.isEmpty() ? DFormImport::kSkipRows : name.match.candidates.first());
            if (!Try([&] { form.Apply(test.desi); }) && test.file.ToBytes() != before)
                Fail("a refused form import changed the test");
        });
    return 0;
}
