#include "answers/DDesi.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileStream.h"
#include "tests/TestSupport.h"

#include <QBuffer>

namespace
{
using TestSupport::ErrorOf;

// A stream over memory with an empty file header and section table, as the
// writer leaves it before the first section.
struct MemoryFile
{
    QBuffer buffer;
    DFileStream stream{&buffer, QStringLiteral("memory.KalCir")};
    MemoryFile()
    {
        buffer.open(QIODevice::ReadWrite);
        buffer.write(QByteArray(126, '\0'));
    }
};
} // namespace

class TestDDesi : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void newDocumentIsEmpty();
    void answersResizeKeepsCellsInPlace();
    void questionsResizeKeepsCellsInPlace();
    void fewerSubjectsClearDanglingChoices();
    void zeroCountKeepsShape();
    void setDesiOutsideMatrixFails();
    void verify_data();
    void verify();
    void sectionLayout();
    void readDropsValuesNamingNoSubject();
    void counts_data();
    void counts();
    void targetFrequency();
};

void TestDDesi::newDocumentIsEmpty()
{
    DTest test;
    QCOMPARE(test.desi.QuesCount(), 5);
    QCOMPARE(test.desi.AnswCount(), 3);
    for (qint32 s = 1; s <= test.desi.SubjCount(); ++s)
        QCOMPARE(test.desi.GetSubjSummary(s), QStringLiteral("0 of 15"));
    QVERIFY(!test.desi.IsChangedByUser());

    test.desi.SetDesi(1, 1, 1, 2);
    test.desi.SetDesi(5, 3, 1, 7);
    test.desi.SetDesi(2, 2, 1, 0);
    QVERIFY(test.desi.IsChangedByUser());
    QCOMPARE(test.desi.GetSubjSummary(1), QStringLiteral("2 of 15"));
    QCOMPARE(test.desi.GetSubjSummary(2), QStringLiteral("0 of 15"));
}

void TestDDesi::answersResizeKeepsCellsInPlace()
{
    DTest test;
    // Every cell holds a value that encodes its own position.
    auto code = [](qint32 q, qint32 r, qint32 s) { return q * 100 + r * 10 + s; };
    for (qint32 q = 1; q <= 5; ++q)
        for (qint32 r = 1; r <= 3; ++r)
            for (qint32 s = 1; s <= 10; ++s)
                test.desi.SetDesi(q, r, s, code(q, r, s));

    test.answ.num.SetValue(5, true);
    QCOMPARE(test.desi.AnswCount(), 5);
    for (qint32 q = 1; q <= 5; ++q)
        for (qint32 s = 1; s <= 10; ++s)
        {
            for (qint32 r = 1; r <= 3; ++r)
                QCOMPARE(test.desi.GetDesi(q, r, s), code(q, r, s));
            QCOMPARE(test.desi.GetDesi(q, 4, s), 0);
            QCOMPARE(test.desi.GetDesi(q, 5, s), 0);
        }

    test.answ.num.SetValue(2, true);
    test.answ.num.SetValue(3, true);
    for (qint32 q = 1; q <= 5; ++q)
        for (qint32 s = 1; s <= 10; ++s)
        {
            QCOMPARE(test.desi.GetDesi(q, 1, s), code(q, 1, s));
            QCOMPARE(test.desi.GetDesi(q, 2, s), code(q, 2, s));
            QCOMPARE(test.desi.GetDesi(q, 3, s), 0); // dropped for good
        }
}

void TestDDesi::questionsResizeKeepsCellsInPlace()
{
    DTest test;
    test.desi.SetDesi(2, 3, 4, 9);
    test.desi.SetDesi(5, 1, 1, 3);
    QVERIFY(test.desi.IsChangedByUser());
    test.ques.List().SetSize(3, true);
    QCOMPARE(test.desi.GetDesi(2, 3, 4), 9);
    test.ques.List().SetSize(5, true);
    QCOMPARE(test.desi.GetDesi(2, 3, 4), 9);
    QCOMPARE(test.desi.GetDesi(5, 1, 1), 0);
    // The surviving cell kept its change state through both reshapes.
    test.desi.SetDesi(2, 3, 4, 9);
    QVERIFY(test.desi.IsChangedByUser());
}

