#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QTemporaryDir>

namespace
{
using TestSupport::ErrorOf;
} // namespace

class TestDAnsw : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void setFromText_data();
    void setFromText();
    void equalValueChangesNothing();
    void changeAndSave();
};

void TestDAnsw::defaults()
{
    DTest test;
    QCOMPARE(test.answ.num.GetValue(), 3);
    QVERIFY(test.answ.subjSort.IsSurnameName());
    QVERIFY(!test.answ.IsChangedByUser());
}

void TestDAnsw::setFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("number"); // 0: refused
    QTest::newRow("lowest") << "1" << 1;
    QTest::newRow("highest") << "10" << 10;
    QTest::newRow("below") << "0" << 0;
    QTest::newRow("above") << "11" << 0;
    QTest::newRow("negative") << "-3" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
}

void TestDAnsw::setFromText()
{
    QFETCH(QString, text);
    QFETCH(int, number);
    DTest test;
    test.desi.SetDesi(1, 3, 1, 2);
    const QString error = ErrorOf([&] { test.answ.num.SetFromText(text); });
    if (number)
    {
        QCOMPARE(error, QString());
        QCOMPARE(test.answ.num.GetValue(), number);
        QCOMPARE(test.desi.AnswCount(), number);
        QCOMPARE(test.answ.num.IsChangedByUser(), number != 3);
    }
    else
    {
        QCOMPARE(error, DLanguage::Active().GetErr(50060, {1, 10}));
        QCOMPARE(test.answ.num.GetValue(), 3);
        QCOMPARE(test.desi.AnswCount(), 3);
        QCOMPARE(test.desi.GetDesi(1, 3, 1), 2);
        QVERIFY(!test.answ.IsChangedByUser());
    }
}

void TestDAnsw::equalValueChangesNothing()
{
    DTest test;
    test.desi.SetDesi(2, 3, 4, 1);
    test.answ.num.SetFromText(QStringLiteral("3"));
    QVERIFY(!test.answ.IsChangedByUser());
    QCOMPARE(test.desi.GetDesi(2, 3, 4), 1);
}

void TestDAnsw::changeAndSave()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("answ.KalCir");
    DTest test;
    test.answ.num.SetValue(4, true);
    test.answ.subjSort.SetNameSurname();
    QVERIFY(test.answ.IsChangedByUser());
    QCOMPARE(test.desi.AnswCount(), 4);
    test.file.Write(path);
    QVERIFY(!test.answ.IsChangedByUser());

    const QByteArray bytes = TestSupport::ReadFile(path);
    const qint64 start = qFromLittleEndian<qint64>(bytes.constData() + 54);
    const qint64 next = qFromLittleEndian<qint64>(bytes.constData() + 62);
    QCOMPARE(next - start, 5);
    QCOMPARE(bytes.mid(start, 5), TestSupport::Int32(4) + QByteArray(1, '\1'));

    DTest read;
    read.file.Read(path);
    QCOMPARE(read.answ.num.GetValue(), 4);
    QVERIFY(!read.answ.subjSort.IsSurnameName());
    QCOMPARE(read.desi.AnswCount(), 4);
    QVERIFY(!read.IsChangedByUser());
}

KC_TEST_MAIN(TestDAnsw)
#include "test_DAnsw.moc"
