#include "document/DDataLoss.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QTemporaryDir>

namespace
{
using Items = QList<DDataLoss::Item>;

// Four questions (the third without a text), three answers, six subjects:
// 1, 2 and 5 named, 6 with a note only, 3 and 4 empty; six answers, one at
// every question and one at the third rank.
void MakeClass(DTest& test)
{
    DQuesList& ques = test.ques.List();
    ques.SetSize(4, true);
    ques.GetSelected(0).text.UserUpdate(QStringLiteral("Q1"));
    ques.GetSelected(1).text.UserUpdate(QStringLiteral("Q2"));
    ques.GetSelected(3).text.UserUpdate(QStringLiteral("Q4"));
    test.answ.num.SetValue(3, true);
    DSubjList& subj = test.subj.List();
    subj.SetSize(6, true);
    const auto name = [&](int k, const char* surname, const char* given)
    {
        subj.GetSelected(k).appe.Surname().UserUpdate(QString::fromUtf8(surname));
        subj.GetSelected(k).appe.Name().UserUpdate(QString::fromUtf8(given));
    };
    name(0, "Rossi", "Anna");
    name(1, "Verdi", "Ugo");
    name(4, "Bianchi", "Luca");
    subj.GetSelected(5).note.UserUpdate(QStringLiteral("new"));
    test.subj.Description().UserUpdate(QStringLiteral("Class 3B"));
    // question, rank, chooser, chosen
    const int choices[][4] = {{1, 1, 1, 2}, {1, 2, 1, 5}, {2, 1, 2, 1}, {3, 3, 3, 6}, {4, 1, 5, 1}, {4, 2, 6, 2}};
    for (const auto& c : choices)
        test.desi.SetDesi(c[0], c[1], c[2], c[3]);
}

// Two questions (the first as in the class) and three named subjects.
QString WriteOther(const QString& folder)
{
    DTest other;
    DQuesList& ques = other.ques.List();
    ques.SetSize(2, true);
    ques.GetSelected(0).text.UserUpdate(QStringLiteral("Q1"));
    ques.GetSelected(1).text.UserUpdate(QStringLiteral("Other"));
    other.subj.List().SetSize(3, true);
    for (int k = 0; k < 3; ++k)
        other.subj.List().GetSelected(k).appe.Surname().UserUpdate(QStringLiteral("New%1").arg(k + 1));
    const QString path = folder + QStringLiteral("/other.KalCir");
    other.file.Write(path);
    return path;
}
} // namespace