void TestDDesi::fewerSubjectsClearDanglingChoices()
{
    DTest test;
    QCOMPARE(test.desi.SubjCount(), 10);
    test.desi.SetDesi(1, 1, 1, 9);  // names a subject about to go
    test.desi.SetDesi(1, 2, 1, 8);  // names the last subject kept
    test.desi.SetDesi(3, 3, 2, 10); // names a subject about to go
    test.desi.SetDesi(2, 1, 9, 1);  // belongs to a subject about to go
    test.desi.SetDesi(4, 1, 3, 0);
    test.desi.SetDesi(4, 2, 3, 250); // no choice at all: left as entered

    test.desi.SetSubj(8);
    QCOMPARE(test.desi.SubjCount(), 8);
    QCOMPARE(test.desi.GetDesi(1, 1, 1), 0);
    QCOMPARE(test.desi.GetDesi(1, 2, 1), 8);
    QCOMPARE(test.desi.GetDesi(3, 3, 2), 0);
    QCOMPARE(test.desi.GetDesi(4, 2, 3), 250);
    QCOMPARE(test.desi.GetSubjSummary(1), QStringLiteral("1 of 15"));

    // Subjects 9 and 10 come back with empty cells.
    test.desi.SetSubj(10);
    QCOMPARE(test.desi.GetDesi(2, 1, 9), 0);
}

void TestDDesi::zeroCountKeepsShape()
{
    DTest test;
    test.desi.SetDesi(5, 3, 10, 4);
    test.desi.SetQues(0);
    QCOMPARE(test.desi.GetDesi(5, 3, 10), 4);
    test.desi.SetQues(5);
    QCOMPARE(test.desi.GetDesi(5, 3, 10), 4);
}

void TestDDesi::setDesiOutsideMatrixFails()
{
    DTest test;
    QCOMPARE(ErrorOf([&] { test.desi.SetDesi(6, 1, 1, 2); }), DLanguage::Active().GetErr(50020, {"DDesi::SetDesi()"}));
    QCOMPARE(ErrorOf([&] { test.desi.GetDesi(1, 4, 1); }), DLanguage::Active().GetErr(50020, {"DDesi::GetDesi()"}));
    QCOMPARE(ErrorOf([&] { test.desi.SetSubj(-1); }), DLanguage::Active().GetErr(50020, {"DDesi::SetSubj()"}));
    QVERIFY(!test.desi.IsChangedByUser());
}

void TestDDesi::verify_data()
{
    // Cells as (question, rank, subject, value); 0 expected means no error.
    QTest::addColumn<QList<QList<int>>>("cells");
    QTest::addColumn<int>("selfChooser");

    QTest::newRow("empty") << QList<QList<int>>{} << 0;
    QTest::newRow("question order first") << QList<QList<int>>{{3, 1, 2, 2}, {2, 3, 4, 4}} << 4;
    QTest::newRow("rank before subject") << QList<QList<int>>{{1, 2, 1, 1}, {1, 1, 5, 5}} << 5;
    QTest::newRow("subject order within a rank") << QList<QList<int>>{{1, 1, 7, 7}, {1, 1, 6, 6}} << 6;
    QTest::newRow("twice the same, empty ranks, missing subject")
        << QList<QList<int>>{{1, 1, 3, 5}, {1, 2, 3, 5}, {2, 1, 1, 99}} << 0;
}

void TestDDesi::verify()
{
    QFETCH(QList<QList<int>>, cells);
    QFETCH(int, selfChooser);
    DDesi desi;
    desi.SetQues(5);
    desi.SetAnsw(3);
    desi.SetSubj(100);
    for (const QList<int>& cell : cells)
        desi.SetDesi(cell[0], cell[1], cell[2], cell[3]);
    const QString expected = selfChooser ? DLanguage::Active().GetErr(50090, {selfChooser}) : QString();
    QCOMPARE(ErrorOf([&] { desi.Verify(); }), expected);
}

