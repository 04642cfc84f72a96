#include "document/DFileLock.h"
#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>

#include <sys/wait.h>
#include <unistd.h>

namespace
{
// A lock file as QLockFile writes it: process id, program, computer, and
// optionally the machine's id.
QByteArray LockContents(qint64 pid, const QString& program, const QString& host, const QByteArray& machine = {})
{
    QByteArray bytes = QByteArray::number(pid) + '\n' + program.toUtf8() + '\n' + host.toUtf8() + '\n';
    if (!machine.isEmpty())
        bytes += machine + '\n';
    return bytes;
}

// Takes the lock in a child process that then ends without releasing it.
bool LeaveLockOfDeadProcess(const QString& path)
{
    const pid_t child = ::fork();
    if (child == 0)
    {
        DFileLock lock;
        lock.Lock(path);
        ::_exit(lock.IsHeld() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
} // namespace

class TestDFileLock : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void secondLockSeesTheHolder()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("class.KalCir"));
        TestSupport::WriteFile(path, "test");
        const QString link = dir.filePath(QStringLiteral("link.KalCir"));
        QVERIFY(QFile::link(path, link));
        const QString lockFile = dir.filePath(QStringLiteral(".class.KalCir.lock"));

        DFileLock first;
        QCOMPARE(first.Lock(path), DFileLock::State::Held);
        QVERIFY(QFileInfo::exists(lockFile));
        QVERIFY(first.Holds(link));

        // Through a link too: every path to the file meets the same lock.
        DFileLock second;
        QCOMPARE(second.Lock(link), DFileLock::State::HeldElsewhere);
        QCOMPARE(second.Path(), link);
        QCOMPARE(second.HolderPid(), QCoreApplication::applicationPid());
        QCOMPARE(second.HolderHost(), QSysInfo::machineHostName());
        QCOMPARE(second.HolderApp(), TestSupport::OwnProgram());
        QVERIFY(!second.IsHeld());

        first.Unlock();
        QVERIFY(!QFileInfo::exists(lockFile));
        QCOMPARE(second.Lock(path), DFileLock::State::Held);
        {
            // Handing a lock on keeps it; the last owner's end releases it.
            DFileLock moved = std::move(second);
            QVERIFY(moved.IsHeld());
            QCOMPARE(first.Lock(path), DFileLock::State::HeldElsewhere);
        }
        QVERIFY(!QFileInfo::exists(lockFile));
        QCOMPARE(first.Lock(path), DFileLock::State::Held);

        // A file not written yet is locked by its future name.
        DFileLock fresh;
        QCOMPARE(fresh.Lock(dir.filePath(QStringLiteral("new.KalCir"))), DFileLock::State::Held);
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral(".new.KalCir.lock"))));
    }

    void leftLocks_data()
    {
        QTest::addColumn<QString>("left");
        QTest::addColumn<bool>("takenOver");
        QTest::addColumn<QString>("holderHost");
        QTest::newRow("by a process that ended") << "dead child" << true << QString();
        QTest::newRow("by a process id that does not exist") << "no such pid" << true << QString();
        QTest::newRow("by a process id now used by another program") << "reused pid" << true << QString();
        // Only the holder's death makes a lock stale, never its age.
        QTest::newRow("by a live holder, an hour ago") << "live, old" << false << QSysInfo::machineHostName();
        QTest::newRow("on another computer") << "elsewhere" << false << QStringLiteral("elsewhere.example");
    }
    void leftLocks()
    {
        QFETCH(QString, left);
        QFETCH(bool, takenOver);
        QFETCH(QString, holderHost);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("class.KalCir"));
        const QString lockFile = DFileLock::LockPath(path);
        const QString host = QSysInfo::machineHostName();
        const qint64 self = QCoreApplication::applicationPid();
        // Above the largest process id Linux can give (2^22).
        const qint64 noSuchPid = 4194305;
        if (left == QLatin1String("dead child"))
            QVERIFY(LeaveLockOfDeadProcess(path));
        else if (left == QLatin1String("no such pid"))
            TestSupport::WriteFile(lockFile, LockContents(noSuchPid, TestSupport::OwnProgram(), host));
        else if (left == QLatin1String("reused pid"))
            TestSupport::WriteFile(lockFile, LockContents(self, QStringLiteral("other-program"), host));
        else if (left == QLatin1String("live, old"))
        {
            TestSupport::WriteFile(lockFile, LockContents(self, TestSupport::OwnProgram(), host));
            QFile file(lockFile);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        }
        else
            TestSupport::WriteFile(lockFile, LockContents(1, QStringLiteral("kaleidocircle"), holderHost,
                                                          QByteArrayLiteral("0123456789abcdef")));
        QVERIFY(QFileInfo::exists(lockFile));

        DFileLock lock;
        QCOMPARE(lock.Lock(path), takenOver ? DFileLock::State::Held : DFileLock::State::HeldElsewhere);
        if (takenOver)
            QCOMPARE(TestSupport::ReadFile(lockFile).left(QByteArray::number(self).size() + 1),
                     QByteArray::number(self) + '\n');
        else
            QCOMPARE(lock.HolderHost(), holderHost);
    }

    void noLockWhereNoneCanBeMade_data()
    {
        QTest::addColumn<bool>("readOnlyFolder");
        QTest::newRow("read-only folder") << true;
        // One byte too many for the lock file's name, not for the test's.
        QTest::newRow("name too long for the lock") << false;
    }
    void noLockWhereNoneCanBeMade()
    {
        QFETCH(bool, readOnlyFolder);
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("folder"));
        TestSupport::ReadOnlyFolder sealed(folder);
        const QString name = readOnlyFolder ? QStringLiteral("class.KalCir") : QString(250, QLatin1Char('n'));
        const QString path = QDir(folder).filePath(name);
        TestSupport::WriteFile(path, "test");
        QVERIFY(QFileInfo::exists(path));
        if (readOnlyFolder && !sealed.Seal())
            QSKIP("this process can make no read-only folder");

        DFileLock lock;
        QCOMPARE(lock.Lock(path), DFileLock::State::Unavailable);
        QVERIFY(!lock.IsHeld());
        QVERIFY(!lock.Reason().isEmpty());
        QCOMPARE(lock.Reason(), qt_error_string(readOnlyFolder ? (::geteuid() == 0 ? EROFS : EACCES) : ENAMETOOLONG));
        QCOMPARE(QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{name});
    }
};

KC_TEST_MAIN(TestDFileLock)
#include "test_DFileLock.moc"
