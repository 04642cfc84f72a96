// Feeds arbitrary bytes to every reader of test files: the whole read, the
// import of the questions and the import of the subjects. A file that was
// read must also be written, read back and exported as the metric table.
// Errors (EError) are the expected answer to damaged files; anything else
// the sanitizers or the checks below notice is a fault.

#include "analyses/DGraph.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"
#include "model/EError.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>

#include <cstdint>
#include <cstdlib>
#include <unistd.h>

namespace
{
QString ScratchPath(const char* name)
{
    // Memory-backed where available: one file per input is written.
    const QString dir = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    return QStringLiteral("%1/kc-fuzz-%2-%3.KalCir").arg(dir).arg(::getpid()).arg(QString::fromLatin1(name));
}

template <class F> bool Try(F&& work)
{
    try
    {
        work();
        return true;
    }
    catch (const EError&)
    {
        return false;
    }
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    static DLanguage language(DLanguage::Store::Off);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const QString input = ScratchPath("input");
    static const QString output = ScratchPath("output");
    {
        QFile file(input);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    }

    DTest test;
    Try([&] { test.file.ReadOnlyQuestions(input); });
    Try([&] { test.file.ReadOnlySubjects(input); });

    DTest whole;
    if (Try([&] { whole.file.Read(input); }))
    {
        // The analyses with the options the file stored.
        DGraph& graph = whole.graph;
        QStringList lines;
        Try([&] { graph.met.ToMemoCsv(lines); });

        // What the program read it must be able to save and open again.
        if (!Try([&] { whole.file.Write(output); }))
            std::abort();
        DTest again;
        if (!Try([&] { again.file.Read(output); }))
            std::abort();
    }
    return 0;
}
