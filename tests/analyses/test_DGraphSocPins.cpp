#include "analyses/DGraphSocPins.h"
#include "document/DFileKalCirTags.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
void Read(DTest& test, const QByteArray& file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    test.file.Read(buffer, QStringLiteral("t.KalCir"));
}

// A file of the test with the pins record's data replaced.
QByteArray WithRecord(DTest& test, const QByteArray& data)
{
    test.tags.Set(DFileKalCirTags::Tag("SPIN"), data, false);
    return test.file.ToBytes();
}
} // namespace

class TestDGraphSocPins : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Pins of both types survive save and open; without pins the file is
    // byte for byte the one written before pins existed.
    void SurviveSaveAndOpen()
    {
        DTest test;
        test.subj.List().SetSize(20, false);
        const QByteArray plain = test.file.ToBytes();

        DGraphSocPins pins;
        pins.Set(true, 1, true);
        pins.Set(true, 20, true);
        pins.Set(false, 7, true);
        test.SetPins(pins, true);
        QVERIFY(test.IsChangedByUser());
        DTest opened;
        Read(opened, test.file.ToBytes());
        QCOMPARE(opened.Pins(), pins);
        QVERIFY(opened.Pins().Is(true, 20) && !opened.Pins().Is(false, 20) && opened.Pins().Is(false, 7));

        test.SetPins(DGraphSocPins(), true);
        QCOMPARE(test.file.ToBytes(), plain);
        DTest without;
        Read(without, plain);
        QVERIFY(without.Pins().IsEmpty());
    }

    // Whatever bytes the record holds, they read: missing bits are unpinned,
    // extra bytes are ignored, and ids past the largest test are read too.
    void ReadLeniently_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QList<int>>("acceptance");
        QTest::addColumn<QList<int>>("rejection");
        QTest::newRow("empty") << QByteArray() << QList<int>{} << QList<int>{};
        QTest::newRow("short") << QByteArray("\x05", 1) << QList<int>{1, 3} << QList<int>{};
        QTest::newRow("rejection and extra bytes")
            << QByteArray(16, '\0') + QByteArray("\x80", 1) + QByteArray(14, '\0') + QByteArray("\x08", 1) +
                   QByteArray(4, '\xff')
            << QList<int>{} << QList<int>{8, 124};
    }
    void ReadLeniently()
    {
        QFETCH(QByteArray, data);
        QFETCH(QList<int>, acceptance);
        QFETCH(QList<int>, rejection);
        DTest test;
        DTest opened;
        Read(opened, WithRecord(test, data));
        const DGraphSocPins pins = opened.Pins();
        for (int id = 1; id <= DGraphSocPins::kIds; ++id)
        {
            QCOMPARE(pins.Is(true, id), acceptance.contains(id));
            QCOMPARE(pins.Is(false, id), rejection.contains(id));
        }
    }
};

KC_TEST_MAIN(TestDGraphSocPins)
#include "test_DGraphSocPins.moc"
