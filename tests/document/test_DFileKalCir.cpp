#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "model/DFileStream.h"
#include "model/DFileWriter.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>

#include <cerrno>
#include <functional>
#include <optional>
#include <sys/stat.h>

using TestSupport::Int32;
using TestSupport::Int64;
using TestSupport::Utf16;

namespace
{
// Every stored value of the document as bytes, without clearing any change
// state: two equal snapshots mean an unchanged document.
QByteArray Snapshot(DTest& test)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    buffer.write(QByteArray(126, '\0'));
    DFileStream stream(&buffer, {}, /*deferSaved=*/true);
    test.SectionsToFile(stream);
    return buffer.data();
}

using TestSupport::ErrorOf;

qint64 Slot(const QByteArray& file, int slot)
{
    return qFromLittleEndian<qint64>(file.constData() + 46 + 8 * slot);
}

QByteArray Header(qint32 version)
{
    return Utf16(QStringLiteral("Zelvor71Kaleidocircle")) + Int32(version);
}
} // namespace

class TestDFileKalCir : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init() { QVERIFY(dir_.isValid()); }

    void writtenFileHasHeaderTableAndContiguousSections()
    {
        DTest test;
        const QString path = dir_.filePath(QStringLiteral("new.KalCir"));
        test.file.Write(path);
        const QByteArray file = TestSupport::ReadFile(path);
        QCOMPARE(file.left(46), Header(2));
        QCOMPARE(Slot(file, 0), qint64(126));
        // Used slots follow the file order, each section starting where the
        // previous one ended; the reserved slots stay zero.
        int used = 0;
        while (used < 10 && Slot(file, used) != 0)
            ++used;
        QVERIFY(used >= 4);
        for (int s = 1; s < used; ++s)
            QVERIFY2(Slot(file, s) > Slot(file, s - 1), qPrintable(QString::number(s)));
        for (int s = used; s < 10; ++s)
            QCOMPARE(Slot(file, s), qint64(0));
        QCOMPARE(test.file.FileName(), path);

        DTest back;
        back.file.Read(path);
        QCOMPARE(Snapshot(back), Snapshot(test));
        QVERIFY(!back.IsChangedByUser());
    }

    void savingClearsChangesOnlyWhenTheFileIsWritten()
    {
        DTest test;
        test.desi.SetDesi(1, 1, 1, 2);
        QVERIFY(test.IsChangedByUser());

        const QString missingDir = dir_.filePath(QStringLiteral("no/such/dir/t.KalCir"));
        QCOMPARE(ErrorOf([&] { test.file.Write(missingDir); }),
                 QStringLiteral("Cannot write \"%1\": No such file or directory").arg(missingDir));
        QVERIFY(test.IsChangedByUser());
        QVERIFY(test.file.FileName().isEmpty());
        QVERIFY(!QFile::exists(missingDir));

        const QString path = dir_.filePath(QStringLiteral("saved.KalCir"));
        test.file.Write(path);
        QVERIFY(!test.IsChangedByUser());

        // A failed save over an existing file leaves that file intact.
        const QByteArray before = TestSupport::ReadFile(path);
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
        test.desi.SetDesi(1, 1, 1, 3);
        const QString error = ErrorOf([&] { test.file.Write(path); });
        QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        if (!error.isEmpty()) // root may write anyway
        {
            QCOMPARE(TestSupport::ReadFile(path), before);
            QVERIFY(test.IsChangedByUser());
        }
    }

    void refusedFilesLeaveTheDocumentUnchanged_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("text file") << QByteArray("This is a plain text file, not a test file at all.\n")
                                   << QStringLiteral("The file \"%PATH%\" was not recognized!");
        QTest::newRow("empty") << QByteArray()
                               << QStringLiteral("Read failure from file, module \"DFileKalCir::ReadHeader()\"!");
        QTest::newRow("41 bytes") << Header(2).left(41)
                                  << QStringLiteral("Read failure from file, module \"DFileKalCir::ReadHeader()\"!");
        QTest::newRow("magic only") << Header(2).left(42)
                                    << QStringLiteral("Read failure from file, module \"DFileKalCir::ReadVersion()\"!");
        QTest::newRow("magic in other case") << Utf16(QStringLiteral("zelvor71kaleidocircle")) + Int32(2)
                                             << QStringLiteral("The file \"%PATH%\" was not recognized!");
        QTest::newRow("version 0") << Header(0) << QStringLiteral("The version of the file is not supported!");
        QTest::newRow("version 3") << Header(3) << QStringLiteral("The version of the file is not supported!");
        QTest::newRow("no table") << Header(2)
                                  << QStringLiteral(
                                         "Read failure from file, module \"DFileKalCirSec::PositionFromFile()\"!");
        QTest::newRow("slot past the end")
            << Header(2) + Int64(1000000).repeated(5) + QByteArray(40, '\0')
            << QStringLiteral("Read failure from file, module \"DFileKalCirSec::PositionFromFile()\"!");
    }
    void refusedFilesLeaveTheDocumentUnchanged()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        const QString path = dir_.filePath(QStringLiteral("refused.KalCir"));
        TestSupport::WriteFile(path, bytes);

        DTest test;
        const QString saved = dir_.filePath(QStringLiteral("own.KalCir"));
        test.file.Write(saved);
        test.desi.SetDesi(2, 1, 3, 4);
        const QByteArray before = Snapshot(test);

        QCOMPARE(ErrorOf([&] { test.file.Read(path); }), QString(error).replace(QLatin1String("%PATH%"), path));
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlyQuestions(path); }),
                 QString(error).replace(QLatin1String("%PATH%"), path));
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlySubjects(path); }),
                 QString(error).replace(QLatin1String("%PATH%"), path));
        QCOMPARE(Snapshot(test), before);
        QCOMPARE(test.file.FileName(), saved);
        QVERIFY(test.IsChangedByUser());
    }

    // A file that cannot be opened or read is named with the reason; what is
    // not a regular file is refused without being opened, so a FIFO cannot
    // block.
    void openFailuresNameTheFile_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QString>("reason");
        const QString open = QStringLiteral("open");
        QTest::newRow("missing") << QStringLiteral("missing.KalCir") << open
                                 << QStringLiteral("No such file or directory");
        QTest::newRow("under a file") << QStringLiteral("plain.txt/t.KalCir") << open
                                      << QStringLiteral("Not a directory");
        QTest::newRow("FIFO") << QStringLiteral("fifo.KalCir") << open << QStringLiteral("Not a regular file");
        QTest::newRow("folder") << QStringLiteral("folder.KalCir") << open << QStringLiteral("Not a regular file");
        QTest::newRow("device") << QStringLiteral("/dev/zero") << open << QStringLiteral("Not a regular file");
        // A regular file whose every read fails on the system's side.
        QTest::newRow("read fails") << QStringLiteral("/proc/self/mem") << QStringLiteral("read")
                                    << QStringLiteral("Input/output error");
    }
    void openFailuresNameTheFile()
    {
        QFETCH(QString, name);
        QFETCH(QString, action);
        QFETCH(QString, reason);
        const QString path = name.startsWith(QLatin1Char('/')) ? name : dir_.filePath(name);
        if (name.startsWith(QLatin1String("fifo")) && !QFileInfo::exists(path))
            QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
        if (name.startsWith(QLatin1String("folder")))
            QDir().mkpath(path);
        if (name.startsWith(QLatin1String("plain")))
            TestSupport::WriteFile(dir_.filePath(QStringLiteral("plain.txt")), "text");

        DTest test;
        test.desi.SetDesi(1, 1, 1, 2);
        const QByteArray before = Snapshot(test);
        const QString error = QStringLiteral("Cannot %1 \"%2\": %3").arg(action, path, reason);
        QCOMPARE(ErrorOf([&] { test.file.Read(path); }), error);
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlyQuestions(path); }), error);
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlySubjects(path); }), error);
        QCOMPARE(Snapshot(test), before);
        QVERIFY(test.file.FileName().isEmpty());
    }

    // A full disk, real where a tmpfs can be mounted and injected always:
    // the save fails naming the file and the reason, the old file stays byte
    // for byte, and the test stays changed so closing still asks.
    void saveOnAFailingDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<bool>("realDisk");
        QTest::addColumn<int>("step");
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("reason");
        QTest::newRow("full tmpfs") << true << 0 << 0 << QStringLiteral("No space left on device");
        QTest::newRow("write fails") << false << int(DFileWriter::Step::Write) << ENOSPC
                                     << QStringLiteral("No space left on device");
        QTest::newRow("sync fails") << false << int(DFileWriter::Step::Sync) << EIO
                                    << QStringLiteral("Input/output error");
    }
    void saveOnAFailingDiskKeepsTheOldFile()
    {
        QFETCH(bool, realDisk);
        QFETCH(int, step);
        QFETCH(int, error);
        QFETCH(QString, reason);
        const QString folder = dir_.filePath(QStringLiteral("disk"));
        std::optional<TestSupport::FullDisk> disk;
        if (realDisk)
        {
            disk.emplace(folder);
            if (!disk->IsMounted())
                QSKIP("no tmpfs can be mounted here; the injected rows cover the failure");
        }
        QDir().mkpath(folder);
        const QString path = folder + QStringLiteral("/t.KalCir");

        DTest test;
        test.desi.SetDesi(1, 1, 1, 2);
        test.file.Write(path);
        const QByteArray before = TestSupport::ReadFile(path);
        // Enough names that the file outgrows any buffer the library keeps.
        test.subj.List().SetSize(30, true);
        for (int i = 0; i < 30; ++i)
            test.subj.List().GetSelected(i).appe.Surname().SetText(QString(600, QChar(u'a' + i % 26)));
        QVERIFY(test.IsChangedByUser());

        std::optional<DFileWriter::Fault> fault;
        if (realDisk)
            disk->Fill();
        else
            fault.emplace(DFileWriter::Step(step), error);
        QCOMPARE(ErrorOf([&] { test.file.Write(path); }), QStringLiteral("Cannot write \"%1\": %2").arg(path, reason));
        QCOMPARE(TestSupport::ReadFile(path), before);
        QVERIFY(test.IsChangedByUser());
        QCOMPARE(test.file.FileName(), path);
        fault.reset();
        QFile::remove(folder + QStringLiteral("/filler"));

        // Once there is room again, the same save goes through.
        test.file.Write(path);
        QVERIFY(!test.IsChangedByUser());
        DTest back;
        back.file.Read(path);
        QCOMPARE(back.subj.List().GetSelected(29).appe.Surname().ToString().size(), 600);
    }

    void truncationAnywhereIsRefusedWhole()
    {
        DTest source;
        source.desi.SetDesi(1, 2, 3, 5);
        const QString full = dir_.filePath(QStringLiteral("full.KalCir"));
        source.file.Write(full);
        const QByteArray bytes = TestSupport::ReadFile(full);

        DTest test;
        test.desi.SetDesi(1, 1, 1, 7);
        const QByteArray before = Snapshot(test);
        const QString cut = dir_.filePath(QStringLiteral("cut.KalCir"));
        for (qsizetype size = 46; size < bytes.size(); size += qMax<qsizetype>(1, bytes.size() / 97))
        {
            TestSupport::WriteFile(cut, bytes.left(size));
            const QString error = ErrorOf([&] { test.file.Read(cut); });
            QVERIFY2(error.startsWith(QLatin1String("Read failure from file, module \"")), qPrintable(error));
            QCOMPARE(Snapshot(test), before);
            QVERIFY(test.file.FileName().isEmpty());
        }
        test.file.Read(full);
        QCOMPARE(test.desi.GetDesi(1, 2, 3), 5);
        QCOMPARE(test.file.FileName(), full);
    }

    // The bound on a file's size is that of the largest test the program
    // writes, plus the room its tagged section may take.
    void largestTestFitsTheBound()
    {
        DTest test;
        BuildLargestTest(test);
        FillLongestTexts(test);
        QByteArray bytes = test.file.ToBytes();
        QVERIFY(bytes.size() <= DFileKalCir::MaxFileSize());
        QVERIFY(DFileKalCir::MaxFileSize() - bytes.size() <= 1 << 20);

        DTest back;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        back.file.Read(buffer, QStringLiteral("largest.KalCir"));
        QCOMPARE(Snapshot(back), Snapshot(test));
    }

    // Sparse files: the size costs no disk and no memory unless read.
    void largerFilesAreRefusedUnread_data()
    {
        QTest::addColumn<qint64>("size");
        QTest::addColumn<bool>("refused");
        QTest::newRow("the bound") << DFileKalCir::MaxFileSize() << false;
        QTest::newRow("one byte more") << DFileKalCir::MaxFileSize() + 1 << true;
        QTest::newRow("2 GB") << qint64(2) * 1024 * 1024 * 1024 << true;
    }
    void largerFilesAreRefusedUnread()
    {
        QFETCH(qint64, size);
        QFETCH(bool, refused);
        const QString path = dir_.filePath(QStringLiteral("huge.KalCir"));
        DTest source;
        source.ques.List().GetSelected(0).text.SetText(QStringLiteral("Whom?"));
        source.file.Write(path);
        QVERIFY(QFile::resize(path, size));

        DTest test;
        test.desi.SetDesi(1, 1, 1, 7);
        const QByteArray before = Snapshot(test);
        const QString error = refused ? QStringLiteral("The file \"%1\" was not recognized!").arg(path) : QString();
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlyQuestions(path); }), error);
        QCOMPARE(ErrorOf([&] { test.file.ReadOnlySubjects(path); }), error);
        QCOMPARE(ErrorOf([&] { test.file.Read(path); }), error);
        if (refused)
        {
            QCOMPARE(Snapshot(test), before);
            QVERIFY(test.file.FileName().isEmpty());
        }
        else
            QCOMPARE(test.ques.List().GetSelected(0).text.ToString(), QStringLiteral("Whom?"));
        QFile::remove(path);
    }

    // A section that starts inside the magic, the version or the table would
    // read the file's own framing as its data: the matrix read there held no
    // choice, and saving would have wiped every answer.
    void sectionPositionsOutsideTheSectionsAreRefused_data()
    {
        QTest::addColumn<int>("slot");
        QTest::addColumn<qint64>("start");
        const char* const names[] = {"questions", "answer settings", "subjects", "matrix", "analyses"};
        for (int slot = 0; slot < 5; ++slot)
            for (qint64 start : {0, 45, 125, -1})
                QTest::addRow("%s at %s", names[slot], start < 0 ? "the end + 1" : qPrintable(QString::number(start)))
                    << slot << start;
    }
    void sectionPositionsOutsideTheSectionsAreRefused()
    {
        QFETCH(int, slot);
        QFETCH(qint64, start);
        DTest source;
        source.desi.SetDesi(1, 1, 1, 2);
        source.desi.SetDesi(2, 3, 4, 5);
        QByteArray bytes = source.file.ToBytes();
        bytes.replace(46 + 8 * slot, 8, Int64(start < 0 ? bytes.size() + 1 : start));
        const QString path = dir_.filePath(QStringLiteral("positions.KalCir"));
        TestSupport::WriteFile(path, bytes);

        DTest test;
        test.desi.SetDesi(1, 2, 3, 4);
        const QByteArray before = Snapshot(test);
        const QString error = QStringLiteral("Read failure from file, module \"DFileKalCirSec::PositionFromFile()\"!");
        QCOMPARE(ErrorOf([&] { test.file.Read(path); }), error);
        if (slot == 0)
            QCOMPARE(ErrorOf([&] { test.file.ReadOnlyQuestions(path); }), error);
        if (slot == 2)
            QCOMPARE(ErrorOf([&] { test.file.ReadOnlySubjects(path); }), error);
        QCOMPARE(Snapshot(test), before);
        QVERIFY(test.file.FileName().isEmpty());
    }

    // Texts stored by another program lose, on reading and importing, what
    // would hide or disguise them and what XML forbids; the note keeps its
    // tabs, every text its line breaks.
    void storedTextsAreCleaned_data()
    {
        QTest::addColumn<QString>("stored"); // five code units
        QTest::addColumn<QString>("plain");
        QTest::addColumn<QString>("note");
        QTest::newRow("NUL") << QString::fromUtf16(u"Ro\0si", 5) << "Rosi"
                             << "Rosi";
        QTest::newRow("right-to-left override") << QString::fromUtf16(u"\u202Elive") << "live"
                                                << "live";
        QTest::newRow("lone surrogate") << QString::fromUtf16(u"ab") + QChar(0xD800) + "cd"
                                        << QString::fromUtf16(u"ab\uFFFDcd") << QString::fromUtf16(u"ab\uFFFDcd");
        QTest::newRow("tab") << "Ro\tsi"
                             << "Rosi"
                             << "Ro\tsi";
        // Kept as they are: the file writes back as it was read.
        QTest::newRow("line breaks") << "R\r\ns\n"
                                     << "R\r\ns\n"
                                     << "R\r\ns\n";
        QTest::newRow("noncharacters") << QString::fromUtf16(u"R\uFFFEo\uFFFFs") << "Ros"
                                       << "Ros";
        QTest::newRow("noncharacter beyond the first plane") << QString::fromUtf16(u"R\U0010FFFFos") << "Ros"
                                                             << "Ros";
        QTest::newRow("valid") << QString::fromUtf16(u"R\u00F2\U0001F600s") << QString::fromUtf16(u"R\u00F2\U0001F600s")
                               << QString::fromUtf16(u"R\u00F2\U0001F600s");
    }
    void storedTextsAreCleaned()
    {
        QFETCH(QString, stored);
        QFETCH(QString, plain);
        QFETCH(QString, note);
        QCOMPARE(stored.size(), 5);
        DTest source;
        source.ques.List().GetSelected(0).text.SetText(QStringLiteral("QQQQQ"));
        source.subj.Description().SetText(QStringLiteral("DDDDD"));
        DSubjElem& subject = source.subj.List().GetSelected(0);
        subject.appe.Surname().SetText(QStringLiteral("SSSSS"));
        subject.appe.Name().SetText(QStringLiteral("NNNNN"));
        subject.note.SetText(QStringLiteral("TTTTT"));
        QByteArray bytes = source.file.ToBytes();
        for (const char* placeholder : {"QQQQQ", "DDDDD", "SSSSS", "NNNNN", "TTTTT"})
            bytes.replace(Utf16(QString::fromLatin1(placeholder)), Utf16(stored));
        const QString path = dir_.filePath(QStringLiteral("crafted.KalCir"));
        TestSupport::WriteFile(path, bytes);

        DTest test;
        test.file.Read(path);
        QCOMPARE(test.ques.List().GetSelected(0).text.ToString(), plain);
        QCOMPARE(test.subj.Description().ToString(), plain);
        QCOMPARE(test.subj.List().GetSelected(0).appe.Surname().ToString(), plain);
        QCOMPARE(test.subj.List().GetSelected(0).appe.Name().ToString(), plain);
        QCOMPARE(test.subj.List().GetSelected(0).note.ToString(), note);
        QVERIFY(!test.IsChangedByUser());

        DTest importer;
        importer.file.ReadOnlyQuestions(path);
        importer.file.ReadOnlySubjects(path);
        QCOMPARE(importer.ques.List().GetSelected(0).text.ToString(), plain);
        QCOMPARE(importer.subj.List().GetSelected(0).appe.Surname().ToString(), plain);
    }

private:
    QTemporaryDir dir_;
};

KC_TEST_MAIN(TestDFileKalCir)
#include "test_DFileKalCir.moc"
