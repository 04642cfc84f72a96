#include "model/DFileWriter.h"

#include "model/DFileError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
using Step = DFileWriter::Step;

struct Injected
{
    bool active = false;
    Step step = Step::Write;
    int error = 0;
};
Injected g_fault;

int InjectedAt(Step step)
{
    if (!g_fault.active || g_fault.step != step)
        return 0;
    if (g_fault.error == DFileWriter::kKilled)
        ::raise(SIGKILL);
    return g_fault.error;
}

// The temporary file of a save is named after its target, with the process
// that writes it: ".class.KalCir.part-PID-XXXXXX". The name is kept short
// enough for any target the folder takes.
constexpr qsizetype kNameKept = 100;
const QString kPart = QStringLiteral(".part-");
constexpr int kRandomLength = 6;

QString PartPrefix(const QString& targetName)
{
    return QLatin1Char('.') + targetName.left(kNameKept) + kPart;
}

// The process whose temporary file name is, after the prefix; 0 when the
// name is not one this writer makes.
qint64 PartOwner(const QString& rest)
{
    const qsizetype dash = rest.indexOf(QLatin1Char('-'));
    if (dash <= 0 || rest.size() - dash - 1 != kRandomLength)
        return 0;
    for (qsizetype i = dash + 1; i < rest.size(); ++i)
        if (!rest[i].isLetterOrNumber() || rest[i].unicode() > 127)
            return 0;
    bool ok = false;
    const qint64 pid = rest.left(dash).toLongLong(&ok);
    return ok && pid > 0 ? pid : 0;
}

bool IsRunning(qint64 pid)
{
    return pid == qint64(::getpid()) ? false : ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

// Removes the temporary files of saves of target that were killed before
// they could remove them: their process no longer runs. A save under way in
// another running process keeps its own.
void RemoveLeftovers(const QString& target)
{
    const QFileInfo info(target);
    const QString prefix = PartPrefix(info.fileName());
    const QDir folder = info.dir();
    const QStringList names =
        folder.entryList({prefix + QLatin1Char('*')}, QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QString& name : names)
    {
        const qint64 owner = PartOwner(name.mid(prefix.size()));
        if (owner == 0 || IsRunning(owner))
            continue;
        const QByteArray path = QFile::encodeName(folder.filePath(name));
        struct stat status = {};
        if (::lstat(path.constData(), &status) == 0 && S_ISREG(status.st_mode))
            ::unlink(path.constData());
    }
}

// A link is kept and its target replaced, as any editor does; a chain of
// links too long to follow is replaced itself.
QString Target(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 40 && info.isSymLink(); ++depth)
        info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

// Writes every byte to the descriptor; the errno of the first failure, 0 when
// all bytes were taken.
int WriteAll(int handle, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    const int injected = InjectedAt(Step::Write);
    qint64 left = injected ? bytes.size() / 2 : bytes.size();
    while (left > 0)
    {
        // A single write() never takes more than about 2 GB.
        const ssize_t written = ::write(handle, data, static_cast<size_t>(std::min<qint64>(left, 1 << 30)));
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return injected;
}

int Sync(int handle)
{
    if (::fdatasync(handle) != 0)
        return errno;
    return InjectedAt(Step::Sync);
}

// Creates the temporary file beside target; its descriptor, or -1 with errno
// set.
int CreatePart(const QString& target, QString& part, mode_t mode)
{
    const QFileInfo info(target);
    const QString prefix =
        info.dir().filePath(PartPrefix(info.fileName()) + QString::number(::getpid()) + QLatin1Char('-'));
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    for (int attempt = 0; attempt < 100; ++attempt)
    {
        part = prefix;
        for (int i = 0; i < kRandomLength; ++i)
            part += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters - 1))]);
        const int handle =
            ::open(QFile::encodeName(part).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
    return -1;
}

// Makes the rename itself last through a power cut; a folder that cannot be
// synced costs nothing more than before.
void SyncFolder(const QString& target)
{
    const int folder =
        ::open(QFile::encodeName(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0)
    {
        ::fsync(folder);
        ::close(folder);
    }
}
} // namespace

void DFileWriter::Write(const QString& path, const QByteArray& bytes, Access access)
{
    constexpr auto kWrite = DFileError::Action::Write;
    DFileError::RefuseNonRegular(kWrite, path);

    const QString target = Target(path);
    const QByteArray targetName = QFile::encodeName(target);
    struct stat existing = {};
    const bool exists = ::stat(targetName.constData(), &existing) == 0;
    // A file its owner made read-only stays as it is, although its folder
    // would let a rename replace it.
    if (exists && ::access(targetName.constData(), W_OK) != 0)
        throw DFileError::Error(kWrite, path, errno);
    RemoveLeftovers(target);

    QString part;
    const mode_t mode = access == Access::Private ? S_IRUSR | S_IWUSR : 0666;
    const int handle = CreatePart(target, part, mode);
    if (handle < 0)
        throw DFileError::Error(kWrite, path, errno);
    const QByteArray partName = QFile::encodeName(part);
    int error = 0;
    // A file that exists keeps its permissions; a private one is private
    // whatever the umask.
    if (access == Access::Private)
        error = ::fchmod(handle, S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
    else if (exists)
        error = ::fchmod(handle, existing.st_mode & 07777) == 0 ? 0 : errno;
    if (error == 0)
        error = WriteAll(handle, bytes);
    if (error == 0)
        error = Sync(handle);
    if (::close(handle) != 0 && error == 0)
        error = errno;
    if (error == 0)
        error = InjectedAt(Step::Commit);
    if (error == 0 && ::rename(partName.constData(), targetName.constData()) != 0)
        error = errno;
    if (error != 0)
    {
        ::unlink(partName.constData());
        throw DFileError::Error(kWrite, path, error);
    }
    SyncFolder(target);
}

DFileWriter::Fault::Fault(Step step, int error)
{
    g_fault = {true, step, error};
}

DFileWriter::Fault::~Fault()
{
    g_fault = {};
}
