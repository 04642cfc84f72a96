#include "lang/DRegistry.h"

#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

namespace
{
DRegistry::Reporter& reporter()
{
    static DRegistry::Reporter r;
    return r;
}

DRegistry::Reporter& defaultReporter()
{
    static DRegistry::Reporter r;
    return r;
}
} // namespace

void DRegistry::SetReporter(Reporter r)
{
    reporter() = std::move(r);
}

void DRegistry::SetDefaultReporter(Reporter r)
{
    defaultReporter() = std::move(r);
}

void DRegistry::Report(const QString& text)
{
    if (reporter())
        reporter()(text);
    else if (defaultReporter())
        defaultReporter()(text);
    else
        qWarning("%s", qPrintable(text));
}

QString DRegistry::FilePath()
{
    // Where QSettings keeps organisation "Zelvor", application "Kaleidocircle".
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Zelvor/Kaleidocircle.conf");
}

void DRegistry::Complain(const QString& text) const
{
    if (!quiet_)
        Report(text);
}

bool DRegistry::IsUsable(const QString& path)
{
    // Looked at without opening it: opening a FIFO for reading waits for a
    // writer that never comes. What is not a regular file of a sensible
    // size cannot be this store's file.
    const QFileInfo info(path);
    return !info.exists() || (info.isFile() && info.size() <= kMaxFileBytes);
}

DRegistry::DRegistry(Use use) : quiet_(use == Use::ReadQuietly)
{
    // QSettings reads its file as soon as it is created and again before it
    // writes, and takes a lock file beside it to write: each is looked at
    // first. A store that is not usable is left alone, neither read nor
    // replaced, and every setting keeps its default.
    const QString path = FilePath();
    if (!IsUsable(path) || !IsUsable(path + QStringLiteral(".lock")))
    {
        ignored_ = true;
        return;
    }
    settings_ = std::make_unique<QSettings>(path, QSettings::NativeFormat);
    if (settings_->status() != QSettings::NoError)
    {
        settings_.reset();
        Complain(QStringLiteral("Registry opening error!"));
    }
}

DRegistry::~DRegistry()
{
    if (!settings_ || quiet_)
        return;
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        Complain(QStringLiteral("Registry closing error!"));
}

int DRegistry::ReadInt(const QString& section, const QString& key, int defaultValue)
{
    if (ignored_)
        return defaultValue;
    work_ = QStringLiteral("Registry read error in TDataRegistry::ReadInt(), sec: %1, key: %2").arg(section, key);
    if (!settings_)
    {
        Complain(work_);
        return defaultValue;
    }
    const QString path = section + QLatin1Char('/') + key;
    if (!settings_->contains(path))
        return defaultValue;
    bool ok = false;
    const int value = settings_->value(path).toString().trimmed().toInt(&ok);
    return ok ? value : defaultValue;
}

void DRegistry::WriteInt(const QString& section, const QString& key, int value)
{
    if (ignored_ || quiet_)
        return;
    work_ = QStringLiteral("Registry write error in TDataRegistry::WriteInt(), sec: %1, key: %2").arg(section, key);
    if (!settings_)
    {
        Report(work_);
        return;
    }
    settings_->setValue(section + QLatin1Char('/') + key, value);
    settings_->sync();
    if (settings_->status() != QSettings::NoError || !settings_->isWritable())
        Report(work_);
}
