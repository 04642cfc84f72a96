#include "lang/DLanguage.h"

#include "lang/DLanguageTable.h"
#include "lang/DRegistry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace
{
DLanguage* g_active = nullptr;

const DLanguageEntry* Find(int id)
{
    const DLanguageEntry* end = kLanguageTable + kLanguageTableSize;
    const DLanguageEntry* it =
        std::lower_bound(kLanguageTable, end, id, [](const DLanguageEntry& e, int key) { return e.id < key; });
    return it != end && it->id == id ? it : nullptr;
}

const QString kSection = QStringLiteral("Options");
const QString kKey = QStringLiteral("Language");
} // namespace

DLanguage::DLanguage(Store store) : store_(store), previous_(g_active)
{
    g_active = this;
    if (store_ != Store::Off)
        Load();
}

DLanguage::DLanguage(int language) : language_(language), previous_(g_active)
{
    g_active = this;
}

DLanguage::~DLanguage()
{
    if (store_ == Store::LoadAndSave)
        Save();
    if (g_active == this)
        g_active = previous_;
}

DLanguage& DLanguage::Active()
{
    if (g_active)
        return *g_active;
    static DLanguage* fallback = []
    {
        auto* english = new DLanguage(English);
        g_active = english->previous_; // the fallback never becomes active itself
        return english;
    }();
    return *fallback;
}

QString DLanguage::GetStr(int id) const
{
    switch (language_)
    {
    case English:
        return GetStrEng(id);
    case Italian:
        return GetStrIta(id);
    default:
        return QStringLiteral("Language \"%1\" not supported in DLanguage::GetStr()!").arg(language_);
    }
}

QString DLanguage::GetStrEng(int id)
{
    if (const DLanguageEntry* e = Find(id))
        return QString::fromUtf16(e->eng);
    return QStringLiteral("Invalid error code \"%1\" in DLanguage::GetStrEng()!").arg(id);
}

QString DLanguage::GetStrIta(int id)
{
    if (const DLanguageEntry* e = Find(id))
        return QString::fromUtf16(e->ita);
    return QStringLiteral("Invalid error code \"%1\" in DLanguage::GetStrIta()!").arg(id);
}

bool DLanguage::Format(const QString& text, const DArgs& args, QString& result)
{
    result.clear();
    result.reserve(text.size() + 16);
    qsizetype next = 0;
    for (qsizetype i = 0; i < text.size(); ++i)
    {
        const QChar c = text[i];
        if (c == QLatin1Char('%') && i + 1 < text.size())
        {
            const QChar kind = text[i + 1];
            if (kind == QLatin1Char('d') || kind == QLatin1Char('s'))
            {
                if (next >= args.size())
                    return false;
                const DArg& arg = args[next++];
                if (arg.IsInt() != (kind == QLatin1Char('d')))
                    return false;
                result += arg.IsInt() ? QString::number(arg.Int()) : arg.Text();
                ++i;
                continue;
            }
        }
        result += c;
    }
    return true;
}

QString DLanguage::Formatted(int id, const DArgs& args, const char* function) const
{
    QString result;
    if (Format(GetStr(id), args, result))
        return result;
    return QStringLiteral("Unexpected error in DLanguage::%1(), code %2!").arg(QLatin1String(function)).arg(id);
}

QString DLanguage::GetErr(int id, const DArgs& args) const
{
    return Formatted(id, args, "GetErr");
}

QString DLanguage::GetMsg(int id, const DArgs& args) const
{
    return Formatted(id, args, "GetMsg");
}

QString DLanguage::GetHelpFile() const
{
    QString dir = QCoreApplication::applicationDirPath();
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    QString name;
    switch (language_)
    {
    case English:
        name = QStringLiteral("Kaleidocircle-eng.pdf");
        break;
    case Italian:
        name = QStringLiteral("Kaleidocircle-ita.pdf");
        break;
    default:
        return dir;
    }
    // Beside the executable in a build; an installed program keeps its
    // guides with the other documentation, away from the programs.
    const QString installed = QDir::cleanPath(dir + QStringLiteral("../share/doc/kaleidocircle/") + name);
    if (!QFileInfo::exists(dir + name) && QFileInfo::exists(installed))
        return installed;
    return dir + name;
}

QStringList DLanguage::Names()
{
    return {QStringLiteral("English"), QStringLiteral("Italiano")};
}

void DLanguage::Load()
{
    DRegistry registry(store_ == Store::LoadOnly ? DRegistry::Use::ReadQuietly : DRegistry::Use::ReadAndWrite);
    const int stored = registry.ReadInt(kSection, kKey, English);
    // A settings file of a later version, or edited by hand, may name a
    // language this build does not speak: every text would be a complaint.
    language_ = stored >= 0 && stored < Names().size() ? stored : English;
}

void DLanguage::Save() const
{
    DRegistry registry;
    registry.WriteInt(kSection, kKey, language_);
}
