#include "tests/TestSupport.h"

#include "analyses/DFonts.h"
#include "model/EError.h"
#include "questions/DQuesList.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <poll.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace TestSupport
{
void PrepareEnvironment(const char* program)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Started by hand: keep runtime files and settings out of the user's home.
    if (qEnvironmentVariableIsEmpty("KC_TEST_DATA"))
    {
        const QString base = QDir::tempPath() + QStringLiteral("/kaleidocircle-tests");
        QDir().mkpath(base + QStringLiteral("/runtime"));
        QDir().mkpath(base + QStringLiteral("/config"));
        QDir().mkpath(base + QStringLiteral("/data"));
        ::chmod(QFile::encodeName(base + QStringLiteral("/runtime")).constData(), 0700);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(base + QStringLiteral("/runtime")));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(base + QStringLiteral("/config")));
        qputenv("XDG_DATA_HOME", QFile::encodeName(base + QStringLiteral("/data")));
        qputenv("HOME", QFile::encodeName(base));
    }
    const QString own = QFileInfo(QFile::decodeName(program)).fileName();
    for (const char* variable : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
    {
        QDir folder(QFile::decodeName(qgetenv(variable)) + QLatin1Char('/') + own);
        folder.removeRecursively();
        QDir().mkpath(folder.path());
        qputenv(variable, QFile::encodeName(folder.path()));
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

QString OwnProgram()
{
    return QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget().section(QLatin1Char('/'), -1);
}

void MakeMixedQuestions(DQuesList& list)
{
    list.SetSize(3, true);
    for (qint32 k = 0; k < 3; ++k)
        list.GetSelected(k).text.UserUpdate(QStringLiteral("Question %1").arg(k + 1));
    list.GetSelected(1).type.Invert();
}

int PdfPageCount(const QByteArray& pdf)
{
    int pages = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        if (pdf.mid(at + 11, 1) != "s")
            ++pages;
    return pages;
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

std::optional<QByteArray> InChild(const std::function<QByteArray()>& work, int milliseconds)
{
    int pipe[2] = {-1, -1};
    if (::pipe(pipe) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0)
    {
        ::close(pipe[0]);
        const QByteArray answer = work();
        const bool written = ::write(pipe[1], answer.constData(), size_t(answer.size())) == answer.size();
        ::_exit(written ? 0 : 1);
    }
    ::close(pipe[1]);
    QByteArray answer;
    QDeadlineTimer deadline(milliseconds);
    bool ended = false;
    while (child > 0 && !ended && !deadline.hasExpired())
    {
        pollfd wait = {pipe[0], POLLIN, 0};
        if (::poll(&wait, 1, int(deadline.remainingTime())) <= 0)
            break;
        char buffer[512];
        const ssize_t got = ::read(pipe[0], buffer, sizeof buffer);
        if (got <= 0)
            ended = true;
        else
            answer.append(buffer, got);
    }
    ::close(pipe[0]);
    if (child > 0 && !ended)
        ::kill(child, SIGKILL);
    int status = 0;
    if (child > 0)
        ::waitpid(child, &status, 0);
    if (!ended)
        return std::nullopt;
    return answer;
}

TmpfsFolder::TmpfsFolder(const QString& path, const char* options) : path_(path)
{
    QDir().mkpath(path_);
    mounted_ = ::mount("tmpfs", QFile::encodeName(path_).constData(), "tmpfs", 0, options) == 0;
}

TmpfsFolder::~TmpfsFolder()
{
    if (mounted_)
        ::umount2(QFile::encodeName(path_).constData(), MNT_DETACH);
    else
        ::chmod(QFile::encodeName(path_).constData(), 0755);
}

void TmpfsFolder::Fill() const
{
    QFile filler(path_ + QStringLiteral("/filler"));
    if (!filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return;
    const QByteArray block(4096, '\0');
    while (filler.write(block) > 0)
    {
    }
}

bool TmpfsFolder::Seal()
{
    const QByteArray path = QFile::encodeName(path_);
    if (mounted_)
        ::mount(nullptr, path.constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr);
    else
        ::chmod(path.constData(), 0555);
    // Whatever was tried, only a failed creation proves it.
    const QString probe = QDir(path_).filePath(QStringLiteral("probe"));
    QFile file(probe);
    if (!file.open(QIODevice::WriteOnly))
        return true;
    file.remove();
    return false;
}
} // namespace TestSupport
