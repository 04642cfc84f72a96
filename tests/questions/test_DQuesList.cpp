#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QTemporaryDir>

namespace
{
using TestSupport::ErrorOf;

// Every stored field of every question, for whole-list comparisons.
QStringList Fields(const DQuesList& list)
{
    QStringList fields{QString::number(list.GetSize())};
    for (qint32 k = 0; k < list.GetSize(); ++k)
    {
        const DQuesElem& e = list.GetSelected(k);
        fields << QStringLiteral("%1|%2|%3%4%5%6")
                      .arg(e.type.GetValue())
                      .arg(e.text.ToString())
                      .arg(e.graphBar.GetValue())
                      .arg(e.graphTar.GetValue())
                      .arg(e.graphSoc.GetValue())
                      .arg(e.graphMet.GetValue());
    }
    return fields;
}
} // namespace

class TestDQuesList : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void defaults();
    void setSizeFromText_data();
    void setSizeFromText();
    void growAndShrinkKeepQuestions();
    void sizeChangeStates();
    void invertTwice();
    void gridAndSummary();
    void sociogramList();
    void versionOneRecords();
    void roundTripTenQuestions();
};

void TestDQuesList::defaults()
{
    DTest test;
    const DQuesList& list = test.ques.List();
    QCOMPARE(list.GetSize(), 5);
    for (qint32 k = 0; k < 5; ++k)
        QCOMPARE(Fields(list)[k + 1], QStringLiteral("1||1111"));
    QCOMPARE(list.SummaryText(), QStringLiteral("5 questions: 5 positive, 0 negative"));
    QVERIFY(!test.ques.IsChangedByUser());
    QCOMPARE(ErrorOf([&] { list.GetSelected(5); }), DLanguage::Active().GetErr(50020, {"DQuesList::GetSelected()"}));
    QCOMPARE(ErrorOf([&] { list.GetSelected(-1); }), DLanguage::Active().GetErr(50020, {"DQuesList::GetSelected()"}));
}

void TestDQuesList::setSizeFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("size"); // 0: refused
    QTest::newRow("lowest") << "1" << 1;
    QTest::newRow("highest") << "10" << 10;
    QTest::newRow("blanks around") << " 7 " << 7;
    QTest::newRow("below") << "0" << 0;
    QTest::newRow("above") << "11" << 0;
    QTest::newRow("negative") << "-3" << 0;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("fraction") << "2.5" << 0;
    QTest::newRow("number and letters") << "4x" << 0;
}

void TestDQuesList::setSizeFromText()
{
    QFETCH(QString, text);
    QFETCH(int, size);
    DTest test;
    DQuesList& list = test.ques.List();
    const QString error = ErrorOf([&] { list.SetSize(text); });
    if (size)
    {
        QCOMPARE(error, QString());
        QCOMPARE(list.GetSize(), size);
        QCOMPARE(test.desi.QuesCount(), size);
        QVERIFY(test.ques.IsChangedByUser());
    }
    else
    {
        QCOMPARE(error, DLanguage::Active().GetErr(50050, {1, 10}));
        QCOMPARE(list.GetSize(), 5);
        QCOMPARE(test.desi.QuesCount(), 5);
        QVERIFY(!test.ques.IsChangedByUser());
    }
}

void TestDQuesList::growAndShrinkKeepQuestions()
{
    DTest test;
    DQuesList& list = test.ques.List();
    for (qint32 k = 0; k < 5; ++k)
        list.GetSelected(k).text.UserUpdate(QStringLiteral("Q%1").arg(k + 1));
    list.GetSelected(3).type.Invert();
    list.GetSelected(4).graphTar.ToGraph(false);
    const QStringList before = Fields(list);

    list.SetSize(QStringLiteral("10"));
    QCOMPARE(Fields(list).mid(1, 5), before.mid(1));
    for (qint32 k = 5; k < 10; ++k)
        QCOMPARE(Fields(list)[k + 1], QStringLiteral("1||1111"));

    list.SetSize(QStringLiteral("3"));
    QCOMPARE(Fields(list).mid(1), before.mid(1, 3));
    QCOMPARE(test.desi.QuesCount(), 3);

    // A program change rebuilds the list from defaults.
    list.SetSize(3, false);
    QCOMPARE(Fields(list)[1], QStringLiteral("1||1111"));
}

void TestDQuesList::sizeChangeStates()
{
    DTest test;
    DQuesList& list = test.ques.List();
    list.SetSize(5, true);
    QVERIFY(!test.ques.IsChangedByUser());
    list.SetSize(6, false);
    QVERIFY(!test.ques.IsChangedByUser());
    list.SetSize(4, true);
    QVERIFY(test.ques.IsChangedByUser());
}

