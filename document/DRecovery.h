#pragma once

#include "document/DFileLock.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <map>

class DTest;

// Recovery copies of a test with unsaved changes, so that a crash or a power
// cut loses at most the last minute of work.
//
// The copies live in a folder of their own ("recovery" in the per-user data
// folder, readable by its owner only, as is every file in it):
// "copy-N.KalCir" holds the test's bytes as Save would write them,
// "copy-N.name" beside it the path of the test's own file (empty for a new
// test), so the test file itself carries nothing extra. Every copy has its
// lock, held by the instance that writes it: an instance writes only into a
// slot whose lock it holds and where no copy waits, so two running
// instances never overwrite each other's copy. A copy whose lock can be
// taken was left by a run that did not end normally: its holder is gone.
class DRecovery
{
public:
    // A copy left by a run that did not end normally.
    struct Copy
    {
        QString path;     // the copy itself
        QString fileName; // the test's own file; empty for a new test
        QDateTime written;
        // Why the copy cannot be restored (damaged, not a regular file, its
        // name file unreadable); empty when it can.
        QString damage;
    };

    explicit DRecovery(const QString& folder = DefaultFolder());
    // Releases every lock held; the copies stay, so that only Remove,
    // Restore and Discard ever delete one.
    ~DRecovery();
    DRecovery(const DRecovery&) = delete;
    DRecovery& operator=(const DRecovery&) = delete;

    static QString DefaultFolder();
    const QString& Folder() const { return folder_; }

    // Writes this instance's copy of the test (through the shared writer, so
    // a failed write keeps the previous copy), claiming a slot the first
    // time. Unchanged bytes are not written again.
    void Write(DTest& test);
    // Deletes this instance's copy, if it has one; never fails.
    void Remove();
    // Leaves this instance's copy for the next run, as a run that ends
    // without its user's word (a signal, the end of the session) must: the
    // copy stays on the disk, its lock is released, and Remove no longer
    // touches it.
    void Leave();
    // This instance's copy; empty while it has none.
    QString Path() const { return written_ ? ownPath_ : QString(); }

    // The copies left by runs that did not end normally, oldest slot first,
    // each read once to know whether it can be restored. This object holds
    // their locks, so no other instance offers them too, until each is
    // restored, discarded or kept.
    QList<Copy> Left();
    // Reads the copy into the test, which opens as changed with the copy's
    // file name (none for a new test); the copy becomes this instance's.
    void Restore(const Copy& copy, DTest& test);
    // Deletes the copy.
    void Discard(const Copy& copy);
    // Leaves the copy for a later run.
    void Keep(const Copy& copy);

    // The side file holding the test's file name of the copy at path.
    static QString NamePath(const QString& path);

private:
    void Claim();
    static void RemoveFiles(const QString& path);

    QString folder_;
    DFileLock own_;
    QString ownPath_;
    // What the copy on disk holds, so that equal bytes are not written again.
    bool written_ = false;
    QByteArray ownBytes_;
    QString ownName_;
    // The locks of the copies handed out by Left, by path.
    std::map<QString, DFileLock> left_;
};
