#include "kit/DToolkitTexts.h"

#include "lang/DLanguage.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace
{
QTranslator& Translator()
{
    static QTranslator translator;
    return translator;
}

// The few texts the toolkit's Italian catalogue lacks: the names of kinds of
// files that its file dialogs show in their Type column.
class MissingTexts : public QTranslator
{
public:
    bool isEmpty() const override { return false; }

    QString translate(const char* context, const char* source, const char* disambiguation = nullptr,
                      int n = -1) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (!context || !source || std::strcmp(context, "QAbstractFileIconProvider") != 0)
            return QString();
        static const struct
        {
            const char* source;
            int id;
        } kTexts[] = {{"Folder", 35640}, {"Drive", 35650}, {"%1 File", 35660}};
        for (const auto& text : kTexts)
            if (std::strcmp(source, text.source) == 0)
                return DLanguage::GetStrIta(text.id);
        return QString();
    }
};

MissingTexts& Missing()
{
    static MissingTexts missing;
    return missing;
}
} // namespace

bool DToolkitTexts::Apply(int language)
{
    QTranslator& translator = Translator();
    QCoreApplication::removeTranslator(&Missing());
    QCoreApplication::removeTranslator(&translator);
    // The kinds of files in the file dialogs follow the default locale;
    // whatever the program writes names its locale itself.
    const bool italian = language == DLanguage::Italian;
    QLocale::setDefault(italian ? QLocale(QLocale::Italian, QLocale::Italy) : QLocale::system());
    if (!italian)
        return true;
    // A missing catalogue leaves the toolkit in English, as it was before
    // translations existed: the interface's own texts are still Italian.
    if (!translator.load(QStringLiteral("qtbase_it"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // Installed last, the missing texts are asked first.
    return QCoreApplication::installTranslator(&translator) && QCoreApplication::installTranslator(&Missing());
}
