#include "document/DFileLock.h"

#include "lang/DLanguage.h"
#include "model/DFileError.h"
#include "model/DFileReader.h"
#include "model/EError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>
#include <optional>

#include <sys/stat.h>
#include <unistd.h>

namespace
{
// How long a second try waits for a lock file whose holder was still
// writing it (or removing it) at the first try.
constexpr int kRetryTime = 100;

// What stands at the place of a lock file, seen without opening it and
// without following a link: the lock library opens what it finds there, and
// would wait forever on a FIFO or read a device without end.
enum class Place
{
    Free,         // nothing, or nothing that can be looked at (the lock then says why)
    File,         // a regular file: a lock file, perhaps left behind
    DanglingLink, // a link to nothing, which nobody holds
    Other         // a FIFO, a device, a folder, or a link to one or to a file
};

Place Look(const QString& path, struct stat& status)
{
    const QByteArray name = QFile::encodeName(path);
    status = {};
    if (::lstat(name.constData(), &status) != 0)
        return Place::Free;
    if (S_ISREG(status.st_mode))
        return Place::File;
    struct stat target = {};
    if (S_ISLNK(status.st_mode) && ::stat(name.constData(), &target) != 0 && errno == ENOENT)
        return Place::DanglingLink;
    return Place::Other;
}

// Why a lock file that names no holder cannot even be read; empty when it
// can: then it is only empty or damaged.
QString Unreadable(const QString& path)
{
    try
    {
        QFile file;
        DFileReader::Open(file, path);
    }
    catch (const EError& e)
    {
        return e.Message();
    }
    return {};
}
} // namespace

DFileLock::DFileLock() = default;
DFileLock::~DFileLock() = default;
DFileLock::DFileLock(DFileLock&&) noexcept = default;
DFileLock& DFileLock::operator=(DFileLock&&) noexcept = default;

QString DFileLock::LockPath(const QString& path)
{
    const QFileInfo info(path);
    QString target = info.canonicalFilePath();
    if (target.isEmpty())
    {
        // A file not written yet (Save as): its folder may still be a link.
        const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
        target = QDir(folder.isEmpty() ? info.absolutePath() : folder).filePath(info.fileName());
    }
    const QFileInfo file(target);
    return QDir(file.absolutePath()).filePath(QLatin1Char('.') + file.fileName() + QStringLiteral(".lock"));
}

DFileLock::State DFileLock::Lock(const QString& path)
{
    Unlock();
    path_ = path;
    lockPath_ = LockPath(path);
    holderPid_ = 0;
    holderHost_.clear();
    holderApp_.clear();
    reason_.clear();

    // The lock library uses a second file beside the lock while it removes a
    // stale one: neither may be anything it cannot safely open.
    for (const QString& side : {lockPath_, lockPath_ + QStringLiteral(".rmlock")})
    {
        struct stat status = {};
        switch (Look(side, status))
        {
        case Place::DanglingLink:
            // Nobody holds a link to nothing: it goes like a stale lock.
            if (::unlink(QFile::encodeName(side).constData()) != 0 && errno != ENOENT)
            {
                reason_ = DFileError::Error(DFileError::Action::Write, side, errno).Message();
                return state_ = State::Unavailable;
            }
            break;
        case Place::Other:
            reason_ = DFileError::Error(DFileError::Action::Open, side, DFileError::kNotRegular).Message();
            return state_ = State::Unavailable;
        default:
            break;
        }
    }

    auto lock = std::make_unique<QLockFile>(lockPath_);
    // A test stays open for hours: only the death of its holder makes a lock
    // stale, never its age (QLockFile's default would take a live holder's
    // lock over after 30 seconds).
    lock->setStaleLockTime(0);
    errno = 0;
    if (lock->tryLock(0))
    {
        lock_ = std::move(lock);
        return state_ = State::Held;
    }
    // QLockFile returns straight after the failed creation of the lock file,
    // so errno still tells why; its own error only says which kind.
    const int error = errno;
    if (lock->error() != QLockFile::LockFailedError)
    {
        const int fallback = lock->error() == QLockFile::PermissionError ? EACCES : EIO;
        reason_ = qt_error_string(error != 0 ? error : fallback);
        return state_ = State::Unavailable;
    }
    if (lock->getLockInfo(&holderPid_, &holderHost_, &holderApp_))
        return state_ = State::HeldElsewhere;

    // One more try: the lock taken, or a holder named; nothing when the
    // lock file still names nobody.
    const auto retry = [&]() -> std::optional<State>
    {
        if (lock->tryLock(kRetryTime))
        {
            lock_ = std::move(lock);
            return State::Held;
        }
        if (lock->getLockInfo(&holderPid_, &holderHost_, &holderApp_))
            return State::HeldElsewhere;
        holderPid_ = 0;
        holderHost_.clear();
        holderApp_.clear();
        return std::nullopt;
    };

    // The holder was still writing the lock file, or has just released it.
    struct stat first = {};
    const Place seen = Look(lockPath_, first);
    if (const std::optional<State> state = retry())
        return state_ = *state;
    if (const QString unreadable = Unreadable(lockPath_); !unreadable.isEmpty())
    {
        // Whose it is cannot be known: said as it is, never as a holder.
        reason_ = unreadable;
        return state_ = State::Unavailable;
    }

    // Still empty or damaged, and the same file as before the wait: no
    // running holder leaves its lock file so long unwritten. Taken over
    // under the library's own removal lock, so that two instances never
    // remove each other's fresh lock.
    {
        QLockFile removal(lockPath_ + QStringLiteral(".rmlock"));
        struct stat now = {};
        if (seen == Place::File && removal.tryLock(0) && Look(lockPath_, now) == Place::File &&
            now.st_dev == first.st_dev && now.st_ino == first.st_ino &&
            !lock->getLockInfo(&holderPid_, &holderHost_, &holderApp_))
        {
            errno = 0;
            if (!lock->removeStaleLockFile())
            {
                reason_ = DFileError::Error(DFileError::Action::Write, lockPath_, errno).Message();
                return state_ = State::Unavailable;
            }
        }
    }
    if (const std::optional<State> state = retry())
        return state_ = *state;
    reason_ = DLanguage::Active().GetMsg(37310, {lockPath_});
    return state_ = State::Unavailable;
}

void DFileLock::Unlock()
{
    // QLockFile removes its lock file when it is destroyed.
    lock_.reset();
    state_ = State::None;
}

bool DFileLock::Holds(const QString& path) const
{
    return IsHeld() && LockPath(path) == lockPath_;
}
