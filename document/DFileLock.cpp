#include "document/DFileLock.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include <cerrno>

namespace
{
// How long a second try waits for a lock file whose holder was still
// writing it (or removing it) at the first try.
constexpr int kRetryTime = 100;
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
    if (!lock->getLockInfo(&holderPid_, &holderHost_, &holderApp_))
    {
        // The holder was still writing the lock file, or has just released it.
        if (lock->tryLock(kRetryTime))
        {
            lock_ = std::move(lock);
            return state_ = State::Held;
        }
        if (!lock->getLockInfo(&holderPid_, &holderHost_, &holderApp_))
        {
            holderPid_ = 0;
            holderHost_.clear();
            holderApp_.clear();
        }
    }
    return state_ = State::HeldElsewhere;
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
