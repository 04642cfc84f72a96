#pragma once

#include <QString>

#include <memory>

class QLockFile;

// The lock that tells other instances of the program that a test file is
// open here, so that two windows never overwrite each other's work.
//
// The lock is a hidden file beside the test, named after it: the test
// "reports/class.KalCir" is locked by "reports/.class.KalCir.lock". Links are
// resolved first, so every path to one file leads to the same lock. The lock
// file holds the holder's process id, program name and computer name (the
// format of QLockFile); it is removed when the lock is released, and a lock
// left behind by a process that no longer runs on this computer is taken
// over. A lock made on another computer (a shared folder) is never taken
// over: whether its process still runs cannot be known from here.
//
// The lock file is never opened unless it is a regular file: a FIFO, a
// device, a folder or a link to one (or to a file) at its place makes the
// lock Unavailable, naming it. A link to nothing is removed like a stale
// lock. A lock file that still names no holder after a short wait (empty
// or damaged) is taken over, as no running holder leaves it so; one that
// cannot be read at all is Unavailable, naming it and why.
class DFileLock
{
public:
    enum class State
    {
        None,          // no lock tried yet, or released
        Held,          // this object holds the lock
        HeldElsewhere, // another process (or another object) holds it: see Holder*
        Unavailable    // no lock can be made there (read-only folder, ...): see Reason
    };

    DFileLock();
    ~DFileLock();
    DFileLock(DFileLock&&) noexcept;
    DFileLock& operator=(DFileLock&&) noexcept;
    DFileLock(const DFileLock&) = delete;
    DFileLock& operator=(const DFileLock&) = delete;

    // Tries once, without waiting, to lock the test file at path; a lock
    // this object held before is released first.
    State Lock(const QString& path);
    void Unlock();

    State GetState() const { return state_; }
    bool IsHeld() const { return state_ == State::Held; }
    // Whether this object holds the lock of the file at path.
    bool Holds(const QString& path) const;
    // The test file last given to Lock, as given.
    const QString& Path() const { return path_; }

    // After HeldElsewhere: who holds the lock. The process id is always
    // known; the program and the computer may be empty.
    qint64 HolderPid() const { return holderPid_; }
    const QString& HolderHost() const { return holderHost_; }
    const QString& HolderApp() const { return holderApp_; }
    // After Unavailable: the system's reason, e.g. "Read-only file system",
    // or what is wrong with the lock file, naming it.
    const QString& Reason() const { return reason_; }

    // The lock file of the test file at path.
    static QString LockPath(const QString& path);

private:
    std::unique_ptr<QLockFile> lock_;
    State state_ = State::None;
    QString path_;
    QString lockPath_;
    qint64 holderPid_ = 0;
    QString holderHost_;
    QString holderApp_;
    QString reason_;
};
