// Feeds arbitrary bytes to the program as its settings file, then reads
// every setting the core reads at start: the interface language and the
// palette. Whatever the file holds, the language is one the program speaks
// and its texts are texts, never an error about the language.

#include "analyses/DPalette.h"
#include "fuzz/FuzzSupport.h"
#include "lang/DRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    static QCoreApplication app(*argc, *argv);
    FuzzSupport::Initialize();
    // Failures of the store are reported, not shown: nothing to see here.
    DRegistry::SetReporter([](const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    using namespace FuzzSupport;
    // A folder of its own for every input: the settings library keeps the
    // files it has read, and the same name with the same size and time
    // would be taken for the file it already knows.
    static QTemporaryDir root;
    static int run = 0;
    const QString home = root.path() + QStringLiteral("/%1").arg(++run);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(home));
    QDir().mkpath(QFileInfo(DRegistry::FilePath()).path());
    QFile file(DRegistry::FilePath());
    if (!file.open(QIODevice::WriteOnly) || file.write(Bytes(data, size)) != qint64(size))
        std::abort();
    file.close();

    {
        DLanguage language(DLanguage::Store::LoadOnly);
        const int chosen = language.GetLanguage();
        if (chosen != DLanguage::English && chosen != DLanguage::Italian)
            Fail(QStringLiteral("the settings chose language %1, which the program does not speak").arg(chosen));
        if (language.GetStr(10000) != DLanguage::GetStrEng(10000) &&
            language.GetStr(10000) != DLanguage::GetStrIta(10000))
            Fail(QStringLiteral("a text reads \"%1\"").arg(language.GetStr(10000)));
        DPalette::Load();
    }
    QDir(home).removeRecursively();
    return 0;
}
