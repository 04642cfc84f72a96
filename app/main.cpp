#include "analyses/DFonts.h"
#include "analyses/DPalette.h"
#include "app/DEndSignals.h"
#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "model/DFileReader.h"
#include "model/EError.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace
{
void PrintError(const QString& text)
{
    std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
}

// What keeps the window from starting, told on the command line before the
// toolkit is asked for a display, which it would abort the process without;
// empty when the window can start.
QString WindowRefusal(const QString& file)
{
    const DLanguage language(DLanguage::Store::LoadOnly);
    if (!file.isEmpty())
    {
        try
        {
            QFile test;
            DFileReader::Open(test, file);
        }
        catch (const EError& e)
        {
            return e.Message();
        }
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return language.GetStr(35280);
    return {};
}
} // namespace

int main(int argc, char* argv[])
{
    // The command line is read before any application object exists: help,
    // version, a wrong command line and an export never need a display. An
    // export runs headless, on core code only; the toolkit's libraries are
    // mapped but never used: measured, that costs nothing, while handing the
    // export to kaleidocircle-export would start a second process.
    const DExport::Command command = DExport::ParseCommand(DExport::Arguments(argc, argv), DExport::Program::Window);
    if (command.action != DExport::Action::Window)
        return DExport::Execute(command, DExport::Program::Window, argc, argv);
    if (const QString refusal = WindowRefusal(command.file); !refusal.isEmpty())
    {
        PrintError(refusal);
        return DExport::kFailed;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();
    DMessages::ReportRegistryInBoxes();

    // Reads the stored language now and stores it again when the run ends.
    DLanguage language;
    DPalette::Load();
    DTest test;

    TApplication windows(test, language);
    windows.FormMain().SetArguments(command.file.isEmpty() ? QStringList() : QStringList{command.file});
    // A signal that ends the run keeps the unsaved work for the next one and
    // releases the test's lock; the exit status is the shell's for a signal.
    const DEndSignals ending(
        [&windows](int signal)
        {
            windows.FormMain().KeepWorkForNextRun();
            QCoreApplication::exit(128 + signal);
        });
    windows.Show();
    return app.exec();
}
