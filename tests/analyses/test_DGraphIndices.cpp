#include "analyses/DGraph.h"
#include "analyses/DGraphIndices.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

class TestDGraphIndices : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void smallGroup();
    void degenerateGroups();
};

void TestDGraphIndices::smallGroup()
{
    // Four subjects, 1 and 2 female, 3 and 4 male; one positive and one
    // negative question of two answers. Acceptances 1 -> 2, 3; 2 -> 1;
    // 3 -> 1; 4 -> 1. Rejections 3 -> 4, 4 -> 3, 2 -> 4.
    DTest test;
    test.ques.List().SetSize(2, false);
    test.ques.List().GetSelected(1).type.SetValue(0, false);
    test.answ.num.SetValue(2, false);
    test.subj.List().SetSize(4, false);
    for (int i = 0; i < 4; ++i)
        test.subj.List().GetSelected(i).sex.SetValue(i < 2 ? 0 : 1, false);
    DDesi& d = test.desi;
    d.SetDesi(1, 1, 1, 2);
    d.SetDesi(1, 2, 1, 3);
    d.SetDesi(1, 1, 2, 1);
    d.SetDesi(1, 1, 3, 1);
    d.SetDesi(1, 1, 4, 1);
    d.SetDesi(2, 1, 3, 4);
    d.SetDesi(2, 1, 4, 3);
    d.SetDesi(2, 1, 2, 4);

    const DGraphIndices x = DGraphIndices::Of(test.graph);
    // 5 + 3 choices over 4 x 3 = 12 ordered pairs. Pairs with an acceptance
    // {1,2} {1,3} {1,4}, of which {1,2} and {1,3} mutual: reciprocity 2/3,
    // cohesion 2 of 6 pairs. Nobody accepts 4. Same-sex arcs 1 -> 2 and
    // 2 -> 1 of 5; at random each chooser finds 1 of its 3 others alike.
    QCOMPARE(x.subjects, 4);
    QCOMPARE(x.choices, 8);
    QCOMPARE(x.acceptanceDensity, 5 / 12.0);
    QCOMPARE(x.rejectionDensity, 3 / 12.0);
    QCOMPARE(x.reciprocity, 2 / 3.0);
    QCOMPARE(x.cohesion, 2 / 6.0);
    QCOMPARE(x.isolates, 1);
    QCOMPARE(x.mutualRejections, 1);
    QCOMPARE(x.sameSex, 2 / 5.0);
    QCOMPARE(x.sameSexExpected, 1 / 3.0);

    const QStringList lines = x.CsvLines();
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines[0], QStringLiteral("Index,Value"));
    QCOMPARE(lines[3], QStringLiteral("Density of the acceptance network,0.417"));
    QCOMPARE(lines[7], QStringLiteral("Isolates,1"));
    QVERIFY(x.Text().startsWith(DLanguage::Active().GetStr(33600) + QStringLiteral("\nSubjects\t4\n")));

    // Only the questions selected for the target diagram count.
    test.ques.List().SetSelected(DQuesElem::Tar, {true, false});
    const DGraphIndices positive = DGraphIndices::Of(test.graph);
    QCOMPARE(positive.choices, 5);
    QCOMPARE(positive.mutualRejections, 0);
}

void TestDGraphIndices::degenerateGroups()
{
    // A single subject has no pairs and a new test no choices: every ratio
    // is 0, not a division by zero, and everybody is isolated.
    for (const qint32 size : {1, 10})
    {
        DTest test;
        test.subj.List().SetSize(size, false);
        const DGraphIndices x = DGraphIndices::Of(test.graph);
        QCOMPARE(x.subjects, size);
        QCOMPARE(x.choices, 0);
        QCOMPARE(x.isolates, size);
        for (const double ratio :
             {x.acceptanceDensity, x.rejectionDensity, x.reciprocity, x.cohesion, x.sameSex, x.sameSexExpected})
            QCOMPARE(ratio, 0.0);
    }
}

KC_TEST_MAIN(TestDGraphIndices)
#include "test_DGraphIndices.moc"
