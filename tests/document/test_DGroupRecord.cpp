#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

#include <QBuffer>

using TestSupport::Int32;

Q_DECLARE_METATYPE(DGroupSettings)

namespace
{
DGroupSettings ReadBack(const QByteArray& file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    DTest test;
    test.file.Read(buffer, QStringLiteral("t.KalCir"));
    return DGroupRecord::Load(test);
}

QByteArray Ints(std::initializer_list<qint32> values)
{
    QByteArray bytes;
    for (const qint32 value : values)
        bytes += Int32(value);
    return bytes;
}
} // namespace

class TestDGroupRecord : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void storedWithTheTest();
    void lenientReading_data();
    void lenientReading();
};

void TestDGroupRecord::storedWithTheTest()
{
    DTest test;
    test.subj.List().SetSize(5, false);
    const QByteArray before = test.file.ToBytes();

    // The defaults of a test without the record are no change and no record.
    QCOMPARE(DGroupRecord::Load(test), DGroupSettings());
    DGroupRecord::Store(test, DGroupSettings(), true);
    QVERIFY(!test.IsChangedByUser());
    QCOMPARE(test.file.ToBytes(), before);

    DGroupSettings settings;
    settings.mode = DGroupSettings::Mode::Count;
    settings.value = 3;
    settings.balanceSexes = true;
    settings.SetQuestion(1, false);
    settings.together = {{1, 2}, {2, 5}};
    settings.apart = {{3, 4}};
    DGroupRecord::Store(test, settings, true);
    QVERIFY(test.IsChangedByUser());
    QCOMPARE(ReadBack(test.file.ToBytes()), settings);

    // Back to the defaults: the record stays, holding them.
    DGroupRecord::Store(test, DGroupSettings(), true);
    QCOMPARE(ReadBack(test.file.ToBytes()), DGroupSettings());
}

void TestDGroupRecord::lenientReading_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<DGroupSettings>("expected");
    const DGroupSettings defaults;
    const QByteArray none = Ints({0, 0});

    QTest::newRow("empty") << QByteArray() << defaults;
    QTest::newRow("ends after the value") << Ints({1, 3}) << defaults;

    DGroupSettings flags;
    flags.balanceSexes = true;
    flags.questions = 0b101;
    QTest::newRow("unknown mode keeps the size") << Ints({7, 3, 1, 0b101}) + none << flags;
    QTest::newRow("value out of range") << Ints({1, 11, 1, 0b101}) + none << flags;
    flags.questions = DGroupSettings::kAllQuestions;
    QTest::newRow("questions past the tenth") << Ints({0, 4, 1, -1}) + none << flags;

    // Only 1-2 names two different subjects of 1..5 for the first time.
    DGroupSettings pairs;
    pairs.together = {{1, 2}};
    QTest::newRow("pairs naming no subject")
        << Ints({0, 4, 0, 1023, 5, 1, 2, 2, 1, 3, 3, 0, 2, 4, 6}) + Ints({0}) << pairs;
    // A count far beyond the data: the pairs that are there.
    pairs.apart = {{2, 3}};
    QTest::newRow("count beyond the data") << Ints({0, 4, 0, 1023, 1, 1, 2, 1000000, 2, 3, 4}) << pairs;
}

void TestDGroupRecord::lenientReading()
{
    QFETCH(QByteArray, data);
    QFETCH(DGroupSettings, expected);
    DTest test;
    test.subj.List().SetSize(5, false);
    test.tags.Set(DGroupRecord::kTag, data, true);
    QCOMPARE(ReadBack(test.file.ToBytes()), expected);
}

KC_TEST_MAIN(TestDGroupRecord)
#include "test_DGroupRecord.moc"
