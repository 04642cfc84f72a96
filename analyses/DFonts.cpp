#include "analyses/DFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QStringList>

void DFonts::Install()
{
    if (!QFontDatabase::families().contains(Family(), Qt::CaseInsensitive))
        QFont::insertSubstitution(Family(), Substitute());
}
