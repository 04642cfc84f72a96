#include "model/DElemInt.h"
#include "model/DElemString.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
// Bytes an element writes, and the element read back from them.
template <class Elem> QByteArray Written(Elem& elem)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer);
    elem.ToFile(stream);
    return buffer.data();
}

template <class Elem> void ReadInto(Elem& elem, QByteArray bytes)
{
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    DFileStream stream(&buffer);
    elem.FromFile(stream);
}

QString ReadError(DElemString& elem, const QByteArray& bytes)
{
    try
    {
        ReadInto(elem, bytes);
    }
    catch (const EError& e)
    {
        return e.Message();
    }
    return {};
}
} // namespace

class TestDElem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void changeStateFollowsUserChangesOnly()
    {
        DElemInt32 elem;
        elem.SetValue(5, false);
        elem.SetValue(5, true); // equal value: no change whatever the flag says
        QVERIFY(!elem.IsChangedByUser());
        elem.SetValue(6, true);
        QVERIFY(elem.IsChangedByUser());
        elem.SetValue(7, false); // a program change never clears it
        QCOMPARE(elem.GetValue(), 7);
        QVERIFY(elem.IsChangedByUser());
        ReadInto(elem, TestSupport::Int32(9)); // nor does reading
        QCOMPARE(elem.GetValue(), 9);
        QVERIFY(elem.IsChangedByUser());
        Written(elem); // only writing does
        QVERIFY(!elem.IsChangedByUser());

        DElemString text;
        text.UserUpdate(QStringLiteral("Rossi"));
        Written(text);
        text.UserUpdate(QStringLiteral("Rossi"));
        QVERIFY(!text.IsChangedByUser());
        text.UserUpdate(QStringLiteral("rossi"));
        QVERIFY(text.IsChangedByUser());
    }

    void intLayouts_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("value");
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("readBack");
        QTest::newRow("int32 -2") << 4 << -2 << QByteArray::fromHex("feffffff") << -2;
        QTest::newRow("int32 258") << 4 << 258 << QByteArray::fromHex("02010000") << 258;
        QTest::newRow("int8 200") << 1 << 200 << QByteArray::fromHex("c8") << -56;
        QTest::newRow("int8 -1") << 1 << -1 << QByteArray::fromHex("ff") << -1;
        QTest::newRow("int8 127") << 1 << 127 << QByteArray::fromHex("7f") << 127;
    }
    void intLayouts()
    {
        QFETCH(int, width);
        QFETCH(int, value);
        QFETCH(QByteArray, bytes);
        QFETCH(int, readBack);
        if (width == 4)
        {
            DElemInt32 out, in;
            out.SetValue(value, true);
            QCOMPARE(Written(out), bytes);
            ReadInto(in, bytes);
            QCOMPARE(in.GetValue(), readBack);
        }
        else
        {
            DElemInt8 out, in;
            out.SetValue(value, true);
            QCOMPARE(Written(out), bytes);
            ReadInto(in, bytes);
            QCOMPARE(in.GetValue(), readBack);
        }
    }

    void stringLayouts()
    {
        DElemString text;
        text.UserUpdate(QStringLiteral("abc"));
        QCOMPARE(Written(text), QByteArray::fromHex("03000000610062006300"));
        DElemString empty;
        QCOMPARE(Written(empty), QByteArray::fromHex("00000000"));

        // Texts up to the limit come back whole, accents included.
        const QString longest = QString(DElemString::kMaxLength - 3, QChar(0x00E8)) + QStringLiteral("end");
        DElemString big, back;
        big.UserUpdate(longest);
        const QByteArray bytes = Written(big);
        QCOMPARE(bytes.size(), DElemString::kMaxFileBytes);
        ReadInto(back, bytes);
        QCOMPARE(back.ToString(), longest);
        QVERIFY(!back.IsChangedByUser());
    }

    // Typed or set texts longer than the reader accepts are cut, never
    // through a surrogate pair, so every text written reads back.
    void longTextsAreCut_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("kept");
        const QString limit(DElemString::kMaxLength, u'a');
        QTest::newRow("one over") << limit + u'b' << limit;
        QTest::newRow("far over") << limit + QString(100000, u'b') << limit;
        const QString pair = QString::fromUtf16(u"\U0001F600");
        QTest::newRow("pair across the limit")
            << limit.left(DElemString::kMaxLength - 1) + pair << limit.left(DElemString::kMaxLength - 1);
        QTest::newRow("pair just inside")
            << limit.left(DElemString::kMaxLength - 2) + pair + u'c' << limit.left(DElemString::kMaxLength - 2) + pair;
    }
    void longTextsAreCut()
    {
        QFETCH(QString, text);
        QFETCH(QString, kept);
        DElemString typed, set, back;
        typed.UserUpdate(text);
        set.SetText(text);
        QCOMPARE(typed.ToString(), kept);
        QCOMPARE(set.ToString(), kept);
        QVERIFY(typed.IsChangedByUser());
        ReadInto(back, Written(typed));
        QCOMPARE(back.ToString(), kept);
    }

    // Typed, set and read texts lose what would hide or disguise them, and
    // what XML forbids; line breaks stay only in texts set or read.
    void textsAreCleaned_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("tabbed");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("read");
        const auto same = [](const char* name, const QString& text, bool tabbed, const QString& clean)
        { QTest::newRow(name) << text << tabbed << clean << clean; };
        same("valid stays", QString::fromUtf16(u"Ros si \u00E8\U0001F600\u05D0"), false,
             QString::fromUtf16(u"Ros si \u00E8\U0001F600\u05D0"));
        same("NUL", QString::fromUtf16(u"Ro\0ssi", 7), false, "Rossi");
        same("right-to-left override", QString::fromUtf16(u"\u202Eevil"), false, "evil");
        same("embeddings and isolates", QString::fromUtf16(u"\u202Aa\u202Bb\u202Cc\u202Dd\u2066e\u2067f\u2068g\u2069"),
             false, "abcdefg");
        QTest::newRow("line breaks, escape, delete") << "a\r\nb\x1b[0m\x7f\x1f" << true << "ab[0m"
                                                     << "a\r\nb[0m";
        QTest::newRow("lone line breaks in a name") << "\nRo\rssi\n"
                                                    << false << "Rossi"
                                                    << "\nRo\rssi\n";
        same("tab in a name", "Oak\tPine", false, "OakPine");
        same("tab in a note", "Oak\tPine", true, "Oak\tPine");
        same("lone high surrogate", QString(QChar(0xD83D)) + "x", false, QString::fromUtf16(u"\uFFFDx"));
        same("lone low surrogate at the end", "x" + QString(QChar(0xDE00)), false, QString::fromUtf16(u"x\uFFFD"));
        same("pair in reverse", QString(QChar(0xDE00)) + QChar(0xD83D), false, QString::fromUtf16(u"\uFFFD\uFFFD"));
        same("only controls", "\x01\x02", false, "");
        same("noncharacters", QString::fromUtf16(u"a\uFFFEb\uFFFFc\uFDD0d\uFDEFe\U0001FFFEf\U0010FFFFg\U0002FFFE"),
             true, "abcdefg");
        same("beside the noncharacters", QString::fromUtf16(u"\uFDCF\uFDF0\uFFFD\U0001FFFD\U00020000"), false,
             QString::fromUtf16(u"\uFDCF\uFDF0\uFFFD\U0001FFFD\U00020000"));
    }
    void textsAreCleaned()
    {
        QFETCH(QString, text);
        QFETCH(bool, tabbed);
        QFETCH(QString, typed);
        QFETCH(QString, read);
        const DText::Kind kind = tabbed ? DText::Kind::Tabbed : DText::Kind::Plain;
        DElemString byUser(kind), set(kind), fromFile(kind);
        byUser.UserUpdate(text);
        set.SetText(text);
        ReadInto(fromFile, TestSupport::Int32(qint32(text.size())) + TestSupport::Utf16(text));
        QCOMPARE(byUser.ToString(), typed);
        QCOMPARE(set.ToString(), read);
        QCOMPARE(fromFile.ToString(), read);
        QCOMPARE(byUser.IsChangedByUser(), !typed.isEmpty());
        QVERIFY(!fromFile.IsChangedByUser());
        QCOMPARE(Written(fromFile), TestSupport::Int32(qint32(read.size())) + TestSupport::Utf16(read));
    }

    // A one-line editor shows a stored line break as a blank and hands it
    // back with every key: typing keeps the breaks the text holds and drops
    // only those it brings (a pasted text's); undo and redo put back the
    // text as it was.
    void typingKeepsTheLineBreaksItFinds()
    {
        const QString stored = QStringLiteral("Line one\r\nLine two");
        DElemString text;
        ReadInto(text, TestSupport::Int32(qint32(stored.size())) + TestSupport::Utf16(stored));
        text.UserUpdate(stored); // the editor filled with the stored text
        QCOMPARE(text.ToString(), stored);
        QVERIFY(!text.IsChangedByUser());
        text.UserUpdate(stored + QStringLiteral("!"));
        QCOMPARE(text.ToString(), stored + QStringLiteral("!"));
        QVERIFY(text.IsChangedByUser());
        text.UserUpdate(QStringLiteral("Line one\r\nLine\n\r two!\n"));
        QCOMPARE(text.ToString(), stored + QStringLiteral("!"));
        text.UserUpdate(QStringLiteral("\nNew\r\ntext"));
        QCOMPARE(text.ToString(), QStringLiteral("Newtext"));
        text.UserRestore(stored);
        QCOMPARE(text.ToString(), stored);

        DElemString restored;
        restored.UserRestore(stored);
        QCOMPARE(restored.ToString(), stored);
        QVERIFY(restored.IsChangedByUser());
        DElemString same;
        same.UserRestore(QString());
        QVERIFY(!same.IsChangedByUser());
    }

    void toStringShortens()
    {
        DElemString text;
        QCOMPARE(text.ToString(3), QString());
        text.UserUpdate(QStringLiteral("Rossi"));
        QCOMPARE(text.ToString(3), QStringLiteral("Ros"));
        QCOMPARE(text.ToString(10), QStringLiteral("Rossi"));
        QVERIFY(text.HasText());
    }

    void damagedReadsFailAndKeepTheValue_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("no count") << QByteArray::fromHex("0300");
        QTest::newRow("short text") << QByteArray::fromHex("030000006100");
        QTest::newRow("negative count") << QByteArray::fromHex("ffffffff");
        QTest::newRow("count far past the end") << QByteArray::fromHex("ffffff7f6100");
        // Refused even where the file holds that many code units.
        QTest::newRow("count above the limit")
            << TestSupport::Int32(DElemString::kMaxLength + 1) + QByteArray(2 * (DElemString::kMaxLength + 1), 'a');
    }
    void damagedReadsFailAndKeepTheValue()
    {
        QFETCH(QByteArray, bytes);
        DElemString text;
        text.UserUpdate(QStringLiteral("kept"));
        QCOMPARE(ReadError(text, bytes), QStringLiteral("Read failure from file, module \"DElemString::FromFile()\"!"));
        QCOMPARE(text.ToString(), QStringLiteral("kept"));

        DElemInt32 number;
        number.SetValue(4, false);
        try
        {
            ReadInto(number, QByteArray::fromHex("0102"));
            QFAIL("a short int32 must not read");
        }
        catch (const EError& e)
        {
            QCOMPARE(e.Message(), QStringLiteral("Read failure from file, module \"DElemInt32::FromFile()\"!"));
        }
        QCOMPARE(number.GetValue(), 4);
    }

    void failedWriteKeepsTheChangeState()
    {
        QBuffer readOnly;
        readOnly.open(QIODevice::ReadOnly);
        DFileStream stream(&readOnly);
        DElemInt8 small;
        small.SetValue(3, true);
        try
        {
            small.ToFile(stream);
            QFAIL("writing to a read-only device must fail");
        }
        catch (const EError& e)
        {
            QCOMPARE(e.Message(), QStringLiteral("Write failure to file, module \"DElemInt8::ToFile()\"!"));
        }
        QVERIFY(small.IsChangedByUser());
    }
};

KC_TEST_MAIN(TestDElem)
#include "test_DElem.moc"
