#include "app/DEndSignals.h"
#include "app/TFormMain.h"
#include "document/DRecovery.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <csignal>
#include <sys/stat.h>

namespace
{
// The main window over its own test, every box and file dialog answered by
// the test.
struct Shell
{
    DLanguage language{DLanguage::English};
    DTest test;
    DMessages::RealBoxesOnExit realBoxes;
    std::unique_ptr<TFormMain> form;
    QStringList errors;
    QStringList choices;
    QStringList choiceButtons;
    int choice = 2;
    QMessageBox::StandardButton answer = QMessageBox::No;
    QString savePath;

    Shell()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        DMessages::SetQuestionBox([this](const QString&, const QString&) { return answer; });
        DMessages::SetChoiceBox(
            [this](const QString&, const QString& text, const QStringList& buttons)
            {
                choices << text;
                choiceButtons = buttons;
                return choice;
            });
        form = std::make_unique<TFormMain>(test, language);
        form->SetArguments({});
        form->SetSaveDialog([this] { return savePath; });
        form->SetPages({});
    }

    bool Show()
    {
        form->show();
        const bool exposed = QTest::qWaitForWindowExposed(form.get());
        // The start-up offer comes once the window is up.
        QCoreApplication::processEvents();
        return exposed;
    }

    QString Copy() const { return form->Recovery().Path(); }
};

// Work that was never saved.
void MakeWork(DTest& test)
{
    test.subj.List().GetSelected(0).appe.Surname().UserUpdate(QStringLiteral("Rossi"));
    test.ques.List().GetSelected(1).text.UserUpdate(QStringLiteral("Who?"));
    test.desi.SetDesi(2, 1, 1, 3);
}

// A recovery copy of work as a run leaves it that ends abnormally: the copy
// and its lock, whose holder no longer runs.
QString LeaveCopy(DTest& work, const QString& fileName)
{
    MakeWork(work);
    work.file.SetFileName(fileName);
    QString path;
    {
        DRecovery recovery;
        recovery.Write(work);
        path = recovery.Path();
    }
    // Above the largest process id Linux gives (2^22).
    TestSupport::WriteFile(DFileLock::LockPath(path), "4194305\n" + TestSupport::OwnProgram().toUtf8() + '\n' +
                                                          QSysInfo::machineHostName().toUtf8() + '\n');
    return path;
}
mode_t Mode(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}
} // namespace

