#include "lang/DLanguage.h"
#include "model/DFileError.h"
#include "model/DFileReader.h"
#include "model/DFileWriter.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cerrno>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using TestSupport::ErrorOf;
using Step = DFileWriter::Step;

class TestDFileWriter : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        QVERIFY(dir_.isValid());
        QDir(dir_.path()).removeRecursively();
        QDir().mkpath(dir_.path());
    }

    void writesEveryByte()
    {
        const QString path = dir_.filePath(QStringLiteral("out.bin"));
        TestSupport::WriteFile(path, QByteArray(100000, 'o'));
        QByteArray bytes(70000, Qt::Uninitialized);
        for (qsizetype i = 0; i < bytes.size(); ++i)
            bytes[i] = char(i * 7);
        DFileWriter::Write(path, bytes);
        QCOMPARE(TestSupport::ReadFile(path), bytes);
        DFileWriter::Write(path, {});
        QCOMPARE(QFileInfo(path).size(), qint64(0));
        QCOMPARE(Entries(), QStringList{QStringLiteral("out.bin")});
    }

    // A disk that fails at any step leaves the old file as it was (or no
    // file at all), no temporary file behind, and says why.
    void failuresKeepTheOldFile_data()
    {
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("error");
        QTest::addColumn<bool>("existing");
        QTest::addColumn<QString>("reason");
        QTest::newRow("disk full while writing")
            << int(Step::Write) << ENOSPC << true << QStringLiteral("No space left on device");
        QTest::newRow("quota while writing, new file")
            << int(Step::Write) << EDQUOT << false << QStringLiteral("Disk quota exceeded");
        QTest::newRow("sync fails") << int(Step::Sync) << EIO << true << QStringLiteral("Input/output error");
        QTest::newRow("sync fails, new file")
            << int(Step::Sync) << EIO << false << QStringLiteral("Input/output error");
        QTest::newRow("commit fails") << int(Step::Commit) << EACCES << true << QStringLiteral("Permission denied");
        QTest::newRow("untranslated reason") << int(Step::Write) << ETXTBSY << true << qt_error_string(ETXTBSY);
    }
    void failuresKeepTheOldFile()
    {
        QFETCH(int, step);
        QFETCH(int, error);
        QFETCH(bool, existing);
        QFETCH(QString, reason);
        const QString path = dir_.filePath(QStringLiteral("class.KalCir"));
        const QByteArray old("the old file, which must survive");
        if (existing)
            TestSupport::WriteFile(path, old);
        {
            DFileWriter::Fault fault(Step(step), error);
            QCOMPARE(ErrorOf([&] { DFileWriter::Write(path, QByteArray(40000, 'n')); }),
                     QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
        }
        QCOMPARE(QFile::exists(path), existing);
        if (existing)
            QCOMPARE(TestSupport::ReadFile(path), old);
        QCOMPARE(Entries(), existing ? QStringList{QStringLiteral("class.KalCir")} : QStringList{});

        // The fault is gone with its object.
        DFileWriter::Write(path, "new");
        QCOMPARE(TestSupport::ReadFile(path), QByteArray("new"));
    }

    // A save killed half way leaves its temporary file; the next save of the
    // same target removes it, but never a file of a save still running, nor
    // one that only looks alike.
    void killedSaveIsCleanedAtTheNextSave()
    {
        const QString path = dir_.filePath(QStringLiteral("class.KalCir"));
        TestSupport::WriteFile(path, "old");
        const pid_t child = ::fork();
        if (child == 0)
        {
            DFileWriter::Fault fault(Step::Sync, DFileWriter::kKilled);
            DFileWriter::Write(path, QByteArray(40000, 'k'));
            ::_exit(0);
        }
        int status = 0;
        QVERIFY(child > 0 && ::waitpid(child, &status, 0) == child);
        QVERIFY(WIFSIGNALED(status));
        QCOMPARE(TestSupport::ReadFile(path), QByteArray("old"));
        const QStringList left = Entries();
        QCOMPARE(left.size(), 2);

        // Of a running save (process 1 always runs), and alike only.
        const QStringList kept = {QStringLiteral(".class.KalCir.part-1-AbCd12"), QStringLiteral("class.KalCir.backup"),
                                  QStringLiteral(".class.KalCir.part-x-AbCd12"),
                                  QStringLiteral(".other.KalCir.part-999999-AbCd12")};
        for (const QString& name : kept)
            TestSupport::WriteFile(dir_.filePath(name), "keep");

        DFileWriter::Write(path, "new");
        QCOMPARE(TestSupport::ReadFile(path), QByteArray("new"));
        QStringList expected = kept;
        expected << QStringLiteral("class.KalCir");
        expected.sort();
        QCOMPARE(Entries(), expected);
    }

    // Through a link the file it leads to is replaced, and keeps its
    // permissions; a private file is its owner's alone whatever the umask.
    void linksAndPermissions()
    {
        const QString file = dir_.filePath(QStringLiteral("t.KalCir"));
        const QString link = dir_.filePath(QStringLiteral("link.KalCir"));
        TestSupport::WriteFile(file, "old");
        QVERIFY(QFile::setPermissions(file, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup));
        QVERIFY(QFile::link(file, link));
        DFileWriter::Write(link, "new");
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(TestSupport::ReadFile(file), QByteArray("new"));
        QCOMPARE(QFile::permissions(file), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                                               QFileDevice::WriteUser | QFileDevice::ReadGroup);

        const QString secret = dir_.filePath(QStringLiteral("secret"));
        const mode_t mask = ::umask(0);
        DFileWriter::Write(secret, "s", DFileWriter::Access::Private);
        DFileWriter::Write(dir_.filePath(QStringLiteral("shared")), "s");
        ::umask(mask);
        struct stat status = {};
        QCOMPARE(::stat(QFile::encodeName(secret).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0600));
        QCOMPARE(::stat(QFile::encodeName(dir_.filePath(QStringLiteral("shared"))).constData(), &status), 0);
        QCOMPARE(status.st_mode & 0777, mode_t(0666));
    }

    void messagesInBothLanguages_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("message");
        using Action = DFileError::Action;
        QTest::newRow("write, English") << int(DLanguage::English) << int(Action::Write) << ENOSPC
                                        << QStringLiteral(
                                               "Cannot write \"reports/class.KalCir\": No space left on device");
        QTest::newRow("write, Italian")
            << int(DLanguage::Italian) << int(Action::Write) << ENOSPC
            << QStringLiteral("Impossibile scrivere \"reports/class.KalCir\": Spazio esaurito sul dispositivo");
        QTest::newRow("open, Italian") << int(DLanguage::Italian) << int(Action::Open) << ENOENT
                                       << QStringLiteral("Impossibile aprire \"reports/class.KalCir\": "
                                                         "File o cartella inesistente");
        QTest::newRow("read, English") << int(DLanguage::English) << int(Action::Read) << EIO
                                       << QStringLiteral("Cannot read \"reports/class.KalCir\": Input/output error");
        QTest::newRow("no errno left") << int(DLanguage::English) << int(Action::Read) << 0
                                       << QStringLiteral("Cannot read \"reports/class.KalCir\": Input/output error");
        QTest::newRow("same file, Italian")
            << int(DLanguage::Italian) << int(Action::Write) << DFileError::kSameAsInput
            << QStringLiteral("Impossibile scrivere \"reports/class.KalCir\": È lo stesso file di ingresso");
    }
    void messagesInBothLanguages()
    {
        QFETCH(int, language);
        QFETCH(int, action);
        QFETCH(int, error);
        QFETCH(QString, message);
        DLanguage active(language);
        QCOMPARE(DFileError::Error(DFileError::Action(action), QStringLiteral("reports/class.KalCir"), error).Message(),
                 message);
    }

    // Nothing that is not a regular file is replaced, nor opened as an input:
    // a FIFO would block the open.
    void nonRegularPathsAreRefusedUntouched_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("FIFO") << QStringLiteral("fifo");
        QTest::newRow("link to a FIFO") << QStringLiteral("link");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("device") << QStringLiteral("device");
    }
    void nonRegularPathsAreRefusedUntouched()
    {
        QFETCH(QString, kind);
        QString path = dir_.filePath(kind);
        const QString fifo = dir_.filePath(QStringLiteral("fifo"));
        QCOMPARE(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        if (kind == QLatin1String("link"))
            QVERIFY(QFile::link(fifo, path));
        else if (kind == QLatin1String("folder"))
            QVERIFY(QDir().mkdir(path));
        else if (kind == QLatin1String("device"))
            path = QStringLiteral("/dev/null");
        struct stat before = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &before), 0);

        QCOMPARE(ErrorOf([&] { DFileWriter::Write(path, "bytes"); }),
                 QStringLiteral("Cannot write \"%1\": Not a regular file").arg(path));
        QFile input;
        QCOMPARE(ErrorOf([&] { DFileReader::Open(input, path); }),
                 QStringLiteral("Cannot open \"%1\": Not a regular file").arg(path));
        QVERIFY(!input.isOpen());

        struct stat after = {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &after), 0);
        QCOMPARE(after.st_mode, before.st_mode);
        QCOMPARE(after.st_ino, before.st_ino);
        QCOMPARE(after.st_size, before.st_size);
    }

    void openFailuresNameTheReason()
    {
        const QString missing = dir_.filePath(QStringLiteral("missing.KalCir"));
        QFile file;
        QCOMPARE(ErrorOf([&] { DFileReader::Open(file, missing); }),
                 QStringLiteral("Cannot open \"%1\": No such file or directory").arg(missing));
        const QString inFile = dir_.filePath(QStringLiteral("plain/x.KalCir"));
        TestSupport::WriteFile(dir_.filePath(QStringLiteral("plain")), "x");
        QCOMPARE(ErrorOf([&] { DFileReader::Open(file, inFile); }),
                 QStringLiteral("Cannot open \"%1\": Not a directory").arg(inFile));
        QCOMPARE(ErrorOf([&] { DFileWriter::Write(inFile, "x"); }),
                 QStringLiteral("Cannot write \"%1\": Not a directory").arg(inFile));

        const QString present = dir_.filePath(QStringLiteral("present.KalCir"));
        TestSupport::WriteFile(present, "content");
        DFileReader::Open(file, present);
        QCOMPARE(file.readAll(), QByteArray("content"));
    }

    void sameFileFollowsLinks()
    {
        const QString file = dir_.filePath(QStringLiteral("t.KalCir"));
        const QString link = dir_.filePath(QStringLiteral("link.KalCir"));
        const QString other = dir_.filePath(QStringLiteral("other.KalCir"));
        TestSupport::WriteFile(file, "t");
        TestSupport::WriteFile(other, "t");
        QVERIFY(QFile::link(file, link));
        QVERIFY(DFileError::IsSameFile(file, link));
        QVERIFY(DFileError::IsSameFile(file, dir_.path() + QStringLiteral("/./t.KalCir")));
        QVERIFY(!DFileError::IsSameFile(file, other));
        QVERIFY(!DFileError::IsSameFile(file, dir_.filePath(QStringLiteral("missing"))));
    }

private:
    QStringList Entries() const
    {
        return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }

    QTemporaryDir dir_;
};

KC_TEST_MAIN(TestDFileWriter)
#include "test_DFileWriter.moc"