void TestDQuesList::invertTwice()
{
    DTest test;
    DQuesElem& elem = test.ques.List().GetSelected(2);
    QCOMPARE(elem.type.Invert(), QStringLiteral("Negative"));
    QVERIFY(elem.type.IsNegative());
    QCOMPARE(elem.type.Invert(), QStringLiteral("Positive"));
    QVERIFY(elem.type.IsPositive());
    QVERIFY(test.ques.IsChangedByUser());
}

void TestDQuesList::gridAndSummary()
{
    DTest test;
    DQuesList& list = test.ques.List();
    TestSupport::MakeMixedQuestions(list);
    QCOMPARE(list.GridRow(1), (QStringList{"2", "Negative", "Question 2"}));
    QCOMPARE(list.SummaryText(), QStringLiteral("3 questions: 2 positive, 1 negative"));

    DLanguage italian(DLanguage::Italian);
    QCOMPARE(list.GridRow(0)[1], QStringLiteral("Positiva"));
}

void TestDQuesList::sociogramList()
{
    DTest test;
    DQuesList& list = test.ques.List();
    TestSupport::MakeMixedQuestions(list);
    using Items = QList<DQuesList::CheckItem>;
    QCOMPARE(list.ListItemsSoc(true), (Items{{"Question n.1", true}, {"Question n.3", true}}));
    QCOMPARE(list.ListItemsSoc(false), (Items{{"Question n.2", true}}));

    list.SetSocSelected(true, {true, false});
    QVERIFY(list.GetSelected(0).graphSoc.IsRequested());
    QVERIFY(list.GetSelected(1).graphSoc.IsRequested());
    QVERIFY(!list.GetSelected(2).graphSoc.IsRequested());

    list.SetSocSelected(false, {false});
    QVERIFY(!list.GetSelected(1).graphSoc.IsRequested());
    QVERIFY(list.GetSelected(0).graphSoc.IsRequested());
    QCOMPARE(list.ListItemsSoc(true), (Items{{"Question n.1", true}, {"Question n.3", false}}));
}

void TestDQuesList::versionOneRecords()
{
    using namespace TestSupport;
    QTemporaryDir dir;
    const QString path = dir.filePath("old.KalCir");
    QByteArray file = Utf16("Zelvor71Kaleidocircle") + Int32(1) + Int64(126) + QByteArray(72, '\0');
    // Two version-1 records: type, text, three flags.
    file += Int32(2);
    file += QByteArray(1, '\0') + Int32(2) + Utf16("Ab") + QByteArray("\x01\x00\x01", 3);
    file += QByteArray(1, '\1') + Int32(0) + QByteArray("\x00\x01\x00", 3);
    WriteFile(path, file);

    DTest test;
    test.file.ReadOnlyQuestions(path);
    QCOMPARE(Fields(test.ques.List()), (QStringList{"2", "0|Ab|1011", "1||0101"}));
    QCOMPARE(test.desi.QuesCount(), 2);
    QVERIFY(test.ques.IsChangedByUser()); // an import is the user's change

    // Written back, every record carries the metric table flag.
    const QString again = dir.filePath("new.KalCir");
    test.file.Write(again);
    const QByteArray written = ReadFile(again);
    QCOMPARE(written.mid(126, 4), Int32(2));
    QCOMPARE(written.mid(130, 13), QByteArray(1, '\0') + Int32(2) + Utf16("Ab") + QByteArray("\x01\x00\x01\x01", 4));
    QCOMPARE(written.mid(143, 9), QByteArray(1, '\1') + Int32(0) + QByteArray("\x00\x01\x00\x01", 4));
    QCOMPARE(written.mid(54, 8), Int64(152));
}

void TestDQuesList::roundTripTenQuestions()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("ten.KalCir");
    DTest test;
    DQuesList& list = test.ques.List();
    list.SetSize(10, true);
    for (qint32 k = 0; k < 10; ++k)
    {
        DQuesElem& e = list.GetSelected(k);
        if (k % 3 == 0)
            e.type.Invert();
        e.text.UserUpdate(k % 4 ? QStringLiteral("Chi è %1? ✓").arg(k) : QString());
        e.GraphFlag(DQuesElem::Graph(k % 4)).ToGraph(false);
        if (k == 7)
            e.graphMet.ToGraph(false);
    }
    test.file.Write(path);
    QVERIFY(!test.ques.IsChangedByUser());

    DTest read;
    read.file.Read(path);
    QCOMPARE(Fields(read.ques.List()), Fields(list));
    QVERIFY(!read.ques.IsChangedByUser());
}

KC_TEST_MAIN(TestDQuesList)
#include "test_DQuesList.moc"
