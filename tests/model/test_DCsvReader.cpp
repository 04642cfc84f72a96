#include "model/DCsv.h"
#include "model/DCsvReader.h"
#include "tests/TestSupport.h"

#include <QTemporaryDir>

using Rows = QList<QStringList>;
Q_DECLARE_METATYPE(Rows)

namespace
{
Rows CellsOf(const QList<DCsvReader::Record>& records)
{
    Rows rows;
    for (const DCsvReader::Record& record : records)
        rows << record.cells;
    return rows;
}
} // namespace

class TestDCsvReader : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void records_data();
    void records();
    void refusals_data();
    void refusals();
    void readsWhatTheWriterWrites();
    void fileErrorsNameTheFile();
};

void TestDCsvReader::records_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<QList<qint32>>("lines");
    const QStringList ab{"a", "b"};
    QTest::newRow("comma, CR LF") << QByteArray("a,b\r\nc,d\r\n") << Rows{ab, {"c", "d"}} << QList<qint32>{1, 2};
    QTest::newRow("LF, no final line end") << QByteArray("a,b\nc,d") << Rows{ab, {"c", "d"}} << QList<qint32>{1, 2};
    QTest::newRow("semicolon") << QByteArray("a;b\n\"1,5\";2\n") << Rows{ab, {"1,5", "2"}} << QList<qint32>{1, 2};
    QTest::newRow("tab") << QByteArray("a\tb\nRossi, Mario\t2\n") << Rows{ab, {"Rossi, Mario", "2"}}
                         << QList<qint32>{1, 2};
    // More commas than semicolons in the first record: the comma separates.
    QTest::newRow("most frequent wins") << QByteArray("a;x,b,c\n") << Rows{{"a;x", "b", "c"}} << QList<qint32>{1};
    QTest::newRow("one column") << QByteArray("Rossi\nBianchi\n") << Rows{{"Rossi"}, {"Bianchi"}}
                                << QList<qint32>{1, 2};
    QTest::newRow("byte-order mark") << QByteArray("\xEF\xBB\xBF\"a\",b\n") << Rows{ab} << QList<qint32>{1};
    QTest::newRow("quotes doubled, separator and line breaks inside")
        << QByteArray("\"say \"\"hi\"\"\",\"x,y\"\n\"two\r\nlines\",\"and\nmore\"\nlast,1\n")
        << Rows{{"say \"hi\"", "x,y"}, {"two\r\nlines", "and\nmore"}, {"last", "1"}} << QList<qint32>{1, 2, 5};
    // Separators of the first record only count outside quotes.
    QTest::newRow("quoted separators do not choose")
        << QByteArray("\"a;b;c\",d\n") << Rows{{"a;b;c", "d"}} << QList<qint32>{1};
    QTest::newRow("blank lines skipped, empty cells kept")
        << QByteArray("a,b\n\n\r\n,\n\"\",x\n") << Rows{ab, {"", ""}, {"", "x"}} << QList<qint32>{1, 4, 5};
    QTest::newRow("accents") << QByteArray("Nicol\xC3\xB2,\xC3\x89lodie\n")
                             << Rows{{QString::fromUtf8("Nicolò"), QString::fromUtf8("Élodie")}} << QList<qint32>{1};
    // A quote inside an unquoted cell is text, as spreadsheets read it.
    QTest::newRow("quote inside a cell") << QByteArray("O\"Neil,2\n") << Rows{{"O\"Neil", "2"}} << QList<qint32>{1};
    QTest::newRow("empty file") << QByteArray() << Rows{} << QList<qint32>{};
}

void TestDCsvReader::records()
{
    QFETCH(QByteArray, bytes);
    QFETCH(Rows, rows);
    QFETCH(QList<qint32>, lines);
    const QList<DCsvReader::Record> records = DCsvReader::Parse(bytes, QStringLiteral("form.csv"));
    QCOMPARE(CellsOf(records), rows);
    QList<qint32> got;
    for (const DCsvReader::Record& record : records)
        got << record.line;
    QCOMPARE(got, lines);
}

void TestDCsvReader::refusals_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::newRow("quote never closed") << QByteArray("a,b\nc,\"open\nstill open\n")
                                        << QStringLiteral(
                                               "\"form.csv\", line 2, column 2: the quoted cell is never closed.");
    QTest::newRow("text after the closing quote")
        << QByteArray("a,b\n\"Rossi\" Mario,2\n")
        << QStringLiteral("\"form.csv\", line 2, column 1: after the closing quote comes \" Mario\" instead of a "
                          "separator or the end of the line.");
    QTest::newRow("not UTF-8") << QByteArray("a,b\nc,d\nRossi,Nicol\xF2\n")
                               << QStringLiteral("The file \"form.csv\" is not UTF-8 text: line 3 holds bytes that "
                                                 "are not (save it as UTF-8 and import it again).");
}

void TestDCsvReader::refusals()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QCOMPARE(TestSupport::ErrorOf([&] { DCsvReader::Parse(bytes, QStringLiteral("form.csv")); }), message);
}

void TestDCsvReader::readsWhatTheWriterWrites()
{
    // What our own writer quotes comes back cell for cell.
    const QStringList cells{"plain", "a,b", "say \"hi\"", "two\r\nlines", "", QString::fromUtf8("Niccolò")};
    const QByteArray bytes = DCsv::Bytes({DCsv::Line({"x", "y", "z", "u", "v", "w"}), DCsv::Line(cells)});
    QCOMPARE(DCsvReader::Parse(bytes, QStringLiteral("x")).at(1).cells, cells);
}

void TestDCsvReader::fileErrorsNameTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("form.csv"));
    QVERIFY(TestSupport::ErrorOf([&] { DCsvReader::ReadFile(path); }).contains(path));
    TestSupport::WriteFile(path, "Name,Q1\r\nRossi,2\r\n");
    QCOMPARE(DCsvReader::ReadFile(path).size(), 2);
}

KC_TEST_MAIN(TestDCsvReader)
#include "test_DCsvReader.moc"