void TestDDesi::sectionLayout()
{
    DDesi desi;
    desi.SetQues(2);
    desi.SetAnsw(3);
    desi.SetSubj(4);
    desi.SetDesi(2, 1, 3, 4);
    desi.SetDesi(1, 1, 1, 2);
    desi.SetDesi(2, 3, 4, 1);

    MemoryFile file;
    desi.ToFile(file.stream);
    QVERIFY(!desi.IsChangedByUser());
    const QByteArray bytes = file.buffer.data();
    QCOMPARE(bytes.mid(70, 8), TestSupport::Int64(126));
    const QByteArray section = bytes.mid(126);
    QCOMPARE(section.size(), 96);
    QCOMPARE(section.mid(56, 4), TestSupport::Int32(4));
    QCOMPARE(section.mid(0, 4), TestSupport::Int32(2));
    QCOMPARE(section.mid(92, 4), TestSupport::Int32(1));
    QCOMPARE(section.count(char(0)), 96 - 3);

    DDesi read;
    read.SetQues(2);
    read.SetAnsw(3);
    read.SetSubj(4);
    file.stream.Seek(0);
    read.FromFile(file.stream);
    QCOMPARE(read.GetDesi(2, 1, 3), 4);
    QCOMPARE(read.GetDesi(1, 1, 1), 2);
    QCOMPARE(read.GetDesi(2, 3, 4), 1);
    QVERIFY(!read.IsChangedByUser());
}

void TestDDesi::readDropsValuesNamingNoSubject()
{
    MemoryFile file;
    file.buffer.seek(70);
    file.buffer.write(TestSupport::Int64(126));
    file.buffer.seek(126);
    for (qint32 value : {3, 4, 5, 101, -2, 0})
        file.buffer.write(TestSupport::Int32(value));

    DDesi desi;
    desi.SetQues(1);
    desi.SetAnsw(1);
    desi.SetSubj(6);
    desi.SetDesi(1, 1, 6, 2); // overwritten by the file
    desi.SetSubj(4);
    desi.SetSubj(6);
    file.stream.Seek(0);
    desi.FromFile(file.stream);
    const QList<qint32> expected{3, 4, 5, 0, 0, 0};
    for (qint32 s = 1; s <= 6; ++s)
        QCOMPARE(desi.GetDesi(1, 1, s), expected[s - 1]);

    desi.SetSubj(4);
    file.stream.Seek(0);
    desi.FromFile(file.stream);
    QCOMPARE(desi.GetDesi(1, 1, 3), 0); // subject 5 does not exist in a test of 4
    QCOMPARE(desi.GetDesi(1, 1, 2), 4);
}

// The fixture of the counts: 4 questions, 3 answers, 5 subjects.
//   q1 (+, all analyses): s1 names 2, 2, 4; s3 names 2
//   q2 (+, all analyses): s1 names 2, 4; s2 names 3
//   q3 (-, all analyses): s2 names 1; s4 names 1, 1
//   q4 (+, bar graph only): s5 names 2, 3
namespace
{
void FillCountsFixture(DTest& test)
{
    test.ques.List().SetSize(4, true);
    test.desi.SetSubj(5);
    test.ques.List().GetSelected(2).type.Invert();
    DQuesElem& q4 = test.ques.List().GetSelected(3);
    q4.graphTar.ToGraph(false);
    q4.graphSoc.ToGraph(false);
    q4.graphMet.ToGraph(false);
    const QList<QList<int>> cells{{1, 1, 1, 2}, {1, 2, 1, 2}, {1, 3, 1, 4}, {1, 1, 3, 2}, {2, 1, 1, 2}, {2, 2, 1, 4},
                                  {2, 1, 2, 3}, {3, 1, 2, 1}, {3, 1, 4, 1}, {3, 2, 4, 1}, {4, 1, 5, 2}, {4, 2, 5, 3}};
    for (const QList<int>& cell : cells)
        test.desi.SetDesi(cell[0], cell[1], cell[2], cell[3]);
}
} // namespace

