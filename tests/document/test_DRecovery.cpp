#include "document/DRecovery.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

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
