#include "analyses/DGroupProblem.h"
#include "analyses/DGroupSettings.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

using TestSupport::ErrorOf;

class TestDGroupProblem : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void groupCount_data();
    void groupCount();
    void fromTest();
};

void TestDGroupProblem::groupCount_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("subjects");
    QTest::addColumn<int>("groups");
    QTest::addColumn<QString>("error");
    const int size = int(DGroupSettings::Mode::Size);
    const int count = int(DGroupSettings::Mode::Count);
    const DLanguage& lang = DLanguage::Active();

    QTest::newRow("24 in fours") << size << 4 << 24 << 6 << QString();
    QTest::newRow("25 in fours: one of five") << size << 4 << 25 << 6 << QString();
    QTest::newRow("26 in fours: two of three") << size << 4 << 26 << 7 << QString();
    QTest::newRow("fewer than a group") << size << 10 << 3 << 1 << QString();
    // An odd class in pairs: one group of three, never a subject alone.
    QTest::newRow("25 in pairs: one of three") << size << 2 << 25 << 12 << QString();
    QTest::newRow("3 in pairs: one of three") << size << 2 << 3 << 1 << QString();
    QTest::newRow("24 in pairs") << size << 2 << 24 << 12 << QString();
    QTest::newRow("size too small") << size << 1 << 24 << 0 << lang.GetErr(34570, {2, 10});
    QTest::newRow("three groups") << count << 3 << 24 << 3 << QString();
    QTest::newRow("eleven groups") << count << 11 << 24 << 0 << lang.GetErr(34560, {2, 10});
    QTest::newRow("more groups than subjects") << count << 5 << 4 << 0 << lang.GetErr(34560, {2, 4});
}

void TestDGroupProblem::groupCount()
{
    QFETCH(int, mode);
    QFETCH(int, value);
    QFETCH(int, subjects);
    QFETCH(int, groups);
    QFETCH(QString, error);
    DGroupSettings settings;
    settings.mode = DGroupSettings::Mode(mode);
    settings.value = value;
    qint32 result = 0;
    QCOMPARE(ErrorOf([&] { result = settings.GroupCount(subjects); }), error);
    QCOMPARE(result, groups);
}

void TestDGroupProblem::fromTest()
{
    // Questions positive, negative, positive; the third does not count.
    DTest test;
    TestSupport::MakeMixedQuestions(test.ques.List());
    test.subj.List().SetSize(6, false);
    test.subj.List().GetSelected(1).sex.SetValue(1, false);
    test.subj.List().GetSelected(2).appe.Surname().SetText(QStringLiteral("Verdi"));
    test.desi.SetDesi(1, 1, 1, 2);
    test.desi.SetDesi(2, 1, 1, 3);
    test.desi.SetDesi(3, 1, 4, 5);
    DGroupSettings settings;
    settings.mode = DGroupSettings::Mode::Count;
    settings.value = 2;
    settings.SetQuestion(2, false);
    settings.together = {{2, 1}, {6, 7}};
    settings.apart = {{3, 4}};

    const DGroupProblem p = DGroupProblem::FromTest(test.desi, test.subj.List(), settings);
    QCOMPARE(p.subjects, 6);
    QCOMPARE(p.groups, 2);
    QVERIFY(p.Accepts(0, 1));
    QVERIFY(p.Rejects(0, 2));
    QVERIFY(!p.Accepts(3, 4));
    QCOMPARE(std::count(p.accepts.begin(), p.accepts.end(), 1) + std::count(p.rejects.begin(), p.rejects.end(), 1), 2);
    QCOMPARE(p.female, (std::vector<quint8>{1, 0, 1, 1, 1, 1}));
    QCOMPARE(p.together, (std::vector<DGroupProblem::Pair>{{0, 1}}));
    QCOMPARE(p.apart, (std::vector<DGroupProblem::Pair>{{2, 3}}));
    QCOMPARE(p.Name(2), QStringLiteral("Verdi"));
    QCOMPARE(p.Name(3), QStringLiteral("no. 4"));

    // A subject who chose himself stops the grouping as it stops the analyses.
    test.desi.SetDesi(1, 2, 5, 5);
    QCOMPARE(ErrorOf([&] { DGroupProblem::FromTest(test.desi, test.subj.List(), settings); }),
             DLanguage::Active().GetErr(50090, {5}));
}

KC_TEST_MAIN(TestDGroupProblem)
#include "test_DGroupProblem.moc"
