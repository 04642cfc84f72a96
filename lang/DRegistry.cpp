#include "lang/DRegistry.h"

#include <QApplication>
#include <QMessageBox>
#include <QSettings>

namespace
{
DRegistry::Reporter& reporter()
{
    static DRegistry::Reporter r;
    return r;
}
} // namespace

void DRegistry::SetReporter(Reporter r)
{
    reporter() = std::move(r);
}

void DRegistry::Report(const QString& text)
{
    if (reporter())
        reporter()(text);
    else if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        QMessageBox::critical(nullptr, QStringLiteral("ERROR"), text);
    else
        qWarning("%s", qPrintable(text));
}

DRegistry::DRegistry()
    : settings_(std::make_unique<QSettings>(QStringLiteral("Zelvor"), QStringLiteral("Kaleidocircle")))
{
    if (settings_->status() != QSettings::NoError)
    {
        settings_.reset();
        Report(QStringLiteral("Registry opening error!"));
    }
}

DRegistry::~DRegistry()
{
    if (!settings_)
        return;
    settings_->sync();
    if (settings_->status() != QSettings::NoError)
        Report(QStringLiteral("Registry closing error!"));
}

int DRegistry::ReadInt(const QString& section, const QString& key, int defaultValue)
{
    work_ = QStringLiteral("Registry read error in TDataRegistry::ReadInt(), sec: %1, key: %2").arg(section, key);
    if (!settings_)
    {
        Report(work_);
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
