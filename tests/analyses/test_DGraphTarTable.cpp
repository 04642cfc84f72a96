#include "analyses/DGraph.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarTable.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <algorithm>

namespace
{
using TestSupport::ErrorOf;

// Three subjects, one positive and one negative question, one answer each
// (F = 1, p = 1 / 2). Acceptances received 2 1 0 (1 <- 2, 3; 2 <- 1),
// rejections 0 1 2 (3 <- 1, 2; 2 <- 3): both means 1, both sample
// deviations sqrt((1 + 0 + 1) / 2) = 1, so zA = 1 0 -1, zR = -1 0 1,
// SP = 2 0 -2, SI = 0 0 0.
// Frequency: 1 a > F, r <= 1: A; 2 a = r: D; 3 r > a: C.
// Preference: 1 A, 2 E, 3 B. Probability: a ~ Bin(2, 1/2) is never high
// (P(X >= 2) = 1/4), a + r ~ Bin(4, 1/2) not low (P(X <= 2) = 11/16): E.
struct ThreeSubjects
{
    DTest test;
    ThreeSubjects()
    {
        test.ques.List().SetSize(2, false);
        test.ques.List().GetSelected(1).type.SetValue(0, false);
        test.answ.num.SetValue(1, false);
        test.subj.List().SetSize(3, false);
        const char* surnames[] = {"Rossi", "Bianchi", "=Verdi"};
        for (int i = 0; i < 3; ++i)
            test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf8(surnames[i]));
        DDesi& d = test.desi;
        d.SetDesi(1, 1, 2, 1);
        d.SetDesi(1, 1, 3, 1);
        d.SetDesi(1, 1, 1, 2);
        d.SetDesi(2, 1, 1, 3);
        d.SetDesi(2, 1, 2, 3);
        d.SetDesi(2, 1, 3, 2);
    }
};
} // namespace

class TestDGraphTarTable : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rowsAndCsv();
    void withoutSpread();
    void clipboardText();
    void criteriaFollowTheRules();
};

void TestDGraphTarTable::rowsAndCsv()
{
    ThreeSubjects f;
    std::optional<QString> noSpread = QStringLiteral("stale");
    const std::vector<DGraphTarTable::Row> rows = DGraphTarTable::Rows(f.test.graph, &noSpread);
    QVERIFY(!noSpread);
    QCOMPARE(rows.size(), std::size_t(3));
    QCOMPARE(rows[0].slots, (std::array<int, 3>{0, 0, 6}));
    QVERIFY(rows[0].differs);

    const QStringList lines = DGraphTarTable::CsvLines(rows);
    const QStringList expected{
        "N.,Surname,Name,Acceptances received,Rejections received,zA,zR,SP,SI,Frequency,Preference and impact,"
        "Probability",
        "1,Rossi,,2,0,1.00,-1.00,2.00,0.00,A,A,E",
        "2,Bianchi,,1,1,0.00,0.00,0.00,0.00,D,E,E",
        // A name that would run as a formula is protected as in every table.
        "3,\"'=Verdi\",,0,2,-1.00,1.00,-2.00,0.00,C,B,E",
    };
    QCOMPARE(lines, expected);

    // The table follows the diagram's question selection.
    f.test.ques.List().SetSelected(DQuesElem::Tar, {true, false});
    const std::vector<DGraphTarTable::Row> positive = DGraphTarTable::Rows(f.test.graph, &noSpread);
    QCOMPARE(positive[2].rejections, 0u);
}

void TestDGraphTarTable::withoutSpread()
{
    // Without the negative question nobody received a rejection: no scores
    // and no preference-and-impact letter, the rest as before. Frequency:
    // 1 a = 2 > F: A; 2 a > r: B; 3 nothing: F. Probability: a + r ~ Bin(2,
    // 1/2), P(X <= 0) = 1/4: nobody low, all E.
    ThreeSubjects f;
    f.test.ques.List().SetSelected(DQuesElem::Tar, {true, false});
    std::optional<QString> noSpread;
    const std::vector<DGraphTarTable::Row> rows = DGraphTarTable::Rows(f.test.graph, &noSpread);
    QCOMPARE(noSpread, std::optional<QString>(DLanguage::Active().GetErr(33010)));
    QCOMPARE(DGraphTarTable::CsvLines(rows).mid(1),
             (QStringList{"1,Rossi,,2,0,,,,,A,,E", "2,Bianchi,,1,0,,,,,B,,E", "3,\"'=Verdi\",,0,0,,,,,F,,E"}));

    // A self-choice stops the table as it stops the diagram.
    f.test.desi.SetDesi(1, 1, 3, 3);
    QCOMPARE(ErrorOf([&] { DGraphTarTable::Rows(f.test.graph); }), EError(50090, {3}).Message());
}

void TestDGraphTarTable::clipboardText()
{
    ThreeSubjects f;
    const QString text = DGraphTarTable::Text(DGraphTarTable::Rows(f.test.graph));
    const QStringList lines = text.split(QLatin1Char('\n'));
    // The criteria of the three schemes come first, each under its name.
    QCOMPARE(lines.front(), DLanguage::Active().GetStr(33470));
    QVERIFY(lines.contains(DGraphTarCriteria::Lines(DGraphTarStat::Probability).back()));
    QVERIFY(lines.contains("1\tRossi\t\t2\t0\t1.00\t-1.00\t2.00\t0.00\tA\tA\tE\t*"));
    // Subject 3, named "=Verdi", is copied as the file writes it: the
    // spreadsheet that takes the paste shows the name, never runs it.
    QVERIFY2(std::any_of(lines.begin(), lines.end(),
                         [](const QString& line) { return line.startsWith(QStringLiteral("3\t\"'=Verdi\"\t\t")); }),
             qPrintable(text));
    QVERIFY(text.endsWith(QLatin1Char('\n')));
}

void TestDGraphTarTable::criteriaFollowTheRules()
{
    // One line of symbols, then one line per rule in the order tried, each
    // named by the category it gives.
    const QStringList frequency = DGraphTarCriteria::Lines(DGraphTarStat::Frequency);
    QCOMPARE(frequency.size(), 1 + 7);
    QCOMPARE(frequency[1], QStringLiteral("A) Popular: a > F and r \u2264 1"));
    QCOMPARE(frequency[7], DLanguage::Active().GetStr(21130) + QStringLiteral(": otherwise (a = r)"));
    const QStringList preference = DGraphTarCriteria::Lines(DGraphTarStat::Preference);
    QCOMPARE(preference.size(), 1 + 5);
    QCOMPARE(preference[2], DLanguage::Active().GetStr(21210) + QStringLiteral(": SP < \u22121, zA < 0 and zR > 0"));
    QCOMPARE(DGraphTarCriteria::Lines(DGraphTarStat::Probability)[5],
             DLanguage::Active().GetStr(21240) + QStringLiteral(": otherwise"));
}

KC_TEST_MAIN(TestDGraphTarTable)
#include "test_DGraphTarTable.moc"
