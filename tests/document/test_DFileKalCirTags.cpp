#include "document/DFileKalCirTags.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QDir>
#include <QTemporaryDir>
#include <QtEndian>

#include <limits>
#include <utility>
#include <vector>

using TestSupport::ErrorOf;
using TestSupport::Int32;
using TestSupport::Int64;

namespace
{
using Records = std::vector<std::pair<quint32, QByteArray>>;

constexpr qint64 kSlot5 = 86;
const quint32 kTagA = DFileKalCirTags::Tag("ZzAa");
const quint32 kTagB = DFileKalCirTags::Tag("ZzBb");

QByteArray Section(const Records& records, qint32 count = -1)
{
    QByteArray bytes = Int32(count < 0 ? qint32(records.size()) : count);
    for (const auto& [tag, data] : records)
        bytes += Int32(qint32(tag)) + Int32(qint32(data.size())) + data;
    return bytes;
}

// A small test written as today's writer writes it: no tagged section.
QByteArray Base()
{
    DTest test;
    test.subj.List().SetSize(3, false);
    test.subj.List().GetSelected(0).appe.Surname().SetText(QStringLiteral("Rossi"));
    test.desi.SetDesi(1, 1, 1, 2);
    return test.file.ToBytes();
}

// Base with bytes appended at its end and slot 5 pointing at start (by
// default where the appended bytes begin).
constexpr qint64 kAppended = std::numeric_limits<qint64>::min();
QByteArray WithSection(const QByteArray& section, qint64 start = kAppended)
{
    QByteArray file = Base();
    const qint64 end = file.size();
    file += section;
    file.replace(kSlot5, 8, Int64(start == kAppended ? end : start));
    return file;
}

void Read(DTest& test, const QByteArray& file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    test.file.Read(buffer, QStringLiteral("t.KalCir"));
}

// Records whose data fill a section of exactly bytes bytes.
Records Filling(qint64 bytes)
{
    Records records;
    qint64 left = bytes - DFileKalCirTags::kCountBytes;
    for (quint32 tag = 1; left > 0; ++tag)
    {
        const qint64 data = std::min(left - DFileKalCirTags::kRecordHeadBytes, DFileKalCirTags::kMaxRecordBytes);
        records.emplace_back(tag, QByteArray(data, char('a' + tag)));
        left -= DFileKalCirTags::kRecordHeadBytes + data;
    }
    return records;
}

QString ReadFailure(const char* module)
{
    return QStringLiteral("Read failure from file, module \"%1\"!").arg(QLatin1String(module));
}
} // namespace

class TestDFileKalCirTags : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void corpusRoundTripsByteIdentical_data();
    void corpusRoundTripsByteIdentical();
    void unknownRecordsRoundTrip_data();
    void unknownRecordsRoundTrip();
    void damagedSectionsAreRefused_data();
    void damagedSectionsAreRefused();
    void featuresSetGetAndRemoveTheirRecords();
    void setRefusesWhatBreaksACap();
    void importsAndNewTakeNoRecords();
};

void TestDFileKalCirTags::corpusRoundTripsByteIdentical_data()
{
    // Files the writer made: four without a tagged section, one with.
    QTest::addColumn<QString>("path");
    const QDir corpus(QFINDTESTDATA("../data/files"));
    for (const char* name : {"new", "small", "one-subject", "largest", "tagged"})
        QTest::newRow(name) << corpus.filePath(QLatin1String(name) + QStringLiteral(".KalCir"));
}

void TestDFileKalCirTags::corpusRoundTripsByteIdentical()
{
    QFETCH(QString, path);
    const QByteArray bytes = TestSupport::ReadFile(path);
    QVERIFY(!bytes.isEmpty());
    DTest test;
    test.file.Read(path);
    QCOMPARE(test.file.ToBytes(), bytes);
}

void TestDFileKalCirTags::unknownRecordsRoundTrip_data()
{
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<int>("records");
    QTest::newRow("one") << Section({{kTagA, "hello"}}) << 1;
    QTest::newRow("empty data") << Section({{kTagA, {}}}) << 1;
    QTest::newRow("kept in file order") << Section({{3, "c"}, {0xFFFFFFFFu, "max"}, {0, "zero"}, {1, "a"}}) << 4;
    QTest::newRow("record exactly at its cap")
        << Section({{kTagA, QByteArray(DFileKalCirTags::kMaxRecordBytes, 'x')}}) << 1;
    const Records full = Filling(DFileKalCirTags::kMaxSectionBytes);
    QTest::newRow("section exactly at its cap") << Section(full) << int(full.size());
}

void TestDFileKalCirTags::unknownRecordsRoundTrip()
{
    QFETCH(QByteArray, section);
    QFETCH(int, records);
    const QByteArray file = WithSection(section);
    DTest test;
    Read(test, file);
    QCOMPARE(int(test.tags.Records().size()), records);
    QVERIFY(!test.IsChangedByUser());
    QCOMPARE(test.file.ToBytes(), file);
}

