#include "export/DExport.h"
#include "analyses/DFonts.h"
#include "app/TApplication.h"
#include "lang/DLanguage.h"
#include "document/DTest.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    // An export (--export=...) runs headless and ends the run before any
    // window or widget application exists.
    if (DExport::IsRequested(argc, argv))
        return DExport::Main(argc, argv);

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();

    // Reads the stored language now and stores it again when the run ends.
    DLanguage language;
    DTest test;

    TApplication windows(test, language);
    windows.Show();
    return app.exec();
}
