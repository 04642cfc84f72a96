#include "document/DFileLock.h"
#include "tests/TestSupport.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <QTemporaryDir>


#include <sys/stat.h>
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
// A lock tried in a child process, so that a lock that would wait or read
// forever fails the test rather than hang it.
struct Outcome
{
    bool answered = false;
    DFileLock::State state = DFileLock::State::None;
    QString reason;
};

Outcome LockInChild(const QString& path)
{
    const std::optional<QByteArray> answer = TestSupport::InChild(
        [&]
        {
            // Held until the child ends, as by a program that was killed:
            // the lock file stays for the test to look at.
            auto* const lock = new DFileLock;
            const DFileLock::State state = lock->Lock(path);
            return QByteArray::number(int(state)) + '\n' + lock->Reason().toUtf8();
        });
    if (!answer || answer->isEmpty())
        return {};
    const qsizetype line = answer->indexOf('\n');
    return {true, DFileLock::State(answer->left(line).toInt()), QString::fromUtf8(answer->mid(line + 1))};
}

bool IsRegularFile(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
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

    // What stands at the lock file's place is never opened unless it is a
    // regular file; a lock file that names nobody is never "held by process
    // 0 on an unknown computer".
    void strangeLockFiles_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("takenOver");
        QTest::addColumn<QString>("blocker");
        QTest::newRow("FIFO") << "fifo" << false << "lock";
        QTest::newRow("link to a FIFO") << "link to fifo" << false << "lock";
        QTest::newRow("link to an endless device") << "link to /dev/zero" << false << "lock";
        QTest::newRow("folder") << "folder" << false << "lock";
        QTest::newRow("removal lock is a FIFO") << "rmlock fifo" << false << "rmlock";
        QTest::newRow("link to nothing") << "dangling link" << true << "";
        QTest::newRow("empty") << "empty" << true << "";
        QTest::newRow("garbage") << "garbage" << true << "";
        QTest::newRow("unreadable") << "unreadable" << false << "lock";
    }
    void strangeLockFiles()
    {
        QFETCH(QString, kind);
        QFETCH(bool, takenOver);
        QFETCH(QString, blocker);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("class.KalCir"));
        TestSupport::WriteFile(path, "test");
        const QString lockFile = DFileLock::LockPath(path);
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (kind == QLatin1String("fifo"))
            QVERIFY(QFile::rename(fifo, lockFile));
        else if (kind == QLatin1String("link to fifo"))
            QVERIFY(QFile::link(fifo, lockFile));
        else if (kind == QLatin1String("link to /dev/zero"))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), lockFile));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(lockFile));
        else if (kind == QLatin1String("rmlock fifo"))
        {
            TestSupport::WriteFile(lockFile, "");
            QVERIFY(QFile::rename(fifo, lockFile + QStringLiteral(".rmlock")));
        }
        else if (kind == QLatin1String("dangling link"))
            QVERIFY(QFile::link(dir.filePath(QStringLiteral("nothing")), lockFile));
        else if (kind == QLatin1String("empty"))
            TestSupport::WriteFile(lockFile, "");
        else if (kind == QLatin1String("garbage"))
            TestSupport::WriteFile(lockFile, "\x01\x02 not a lock\n\n");
        else
        {
            if (::geteuid() == 0)
                QSKIP("every file is readable for root");
            TestSupport::WriteFile(lockFile, "123\nprogram\nhost\n");
            QVERIFY(QFile::setPermissions(lockFile, {}));
        }

        const Outcome outcome = LockInChild(path);
        QVERIFY2(outcome.answered, "the lock waited or read without end");
        if (takenOver)
        {
            QCOMPARE(outcome.state, DFileLock::State::Held);
            QVERIFY(IsRegularFile(lockFile));
            return;
        }
        QCOMPARE(outcome.state, DFileLock::State::Unavailable);
        const QString named = blocker == QLatin1String("rmlock") ? lockFile + QStringLiteral(".rmlock") : lockFile;
        QVERIFY2(outcome.reason.contains(QLatin1Char('"') + named + QLatin1Char('"')), qPrintable(outcome.reason));
        if (kind != QLatin1String("unreadable"))
            QVERIFY2(outcome.reason.endsWith(QStringLiteral("Not a regular file")), qPrintable(outcome.reason));
        // Nothing was replaced.
        QVERIFY(!IsRegularFile(named) || kind == QLatin1String("unreadable"));
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
