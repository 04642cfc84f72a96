#include "analyses/DFonts.h"
#include "app/TApplication.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // An export (--export=...) runs headless, on core code only, and ends the
    // run before any window or widget application exists. The toolkit's
    // libraries are mapped but never used: measured, that costs nothing,
    // while handing the export to kaleidocircle-export would start a second
    // process.
    if (DExport::IsRequested(argc, argv))
        return DExport::Main(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();
    DMessages::ReportRegistryInBoxes();

    // Reads the stored language now and stores it again when the run ends.
    DLanguage language;
    DTest test;

    TApplication windows(test, language);
    windows.Show();
    return app.exec();
}