void TestDDesi::counts_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("subject");
    QTest::addColumn<QString>("flags"); // b bar, t target, s sociogram, m metric table
    QTest::addColumn<int>("expected");

    QTest::newRow("acc tot: ranks and questions add up") << "AccTot" << 2 << "b" << 5;
    QTest::newRow("acc tot: target leaves q4 out") << "AccTot" << 2 << "t" << 4;
    QTest::newRow("acc tot: several analyses") << "AccTot" << 2 << "ts" << 4;
    QTest::newRow("acc tot: no analysis") << "AccTot" << 2 << "" << 0;
    QTest::newRow("acc tot: negative never accepts") << "AccTot" << 1 << "bts" << 0;
    QTest::newRow("acc tot: no subject") << "AccTot" << 0 << "b" << 0;
    QTest::newRow("rej tot") << "RejTot" << 1 << "b" << 3;
    QTest::newRow("rej tot: positive never rejects") << "RejTot" << 2 << "bts" << 0;
    QTest::newRow("acc sbj: distinct choosers") << "AccSbj" << 2 << "b" << 3;
    QTest::newRow("acc sbj: metric leaves q4 out") << "AccSbj" << 2 << "m" << 2;
    QTest::newRow("acc sbj: no analysis") << "AccSbj" << 2 << "" << 0;
    QTest::newRow("rej sbj") << "RejSbj" << 1 << "m" << 2;
    QTest::newRow("out acc: distinct across questions") << "OutAcc" << 1 << "m" << 2;
    QTest::newRow("out acc: bar graph only question") << "OutAcc" << 5 << "b" << 2;
    QTest::newRow("out acc: filtered out") << "OutAcc" << 5 << "m" << 0;
    QTest::newRow("out rej: same subject twice") << "OutRej" << 4 << "m" << 1;
    QTest::newRow("out rej: acceptances ignored") << "OutRej" << 1 << "bstm" << 0;
}

void TestDDesi::counts()
{
    QFETCH(QString, count);
    QFETCH(int, subject);
    QFETCH(QString, flags);
    QFETCH(int, expected);
    DTest test;
    FillCountsFixture(test);
    const bool b = flags.contains('b'), t = flags.contains('t'), s = flags.contains('s'), m = flags.contains('m');
    qint32 result = -1;
    if (count == "AccTot")
        result = test.desi.GetSubjAccTot(subject, b, t, s);
    else if (count == "RejTot")
        result = test.desi.GetSubjRejTot(subject, b, t, s);
    else if (count == "AccSbj")
        result = test.desi.GetSubjAccSbj(subject, b, t, s, m);
    else if (count == "RejSbj")
        result = test.desi.GetSubjRejSbj(subject, b, t, s, m);
    else if (count == "OutAcc")
        result = test.desi.GetOutAccSbj(subject, b, t, s, m);
    else if (count == "OutRej")
        result = test.desi.GetOutRejSbj(subject, b, t, s, m);
    QCOMPARE(result, expected);
}

void TestDDesi::targetFrequency()
{
    DTest test;
    FillCountsFixture(test); // q1, q2 positive and selected; q3 negative; q4 not selected
    QCOMPARE(test.desi.GetTargetFrequency(), 6);
    test.answ.num.SetValue(4, true);
    QCOMPARE(test.desi.GetTargetFrequency(), 8);
    for (qint32 q = 0; q < 4; ++q)
        test.ques.List().GetSelected(q).graphTar.ToGraph(false);
    QCOMPARE(test.desi.GetTargetFrequency(), 0);
    QCOMPARE(test.desi.GetSubjAccTot(2, false, true, false), 0);

    // Without the question list the counts cannot tell the polarity.
    DDesi unbound;
    unbound.SetQues(1);
    unbound.SetAnsw(1);
    unbound.SetSubj(2);
    QCOMPARE(ErrorOf([&] { unbound.GetTargetFrequency(); }),
             DLanguage::Active().GetErr(50020, {"DDesi::GetTargetFrequency()"}));
}

KC_TEST_MAIN(TestDDesi)
#include "test_DDesi.moc"