class TestDDataLoss : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void lowerCounts_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Items>("dropped");
        QTest::addColumn<int>("answers");
        using K = DDataLoss::Kind;
        QTest::newRow("questions 4 to 2: the one without a text goes for its answer")
            << int(K::QuestionCount) << "2" << Items{{3, "", 1}, {4, "Q4", 2}} << 3;
        QTest::newRow("questions 4 to 3") << int(K::QuestionCount) << " 3 " << Items{{4, "Q4", 2}} << 2;
        QTest::newRow("questions, same") << int(K::QuestionCount) << "4" << Items{} << 0;
        QTest::newRow("questions, more") << int(K::QuestionCount) << "9" << Items{} << 0;
        QTest::newRow("questions, refused number") << int(K::QuestionCount) << "0" << Items{} << 0;
        QTest::newRow("questions, no number") << int(K::QuestionCount) << "x" << Items{} << 0;
        QTest::newRow("answers 3 to 2") << int(K::AnswerCount) << "2" << Items{} << 1;
        QTest::newRow("answers 3 to 1") << int(K::AnswerCount) << "1" << Items{} << 3;
        QTest::newRow("answers, more") << int(K::AnswerCount) << "10" << Items{} << 0;
        // An answer goes with the removed subject that gave it, else with the
        // removed subject it names; subject 4 has nothing and is not listed.
        QTest::newRow("subjects 6 to 2") << int(K::SubjectCount) << "2"
                                         << Items{{3, "", 1}, {5, "Bianchi Luca", 2}, {6, "", 1}} << 4;
        QTest::newRow("subjects 6 to 5: only named by others") << int(K::SubjectCount) << "5" << Items{{6, "", 2}} << 2;
        QTest::newRow("subjects, refused number") << int(K::SubjectCount) << "101" << Items{} << 0;
    }
    void lowerCounts()
    {
        QFETCH(int, kind);
        QFETCH(QString, typed);
        QFETCH(Items, dropped);
        QFETCH(int, answers);
        DTest test;
        MakeClass(test);
        const QByteArray before = test.file.ToBytes();
        DDataLoss loss;
        switch (DDataLoss::Kind(kind))
        {
        case DDataLoss::Kind::QuestionCount:
            loss = DDataLoss::QuestionCount(test, typed);
            break;
        case DDataLoss::Kind::AnswerCount:
            loss = DDataLoss::AnswerCount(test, typed);
            break;
        default:
            loss = DDataLoss::SubjectCount(test, typed);
            break;
        }
        QCOMPARE(loss.dropped, dropped);
        QCOMPARE(loss.answers, answers);
        QCOMPARE(loss.IsEmpty(), dropped.isEmpty() && answers == 0);
        QCOMPARE(loss.Question().isEmpty(), loss.IsEmpty());
        QCOMPARE(test.file.ToBytes(), before);
    }

    void emptyDefaultsAskNothing()
    {
        DTest test;
        QVERIFY(DDataLoss::QuestionCount(test, "1").IsEmpty());
        QVERIFY(DDataLoss::SubjectCount(test, "1").IsEmpty());
        QVERIFY(DDataLoss::AnswerCount(test, "1").IsEmpty());
        QTemporaryDir dir;
        const QString other = WriteOther(dir.path());
        DTest scratch; // what the import would take over
        QVERIFY(DDataLoss::SubjectImport(test, other, scratch).IsEmpty());
        QVERIFY(DDataLoss::QuestionImport(test, other, scratch).IsEmpty());
    }

    void imports()
    {
        QTemporaryDir dir;
        const QString other = WriteOther(dir.path());
        DTest test;
        MakeClass(test);
        const QByteArray before = test.file.ToBytes();
        DTest scratch; // what the import would take over

        // Question 1 has the same text: only question 2 is overwritten.
        const DDataLoss questions = DDataLoss::QuestionImport(test, other, scratch);
        QCOMPARE(questions.replaced, 1);
        QCOMPARE(questions.dropped, (Items{{3, "", 1}, {4, "Q4", 2}}));
        QCOMPARE(questions.answers, 3);
        QCOMPARE(questions.keptAnswers, 3);

        const DDataLoss subjects = DDataLoss::SubjectImport(test, other, scratch);
        QCOMPARE(subjects.replaced, 2);
        QVERIFY(subjects.descriptionReplaced);
        QCOMPARE(subjects.dropped, (Items{{5, "Bianchi Luca", 2}, {6, "", 2}}));
        QCOMPARE(subjects.answers, 4);
        QCOMPARE(subjects.keptAnswers, 2);
        QCOMPARE(subjects.Question(),
                 QStringLiteral("Importing the subjects of \"%1\" (3 subjects):\n"
                                "- the surname, name, sex, note and sociogram places of 2 subjects already entered "
                                "are replaced\n"
                                "- the description of the group is replaced\n"
                                "- subjects 4 to 6 are removed with their data and 4 answers (given by them or naming "
                                "them)\n"
                                "- the 2 answers already given by subjects 1 to 3 stay with those subject numbers\n\n"
                                "Do you want to go on?")
                     .arg(other));
        QCOMPARE(test.file.ToBytes(), before);

        // A file the import refuses is refused here with the import's own words.
        const QString junk = dir.filePath(QStringLiteral("junk.KalCir"));
        TestSupport::WriteFile(junk, QByteArray(200, 'x'));
        const QString refused = TestSupport::ErrorOf([&] { test.file.ReadOnlySubjects(junk); });
        QVERIFY(!refused.isEmpty());
        QCOMPARE(TestSupport::ErrorOf([&] { DDataLoss::SubjectImport(test, junk, scratch); }), refused);
    }

    void longListsAreCut()
    {
        DTest test;
        test.subj.List().SetSize(100, true);
        for (int k = 0; k < 100; ++k)
            test.subj.List().GetSelected(k).note.UserUpdate(QStringLiteral("n"));
        DLanguage italian(DLanguage::Italian);
        const QStringList lines = DDataLoss::SubjectCount(test, "1").Question().split(u'\n');
        QCOMPARE(lines.size(), 1 + 10 + 1 + 2);
        QCOMPARE(lines[1], QStringLiteral("Soggetto 2 (senza nome), risposte: 0"));
        QCOMPARE(lines[11], QStringLiteral("... e altri 89"));
        QCOMPARE(lines.last(), QStringLiteral("Continuare?"));
    }
};

KC_TEST_MAIN(TestDDataLoss)
#include "test_DDataLoss.moc"
