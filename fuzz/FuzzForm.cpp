// Feeds arbitrary bytes to the reader of an online form's answers and imports
// them into a class, as the form import dialog does: the columns guessed,
// every name to resolve given the first subject it may stand for (or its rows
// left out), a pupil who answered twice their first row, then the plan
// written and summed up. A refused form must change nothing; an unexpected
// failure is a fault.

#include "answers/DFormImport.h"
#include "fuzz/FuzzSupport.h"

#include <QCoreApplication>

#include <memory>

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

    DTest test;
    if (!Read(test, before, &DFileKalCir::Read))
        Fail("the class cannot be read back");
    std::unique_ptr<DFormImport> form;
    if (!Try(
            [&] {
                form = DFormImport::Read(Bytes(data, size), QStringLiteral("form.csv"), test.subj.List(), test.desi);
            }) ||
        !form)
        return 0;
    for (const DFormImport::Name& name : form->Problems())
    {
        qint32 choice = DFormImport::kSkipRows;
        if (name.problem == DFormImport::Problem::Twice)
            choice = name.lines.isEmpty() ? choice : name.lines.first();
        else if (!name.match.candidates.isEmpty())
            choice = name.match.candidates.first();
        Try([&] { form->Resolve(name, choice); });
    }
    DFormImport::Plan plan;
    if (!Try([&] { plan = form->Apply(test.desi); }))
    {
        if (test.file.ToBytes() != before)
            Fail("a refused form import changed the test");
        return 0;
    }
    Try([&] { form->Summary(plan, DLanguage::Active()); });
    return 0;
}
