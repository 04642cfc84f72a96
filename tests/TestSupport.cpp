#include "tests/TestSupport.h"

#include "app/DFonts.h"
#include "model/EError.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

namespace TestSupport
{
void PrepareEnvironment()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Started by hand: keep runtime files and settings out of the user's home.
    if (qEnvironmentVariableIsEmpty("KC_TEST_DATA"))
    {
        const QString base = QDir::tempPath() + QStringLiteral("/kaleidocircle-tests");
        QDir().mkpath(base + QStringLiteral("/runtime"));
        QDir().mkpath(base + QStringLiteral("/config"));
        ::chmod(QFile::encodeName(base + QStringLiteral("/runtime")).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base + QStringLiteral("/runtime")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + QStringLiteral("/config")));
        qputenv("HOME", QFile::encodeName(base));
    }
}

void PrepareApplication()
{
    DFonts::Install();
}

QByteArray ReadFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void WriteFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

QByteArray Int32(qint32 value)
{
    QByteArray bytes(4, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Int64(qint64 value)
{
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray Utf16(const QString& text)
{
    QByteArray bytes(text.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text.utf16(), text.size(), bytes.data());
    return bytes;
}

QString ErrorOf(const std::function<void()>& work)
{
    try
    {
        work();
    }
    catch (const EError& e)
    {
        return e.Message();
    }
    return {};
}
FullDisk::FullDisk(const QString& folder) : folder_(folder)
{
    QDir().mkpath(folder);
    mounted_ = ::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
}

FullDisk::~FullDisk()
{
    if (mounted_)
        ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
}

void FullDisk::Fill() const
{
    QFile filler(folder_ + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, '\0');
    while (filler.write(block) > 0)
    {
    }
}
} // namespace TestSupport
