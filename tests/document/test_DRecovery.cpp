#include "document/DRecovery.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <optional>


#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace
{
// A test with unsaved work: named subjects, a question text, an answer.
void MakeWork(DTest& test, const QString& surname)
{
    test.ques.List().GetSelected(0).text.UserUpdate(QStringLiteral("Who?"));
    test.subj.List().GetSelected(0).appe.Surname().UserUpdate(surname);
    test.desi.SetDesi(1, 1, 1, 2);
}

// A run that writes its copy and then dies without any clean-up, as a crash
// or a power cut would end it: the lock stays behind with a dead holder.
bool CrashAfterCopy(const QString& folder, const QString& surname, const QString& fileName)
{
    const pid_t child = ::fork();
    if (child == 0)
    {
        DTest test;
        MakeWork(test, surname);
        if (!fileName.isEmpty())
            test.file.SetFileName(fileName);
        DRecovery recovery(folder);
        recovery.Write(test);
        ::_exit(QFileInfo::exists(DFileLock::LockPath(recovery.Path())) ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

QStringList Files(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}

mode_t Mode(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

// The copies a new instance is offered, found in a child process, so that a
// side file that would block or never end fails the test rather than hang
// it: per copy "path|test's file|damage" on a line; nullopt when the child
// did not answer within 10 seconds.
std::optional<QStringList> LeftInChild(const QString& folder)
{
    const std::optional<QByteArray> answer = TestSupport::InChild(
        [&]
        {
            DRecovery recovery(folder);
            QByteArray lines = "answered\n";
            for (const DRecovery::Copy& copy : recovery.Left())
                lines += (copy.path + u'|' + copy.fileName + u'|' + copy.damage).toUtf8() + '\n';
            return lines;
        });
    if (!answer || !answer->startsWith("answered\n"))
        return std::nullopt;
    QStringList lines = QString::fromUtf8(*answer).split(u'\n', Qt::SkipEmptyParts);
    lines.removeFirst();
    return lines;
}
} // namespace

class TestDRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaultFolderIsPerUserData()
    {
        QVERIFY(DRecovery::DefaultFolder().startsWith(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + u'/'));
    }

    void crashedRunIsRestoredByteForByte_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::newRow("a saved test") << QStringLiteral("/school/3B.KalCir");
        QTest::newRow("a new test") << QString();
    }
    void crashedRunIsRestoredByteForByte()
    {
        QFETCH(QString, fileName);
        QTemporaryDir dir;
        QVERIFY(CrashAfterCopy(dir.path(), QStringLiteral("Rossi"), fileName));
        DTest expected;
        MakeWork(expected, QStringLiteral("Rossi"));

        DRecovery recovery(dir.path());
        const QList<DRecovery::Copy> left = recovery.Left();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left[0].fileName, fileName);
        QVERIFY(left[0].written.isValid());
        // While one instance offers the copy, no other one sees it.
        QVERIFY(DRecovery(dir.path()).Left().isEmpty());

        DTest test;
        recovery.Restore(left[0], test);
        QCOMPARE(test.file.ToBytes(), expected.file.ToBytes());
        QCOMPARE(test.file.FileName(), fileName);
        QVERIFY(test.IsChangedByUser());
        // The copy is now this instance's: removed as its own.
        QCOMPARE(recovery.Path(), left[0].path);
        recovery.Remove();
        QVERIFY(!QFileInfo::exists(left[0].path));
        QVERIFY(!QFileInfo::exists(DRecovery::NamePath(left[0].path)));
    }

    void runningInstancesKeepTheirOwnCopies()
    {
        QTemporaryDir dir;
        DTest first;
        DTest second;
        MakeWork(first, QStringLiteral("First"));
        MakeWork(second, QStringLiteral("Second"));
        DRecovery one(dir.path());
        DRecovery two(dir.path());
        one.Write(first);
        two.Write(second);
        one.Write(first);
        QVERIFY(one.Path() != two.Path());
        QCOMPARE(TestSupport::ReadFile(one.Path()), first.file.ToBytes());
        QCOMPARE(TestSupport::ReadFile(two.Path()), second.file.ToBytes());
        // Copies of running instances are never offered.
        QVERIFY(DRecovery(dir.path()).Left().isEmpty());
        two.Remove();
        QVERIFY(!QFileInfo::exists(two.Path()));
        QCOMPARE(TestSupport::ReadFile(one.Path()), first.file.ToBytes());
    }

    void leftCopiesWaitForTheirAnswer()
    {
        QTemporaryDir dir;
        QVERIFY(CrashAfterCopy(dir.path(), QStringLiteral("Lost"), QString()));
        const QByteArray bytes = TestSupport::ReadFile(dir.filePath(QStringLiteral("copy-1.KalCir")));
        QVERIFY(!bytes.isEmpty());

        // A new run writes beside the copy left behind, never over it.
        DTest test;
        MakeWork(test, QStringLiteral("Now"));
        {
            DRecovery running(dir.path());
            running.Write(test);
            QCOMPARE(running.Path(), dir.filePath(QStringLiteral("copy-2.KalCir")));
            QCOMPARE(TestSupport::ReadFile(dir.filePath(QStringLiteral("copy-1.KalCir"))), bytes);

            // Kept for later: offered again at the next start; discarded: gone.
            DRecovery later(dir.path());
            const QList<DRecovery::Copy> offered = later.Left();
            QCOMPARE(offered.size(), 1);
            later.Keep(offered[0]);
            DRecovery next(dir.path());
            const QList<DRecovery::Copy> left = next.Left();
            QCOMPARE(left.size(), 1);
            next.Discard(left[0]);
            running.Remove();
        }
        QCOMPARE(Files(dir.path()), QStringList());
    }

    // The copies hold a class's names and answers: only their owner reads them.
    void copiesArePrivate()
    {
        QTemporaryDir dir;
        const QString folder = dir.filePath(QStringLiteral("recovery"));
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        const mode_t mask = ::umask(022);
        DTest test;
        MakeWork(test, QStringLiteral("Rossi"));
        DRecovery recovery(folder);
        recovery.Write(test);
        ::umask(mask);
        QCOMPARE(Mode(folder), mode_t(0700));
        QVERIFY(QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner |
                                                  QFileDevice::ReadOther | QFileDevice::ExeOther));
        QVERIFY(DRecovery(folder).Left().isEmpty());
        QCOMPARE(Mode(folder), mode_t(0700));
        QCOMPARE(Mode(recovery.Path()), mode_t(0600));
        QCOMPARE(Mode(DRecovery::NamePath(recovery.Path())), mode_t(0600));
        QCOMPARE(Mode(DFileLock::LockPath(recovery.Path())), mode_t(0600));
    }

    // A copy whose files are damaged or are not files at all is offered for
    // discarding, named and with the reason, and nothing is opened that
    // could block or never end.
    void strangeCopiesAreOfferedForDiscarding_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("damage");
        const QString notRegular = QStringLiteral("Not a regular file");
        QTest::newRow("damaged copy") << QStringLiteral("garbage") << QStringLiteral("Read failure");
        QTest::newRow("copy is a FIFO") << QStringLiteral("fifo copy") << notRegular;
        QTest::newRow("copy links to an endless device") << QStringLiteral("zero copy") << notRegular;
        QTest::newRow("copy links to nothing") << QStringLiteral("dangling copy") << notRegular;
        QTest::newRow("name file is a FIFO") << QStringLiteral("fifo name") << notRegular;
        QTest::newRow("name file links to an endless device") << QStringLiteral("zero name") << notRegular;
        QTest::newRow("name file is missing") << QStringLiteral("no name") << QString();
    }
    void strangeCopiesAreOfferedForDiscarding()
    {
        QFETCH(QString, kind);
        QFETCH(QString, damage);
        QTemporaryDir dir;
        QVERIFY(CrashAfterCopy(dir.path(), QStringLiteral("Lost"), QStringLiteral("/school/3B.KalCir")));
        const QString copy = dir.filePath(QStringLiteral("copy-1.KalCir"));
        const QString name = DRecovery::NamePath(copy);
        const QString fifo = dir.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        const auto replace = [&](const QString& path, const QString& by, bool link)
        { return QFile::remove(path) && (link ? QFile::link(by, path) : QFile::rename(by, path)); };
        if (kind == QLatin1String("garbage"))
            TestSupport::WriteFile(copy, "Zelvor71 and nothing more");
        else if (kind == QLatin1String("fifo copy"))
            QVERIFY(replace(copy, fifo, false));
        else if (kind == QLatin1String("zero copy"))
            QVERIFY(replace(copy, QStringLiteral("/dev/zero"), true));
        else if (kind == QLatin1String("dangling copy"))
            QVERIFY(replace(copy, dir.filePath(QStringLiteral("nothing")), true));
        else if (kind == QLatin1String("fifo name"))
            QVERIFY(replace(name, fifo, false));
        else if (kind == QLatin1String("zero name"))
            QVERIFY(replace(name, QStringLiteral("/dev/zero"), true));
        else
            QVERIFY(QFile::remove(name));

        const std::optional<QStringList> left = LeftInChild(dir.path());
        QVERIFY2(left, "looking for copies blocked or read without end");
        QCOMPARE(left->size(), 1);
        const QStringList fields = left->first().split(u'|');
        QCOMPARE(fields.size(), 3);
        QCOMPARE(fields[0], copy);
        if (damage.isEmpty())
        {
            // The work is still there: restored as a new test.
            QCOMPARE(fields[1], QString());
            QCOMPARE(fields[2], QString());
            return;
        }
        QVERIFY2(fields[2].contains(damage), qPrintable(fields[2]));
        if (kind != QLatin1String("garbage"))
            QVERIFY2(fields[2].contains(kind.contains(QLatin1String("name")) ? name : copy), qPrintable(fields[2]));

        // Discarded, it is gone with its name file; the slot serves again.
        DRecovery recovery(dir.path());
        const QList<DRecovery::Copy> copies = recovery.Left();
        QCOMPARE(copies.size(), 1);
        recovery.Discard(copies[0]);
        QCOMPARE(Mode(copy), mode_t(0));
        QCOMPARE(Mode(name), mode_t(0));
        DTest test;
        MakeWork(test, QStringLiteral("Next"));
        recovery.Write(test);
        QCOMPARE(recovery.Path(), copy);
    }

    // A slot taken by something that is no copy is passed over, never written.
    void strangeSlotsArePassedOver()
    {
        QTemporaryDir dir;
        const QString first = dir.filePath(QStringLiteral("copy-1.KalCir"));
        QCOMPARE(::mkfifo(QFile::encodeName(DFileLock::LockPath(first)).constData(), 0600), 0);
        QVERIFY(QDir().mkdir(DRecovery::NamePath(dir.filePath(QStringLiteral("copy-2.KalCir")))));
        DTest test;
        MakeWork(test, QStringLiteral("Rossi"));
        DRecovery recovery(dir.path());
        recovery.Write(test);
        QCOMPARE(recovery.Path(), dir.filePath(QStringLiteral("copy-3.KalCir")));
    }

    // A run that ends without its user's word leaves its copy for the next.
    void leftCopyIsOfferedToTheNextRun()
    {
        QTemporaryDir dir;
        DTest test;
        MakeWork(test, QStringLiteral("Rossi"));
        QString path;
        {
            DRecovery recovery(dir.path());
            recovery.Write(test);
            path = recovery.Path();
            recovery.Leave();
            QCOMPARE(recovery.Path(), QString());
            recovery.Remove();
        }
        QCOMPARE(TestSupport::ReadFile(path), test.file.ToBytes());
        DRecovery next(dir.path());
        const QList<DRecovery::Copy> left = next.Left();
        QCOMPARE(left.size(), 1);
        QCOMPARE(left[0].path, path);
        QCOMPARE(left[0].damage, QString());
    }

    void unusableFolderIsReported()
    {
        QTemporaryDir dir;
        const QString notFolder = dir.filePath(QStringLiteral("file"));
        TestSupport::WriteFile(notFolder, "x");
        DTest test;
        const QString folder = notFolder + QStringLiteral("/recovery");
        DRecovery recovery(folder);
        QCOMPARE(TestSupport::ErrorOf([&] { recovery.Write(test); }),
                 QStringLiteral("The recovery copy cannot be written in \"%1\": Not a directory").arg(folder));
        QCOMPARE(recovery.Path(), QString());
    }
};

KC_TEST_MAIN(TestDRecovery)
#include "test_DRecovery.moc"