void TestDFileKalCirTags::damagedSectionsAreRefused_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("error");
    const QString tags = ReadFailure("DFileKalCirTags::FromFile()");
    const QString slot = ReadFailure("DFileKalCirSec::PositionFromFile()");
    const qint64 end = Base().size();
    const qint64 maxCount = (DFileKalCirTags::kMaxSectionBytes - DFileKalCirTags::kCountBytes) / 8;

    QTest::newRow("negative count") << WithSection(Int32(-1)) << tags;
    QTest::newRow("count over the cap") << WithSection(Int32(maxCount + 1) + QByteArray(8 * (maxCount + 1), 'x'))
                                        << tags;
    QTest::newRow("count past the end") << WithSection(Section({{kTagA, "a"}}, 2)) << tags;
    QTest::newRow("negative length") << WithSection(Int32(1) + Int32(kTagA) + Int32(-1)) << tags;
    QTest::newRow("length past the end") << WithSection(Int32(1) + Int32(kTagA) + Int32(10) + "abc") << tags;
    QTest::newRow("record one over its cap")
        << WithSection(Section({{kTagA, QByteArray(DFileKalCirTags::kMaxRecordBytes + 1, 'x')}})) << tags;
    QTest::newRow("section one over its cap")
        << WithSection(Section(Filling(DFileKalCirTags::kMaxSectionBytes + 1))) << tags;
    QTest::newRow("tag twice") << WithSection(Section({{kTagA, "a"}, {kTagB, "b"}, {kTagA, "a"}})) << tags;
    QTest::newRow("cut inside a record") << WithSection(Section({{kTagA, "abcdef"}}).chopped(2)) << tags;
    QTest::newRow("starts inside the table") << WithSection(Section({{kTagA, "a"}}), 60) << slot;
    QTest::newRow("starts at the file's end") << WithSection({}, end) << tags;
    QTest::newRow("starts past the file's end") << WithSection({}, end + 1) << slot;
    QTest::newRow("negative start") << WithSection({}, end - (qint64(1) << 40)) << slot;
}

void TestDFileKalCirTags::damagedSectionsAreRefused()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, error);
    DTest test;
    test.subj.List().SetSize(7, true);
    test.tags.Set(kTagB, "mine", true);
    const QByteArray before = test.file.ToBytes();

    QCOMPARE(ErrorOf([&] { Read(test, file); }), error);
    QCOMPARE(test.file.ToBytes(), before);
    QVERIFY(test.IsChangedByUser());
}

void TestDFileKalCirTags::featuresSetGetAndRemoveTheirRecords()
{
    // Four letters show in the file in the order they are written.
    QCOMPARE(Int32(qint32(DFileKalCirTags::Tag("ABCD"))), QByteArray("ABCD"));

    DTest test;
    Read(test, WithSection(Section({{kTagA, "theirs"}})));
    QCOMPARE(test.tags.Get(kTagA), std::optional<QByteArray>("theirs"));
    QCOMPARE(test.tags.Get(kTagB), std::nullopt);

    // Equal data is no change; program changes are not the user's; a new
    // record goes after those read.
    test.tags.Set(kTagA, "theirs", true);
    test.tags.Set(kTagB, "mine", false);
    QVERIFY(!test.IsChangedByUser());
    test.tags.Set(kTagB, "mine, edited", true);
    QVERIFY(test.IsChangedByUser());
    const QByteArray both = WithSection(Section({{kTagA, "theirs"}, {kTagB, "mine, edited"}}));
    QCOMPARE(test.file.ToBytes(), both);

    // Saving clears the change; without records the file is today's again.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.KalCir"));
    test.file.Write(path);
    QVERIFY(!test.IsChangedByUser());
    QCOMPARE(TestSupport::ReadFile(path), both);
    test.tags.Remove(kTagA, true);
    test.tags.Remove(kTagB, true);
    QVERIFY(test.IsChangedByUser());
    test.file.Write(path);
    QVERIFY(!test.IsChangedByUser());
    QCOMPARE(TestSupport::ReadFile(path), Base());
}

void TestDFileKalCirTags::setRefusesWhatBreaksACap()
{
    const QString refused = QStringLiteral("Memory access failed in the \"DFileKalCirTags::Set()\" module!");
    DTest test;
    QCOMPARE(ErrorOf([&] { test.tags.Set(kTagA, QByteArray(DFileKalCirTags::kMaxRecordBytes + 1, 'x'), true); }),
             refused);
    QVERIFY(test.tags.Records().empty());
    QVERIFY(!test.IsChangedByUser());

    for (const auto& [tag, data] : Filling(DFileKalCirTags::kMaxSectionBytes))
        test.tags.Set(tag, data, false);
    QCOMPARE(test.tags.SectionBytes(), DFileKalCirTags::kMaxSectionBytes);
    const QByteArray full = test.file.ToBytes();
    QCOMPARE(ErrorOf([&] { test.tags.Set(1, test.tags.Get(1).value() + 'x', true); }), refused);
    QCOMPARE(ErrorOf([&] { test.tags.Set(kTagA, {}, true); }), refused);
    QCOMPARE(test.file.ToBytes(), full);
    QVERIFY(!test.IsChangedByUser());
}

void TestDFileKalCirTags::importsAndNewTakeNoRecords()
{
    // A tagged section belongs to its test as a whole: importing only the
    // questions or subjects of a file neither reads nor takes it, even damaged.
    for (const QByteArray& section : {Section({{kTagA, "theirs"}}), Int32(-1)})
    {
        const QByteArray file = WithSection(section);
        DTest test;
        test.tags.Set(kTagB, "mine", true);
        QBuffer buffer;
        buffer.setData(file);
        buffer.open(QIODevice::ReadOnly);
        test.file.ReadOnlySubjects(buffer, QStringLiteral("other.KalCir"));
        QCOMPARE(test.subj.Count(), 3);
        QVERIFY(test.tags.Records() == (std::vector<DFileKalCirTags::Record>{{kTagB, "mine"}}));
    }

    // A whole read replaces the records, also by none; New drops them.
    DTest test;
    test.tags.Set(kTagB, "mine", true);
    Read(test, WithSection(Section({}, 0)));
    QVERIFY(test.tags.Records().empty());
    test.tags.Set(kTagB, "mine", true);
    test.New();
    QVERIFY(test.tags.Records().empty());
    QVERIFY(!test.tags.IsChangedByUser());
}

KC_TEST_MAIN(TestDFileKalCirTags)
#include "test_DFileKalCirTags.moc"
