// Feeds arbitrary bytes to every reader of test files: the whole read, the
// import of the questions and the import of the subjects. A file that was
// read must also be written, and what was written must read back into a
// test that writes the very same bytes again: a writer that cannot store
// what the reader accepted, or a reader that changes what the writer stored,
// loses data on the next save. Everything stays in memory, so that a run
// leaves no files behind and spends its time in the reader, not the disk.
// Errors (EError) are the expected answer to damaged files; anything else
// the sanitizers or the checks below notice is a fault.

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
    const QByteArray input = Bytes(data, size);

    DTest imports;
    Read(imports, input, &DFileKalCir::ReadOnlyQuestions);
    Read(imports, input, &DFileKalCir::ReadOnlySubjects);

    DTest test;
    if (!Read(test, input, &DFileKalCir::Read))
        return 0;
    QByteArray written;
    if (!Try([&] { written = test.file.ToBytes(); }))
        Fail("a test that was read cannot be written");
    DTest again;
    if (!Read(again, written, &DFileKalCir::Read))
        Fail("a written test cannot be read back");
    QByteArray rewritten;
    if (!Try([&] { rewritten = again.file.ToBytes(); }))
        Fail("a test that was read back cannot be written");
    if (rewritten != written)
        Fail("a test that was read back writes other bytes than it was read from");
    return 0;
}
