#include "app/DFonts.h"
#include "lang/DLanguage.h"
#include "model/DTest.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kaleidocircle"));
    DFonts::Install();

    DLanguage language;
    DTest test;
    return 0;
}