class TestTFormMainRecovery : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QDir(DRecovery::DefaultFolder()).removeRecursively(); }

    void startUpOffersACopyLeftBehind_data()
    {
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<int>("choice");
        QTest::newRow("restore a saved test") << QStringLiteral("/school/3B.KalCir") << 0;
        QTest::newRow("restore a new test") << QString() << 0;
        QTest::newRow("discard") << QStringLiteral("/school/3B.KalCir") << 1;
        QTest::newRow("decide later") << QString() << 2;
    }
    void startUpOffersACopyLeftBehind()
    {
        QFETCH(QString, fileName);
        QFETCH(int, choice);
        QTemporaryDir dir;
        if (!fileName.isEmpty())
            fileName = dir.filePath(QStringLiteral("3B.KalCir"));
        DTest work;
        const QString copy = LeaveCopy(work, fileName);
        const QByteArray bytes = TestSupport::ReadFile(copy);
        QCOMPARE(bytes, work.file.ToBytes());

        Shell shell;
        shell.choice = choice;
        QVERIFY(shell.Show());
        QCOMPARE(shell.choices.size(), 1);
        const QString head = fileName.isEmpty()
                                 ? QStringLiteral("A recovery copy of a new test, written at ")
                                 : QStringLiteral("A recovery copy of \"%1\", written at ").arg(fileName);
        QVERIFY2(shell.choices[0].startsWith(head), qPrintable(shell.choices[0]));
        QCOMPARE(shell.choiceButtons, (QStringList{"Restore", "Discard", "Decide later"}));
        QVERIFY(shell.errors.isEmpty());

        if (choice == 0)
        {
            // The work is back byte for byte, under its own name, and unsaved.
            QCOMPARE(shell.test.file.ToBytes(), bytes);
            QCOMPARE(shell.test.file.FileName(), fileName);
            QVERIFY(shell.form->SaveAc->isEnabled());
            QCOMPARE(shell.form->windowTitle(), fileName.isEmpty() ? QStringLiteral("Kaleidocircle")
                                                                   : QStringLiteral("Kaleidocircle - ") + fileName);
            QCOMPARE(shell.Copy(), copy);
            if (!fileName.isEmpty())
            {
                shell.form->SaveAc->trigger();
                QCOMPARE(TestSupport::ReadFile(fileName), bytes);
                QVERIFY(!QFileInfo::exists(copy));
            }
        }
        else
        {
            QVERIFY(!shell.test.IsChangedByUser());
            QCOMPARE(QFileInfo::exists(copy), choice == 2);
            // Kept for later: offered again at the next start.
            Shell next;
            QVERIFY(next.Show());
            QCOMPARE(next.choices.size(), choice == 2 ? 1 : 0);
        }
    }

    // A copy that cannot be restored is named, with the reason, and offered
    // for discarding only.
    void damagedCopyIsOfferedForDiscarding_data()
    {
        QTest::addColumn<int>("choice");
        QTest::newRow("discard") << 0;
        QTest::newRow("decide later") << 1;
    }
    void damagedCopyIsOfferedForDiscarding()
    {
        QFETCH(int, choice);
        QTemporaryDir dir;
        DTest work;
        const QString copy = LeaveCopy(work, dir.filePath(QStringLiteral("3B.KalCir")));
        TestSupport::WriteFile(copy, "Zelvor71 and nothing more");

        Shell shell;
        shell.choice = choice;
        QVERIFY(shell.Show());
        QCOMPARE(shell.choices.size(), 1);
        const QString head = QStringLiteral("The recovery copy \"%1\", left by a run of the program that did not end "
                                            "normally, cannot be restored: ")
                                 .arg(copy);
        QVERIFY2(shell.choices[0].startsWith(head), qPrintable(shell.choices[0]));
        QCOMPARE(shell.choiceButtons, (QStringList{"Discard", "Decide later"}));
        QVERIFY(shell.errors.isEmpty());
        QVERIFY(!shell.test.IsChangedByUser());
        QCOMPARE(QFileInfo::exists(copy), choice == 1);
    }

    // A signal that ends the run keeps the unsaved work in a copy of the
    // owner's alone, which the next run offers.
    void signalKeepsTheWork_data()
    {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void signalKeepsTheWork()
    {
        QFETCH(int, signal);
        QByteArray bytes;
        QString copy;
        {
            Shell shell;
            QVERIFY(shell.Show());
            int received = 0;
            // The program ends the run where this test only looks.
            DEndSignals ending(
                [&](int number)
                {
                    received = number;
                    shell.form->KeepWorkForNextRun();
                });
            MakeWork(shell.test);
            QCOMPARE(shell.Copy(), QString());
            QCOMPARE(::raise(signal), 0);
            QTRY_COMPARE(received, signal);
            bytes = shell.test.file.ToBytes();
            // The copy is no longer this run's: closing it does not remove it.
            QCOMPARE(shell.Copy(), QString());
            copy = QDir(DRecovery::DefaultFolder()).filePath(QStringLiteral("copy-1.KalCir"));
            QCOMPARE(TestSupport::ReadFile(copy), bytes);
            QVERIFY(shell.errors.isEmpty());
        }
        QCOMPARE(TestSupport::ReadFile(copy), bytes);
        QCOMPARE(Mode(DRecovery::DefaultFolder()), mode_t(0700));
        QCOMPARE(Mode(copy), mode_t(0600));
        QCOMPARE(Mode(DRecovery::NamePath(copy)), mode_t(0600));

        Shell next;
        next.choice = 0;
        QVERIFY(next.Show());
        QCOMPARE(next.choices.size(), 1);
        QCOMPARE(next.test.file.ToBytes(), bytes);
    }

    // The program itself, ended by SIGTERM with a test open: it ends at once,
    // as a signal's end, and leaves no lock behind.
    void programEndsCleanlyOnSigterm()
    {
        if (qEnvironmentVariableIsEmpty("KC_APP"))
            QSKIP("KC_APP names no application (run through CTest)");
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("3B.KalCir"));
        DTest test;
        MakeWork(test);
        test.file.Write(path);
        const QString lock = DFileLock::LockPath(path);

        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME"})
            environment.insert(QLatin1String(name), dir.filePath(QLatin1String(name)));
        process.setProcessEnvironment(environment);
        process.start(qEnvironmentVariable("KC_APP"), {path});
        QVERIFY(process.waitForStarted(20000));
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 20000);
        ::kill(pid_t(process.processId()), SIGTERM);
        const bool finished = process.waitForFinished(20000);
        if (!finished)
            process.kill();
        QVERIFY2(finished, "the program did not end");
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 128 + SIGTERM);
        QVERIFY(!QFileInfo::exists(lock));
    }

    void copyFollowsTheUnsavedWork()
    {
        QTemporaryDir dir;
        Shell shell;
        QVERIFY(shell.Show());
        QVERIFY(shell.choices.isEmpty());
        QCOMPARE(shell.form->RecoveryTm->interval(), 60000);
        QVERIFY(shell.form->RecoveryTm->isActive());

        // Nothing to lose, no copy; changed work is copied at the next tab switch.
        shell.form->PageControl->setCurrentIndex(1);
        QCOMPARE(shell.Copy(), QString());
        MakeWork(shell.test);
        shell.form->PageControl->setCurrentIndex(2);
        const QString copy = shell.Copy();
        QVERIFY(copy.startsWith(DRecovery::DefaultFolder()));
        QCOMPARE(TestSupport::ReadFile(copy), shell.test.file.ToBytes());
        // ... and by the timer.
        shell.test.answ.num.SetValue(5, true);
        shell.form->RecoveryTmTimer();
        QCOMPARE(TestSupport::ReadFile(copy), shell.test.file.ToBytes());

        // Saved: gone. Changed again and New: gone. Changed again and closed
        // without saving: gone.
        shell.savePath = dir.filePath(QStringLiteral("saved.KalCir"));
        shell.form->SaveAsAc->trigger();
        QCOMPARE(shell.Copy(), QString());
        QVERIFY(!QFileInfo::exists(copy));
        const auto changeAndSwitch = [&]
        {
            shell.test.answ.num.SetValue(shell.test.answ.num.GetValue() == 4 ? 6 : 4, true);
            shell.form->PageControl->setCurrentIndex(shell.form->PageControl->currentIndex() == 0 ? 1 : 0);
            QVERIFY(QFileInfo::exists(shell.Copy()));
        };
        changeAndSwitch();
        shell.form->NewAc->trigger();
        QCOMPARE(shell.Copy(), QString());
        changeAndSwitch();
        const QString last = shell.Copy();
        shell.answer = QMessageBox::No;
        QVERIFY(shell.form->close());
        QVERIFY(!QFileInfo::exists(last));
        QVERIFY(shell.errors.isEmpty());
    }
};

KC_TEST_MAIN(TestTFormMainRecovery)
#include "test_TFormMainRecovery.moc"
