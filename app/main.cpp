#include "analyses/DFonts.h"
#include "app/TApplication.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"

#include <QApplication>
#include <QByteArray>

#include <climits>
#include <unistd.h>

namespace
{
// kaleidocircle-export in the folder of this executable, or empty when there
// is none. The folder comes from the running image, not from argv[0], which
// need not name a path.
QByteArray ExporterPath()
{
    char self[PATH_MAX];
    const ssize_t length = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (length <= 0)
        return {};
    QByteArray path(self, int(length));
    path.truncate(path.lastIndexOf('/') + 1);
    path += "kaleidocircle-export";
    return access(path.constData(), X_OK) == 0 ? path : QByteArray();
}
} // namespace

int main(int argc, char* argv[])
{
    // An export (--export=...) runs headless: it is handed to the export
    // program beside this one, which loads nothing of the widget toolkit.
    // Where that program is missing, the same code runs here.
    if (DExport::IsRequested(argc, argv))
    {
        const QByteArray exporter = ExporterPath();
        if (!exporter.isEmpty())
            execv(exporter.constData(), argv);
        return DExport::Main(argc, argv);
    }

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
