#include "kit/DToolkitTexts.h"

#include "lang/DLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace
{
QTranslator& Translator()
{
    static QTranslator translator;
    return translator;
}
} // namespace

bool DToolkitTexts::Apply(int language)
{
    QTranslator& translator = Translator();
    QCoreApplication::removeTranslator(&translator);
    if (language != DLanguage::Italian)
        return true;
    // A missing catalogue leaves the toolkit in English, as it was before
    // translations existed: the interface's own texts are still Italian.
    if (!translator.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}
