#include "analyses/DComparison.h"
#include "analyses/DComparisonPicture.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphTarTable.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <algorithm>
#include <tuple>

namespace
{
using Tie = DComparison::Tie;
using Ties = std::vector<Tie>;
// Question (1 positive, 2 negative), chooser, chosen; at most two choices
// per question and chooser.
using Choice = std::tuple<qint32, qint32, qint32>;
// The current and the other test's subject index of each row.
using Pairs = QList<QPair<qint32, qint32>>;

void Build(DTest& test, const QList<QStringList>& names, const QList<Choice>& choices)
{
    test.ques.List().SetSize(2, false);
    test.ques.List().GetSelected(1).type.SetValue(0, false);
    test.answ.num.SetValue(2, false);
    test.subj.List().SetSize(qint32(names.size()), false);
    for (qsizetype i = 0; i < names.size(); ++i)
    {
        test.subj.List().GetSelected(qint32(i)).appe.Surname().SetText(names[i].value(0));
        test.subj.List().GetSelected(qint32(i)).appe.Name().SetText(names[i].value(1));
    }
    QHash<QPair<qint32, qint32>, qint32> ranks;
    for (const auto& [q, chooser, chosen] : choices)
        test.desi.SetDesi(q, ++ranks[{q, chooser}], chooser, chosen);
}

// This test and an earlier one of the same class: Verdi left, Gialli came,
// the others are spelt another way (no accent, name first).
//   this:  1 Rossi Mario, 2 Bianchi Élodie, 3 Verdi Luca, 4 Neri Anna
//   other: 1 Anna Neri,  2 Rossi Mario,    3 Bianchi Elodie, 4 Gialli Paolo
// Received here (acc/rej): Rossi 3/0, Bianchi 1/0, Neri 0/1; there Rossi
// 2/1, Bianchi 2/0, Neri 0/1. Changes: Rossi 1 + 1, Bianchi 1, Neri 0.
struct TwoTests
{
    DTest current;
    DTest other;
    TwoTests()
    {
        Build(current,
              {{"Rossi", "Mario"}, {"Bianchi", QString::fromUtf8("Élodie")}, {"Verdi", "Luca"}, {"Neri", "Anna"}},
              {{1, 1, 2}, {1, 1, 3}, {1, 2, 1}, {1, 3, 1}, {1, 4, 1}, {2, 4, 3}, {2, 1, 4}});
        Build(other, {{"Anna", "Neri"}, {"Rossi", "Mario"}, {"bianchi", "elodie"}, {"Gialli", "Paolo"}},
              {{1, 2, 3}, {1, 3, 2}, {1, 1, 3}, {1, 4, 2}, {2, 2, 1}, {2, 1, 2}});
    }
};
} // namespace

class TestDComparison : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void matching_data();
    void matching();
    void rowsLargestChangeFirst();
    void ties();
    void selectionDiffers_data();
    void selectionDiffers();
    void tableTexts();
    void picture();
};

void TestDComparison::matching_data()
{
    QTest::addColumn<QList<QStringList>>("here");
    QTest::addColumn<QList<QStringList>>("there");
    QTest::addColumn<Pairs>("pairs");
    QTest::addColumn<QStringList>("onlyHere");
    QTest::addColumn<QStringList>("onlyThere");
    QTest::newRow("accents and capitals")
        << QList<QStringList>{{QString::fromUtf8("Nicolò"), "Bàrbara"}, {"Rossi", "Mario"}}
        << QList<QStringList>{{"ROSSI", "mario"}, {"Nicolo", "Barbara"}} << Pairs{{0, 1}, {1, 0}} << QStringList{}
        << QStringList{};
    QTest::newRow("surname and name swapped")
        << QList<QStringList>{{"De Luca", "Anna"}} << QList<QStringList>{{"Anna", "De Luca"}} << Pairs{{0, 0}}
        << QStringList{} << QStringList{};
    QTest::newRow("one subject in each test only")
        << QList<QStringList>{{"Rossi", "Mario"}, {"Verdi", "Luca"}}
        << QList<QStringList>{{"Gialli", "Paolo"}, {"Rossi", "Mario"}} << Pairs{{0, 1}} << QStringList{"Verdi Luca"}
        << QStringList{"Gialli Paolo"};
    // A name twice in the other test pairs once; twice here, it fits two
    // subjects and pairs with none.
    QTest::newRow("the same name twice") << QList<QStringList>{{"Rossi", "Mario"}, {"Verdi", "Luca"}, {"Verdi", "Luca"}}
                                         << QList<QStringList>{{"Rossi", "Mario"},
                                                               {"Rossi", "Mario"},
                                                               {"Verdi", "Luca"}}
                                         << Pairs{{0, 0}} << QStringList{"Verdi Luca", "Verdi Luca"}
                                         << QStringList{"Rossi Mario", "Verdi Luca"};
}

void TestDComparison::matching()
{
    QFETCH(QList<QStringList>, here);
    QFETCH(QList<QStringList>, there);
    QFETCH(Pairs, pairs);
    QFETCH(QStringList, onlyHere);
    QFETCH(QStringList, onlyThere);
    DTest current;
    DTest other;
    Build(current, here, {});
    Build(other, there, {});
    const DComparison comparison = DComparison::Of(current.graph, other.graph);
    Pairs found;
    for (const DComparison::Row& row : comparison.rows)
        found << qMakePair(row.current, row.other);
    QCOMPARE(found, pairs);
    QCOMPARE(comparison.onlyCurrent, onlyHere);
    QCOMPARE(comparison.onlyOther, onlyThere);
}

void TestDComparison::rowsLargestChangeFirst()
{
    TwoTests f;
    const QByteArray bytes = f.current.file.ToBytes();
    const DComparison comparison = DComparison::Of(f.current.graph, f.other.graph);
    QCOMPARE(f.current.file.ToBytes(), bytes);
    QVERIFY(!comparison.differs);

    QCOMPARE(comparison.rows.size(), std::size_t(3));
    using Received = std::tuple<qint32, quint32, quint32, quint32, quint32>;
    QList<Received> received;
    for (const DComparison::Row& row : comparison.rows)
        received << Received{row.id, row.before.acceptances, row.now.acceptances, row.before.rejections,
                             row.now.rejections};
    QCOMPARE(received, (QList<Received>{{1, 2, 3, 1, 0}, {2, 2, 1, 0, 0}, {4, 0, 0, 1, 1}}));

    // Each side's category is the one its own categories table gives.
    const int scheme = comparison.scheme;
    const auto here = DGraphTarTable::Rows(f.current.graph);
    const auto there = DGraphTarTable::Rows(f.other.graph);
    for (const DComparison::Row& row : comparison.rows)
    {
        QCOMPARE(row.now.slot, here[std::size_t(row.current)].slots[std::size_t(scheme)]);
        QCOMPARE(row.before.slot, there[std::size_t(row.other)].slots[std::size_t(scheme)]);
    }
}

void TestDComparison::ties()
{
    // Between the subjects found in both (Rossi 1, Bianchi 2, Neri 4): Verdi's
    // and Gialli's ties are left out.
    TwoTests f;
    const DComparison comparison = DComparison::Of(f.current.graph, f.other.graph);
    const DComparison::Ties& accepted = comparison.ties[DComparison::Acceptance];
    QCOMPARE(accepted.appeared, (Ties{{4, 1}}));
    QCOMPARE(accepted.disappeared, (Ties{{4, 2}}));
    QCOMPARE(accepted.stayed, (Ties{{1, 2}, {2, 1}}));
    const DComparison::Ties& rejected = comparison.ties[DComparison::Rejection];
    QCOMPARE(rejected.appeared, Ties{});
    QCOMPARE(rejected.disappeared, (Ties{{4, 1}}));
    QCOMPARE(rejected.stayed, (Ties{{1, 4}}));
}

void TestDComparison::selectionDiffers_data()
{
    // What the other test stores differently; the current test's selection
    // counts for both all the same.
    QTest::addColumn<int>("change");
    QTest::addColumn<bool>("differs");
    QTest::newRow("nothing") << 0 << false;
    QTest::newRow("categorisation") << 1 << true;
    QTest::newRow("questions of the target diagram") << 2 << true;
    QTest::newRow("questions of the sociogram") << 3 << true;
    QTest::newRow("polarity of a selected question") << 4 << true;
}

void TestDComparison::selectionDiffers()
{
    QFETCH(int, change);
    QFETCH(bool, differs);
    TwoTests f;
    DQuesElem& negative = f.other.ques.List().GetSelected(1);
    switch (change)
    {
    case 1:
        f.other.graph.tar.stat.SetValue(DGraphTarStat::Preference, false);
        break;
    case 2:
        negative.graphTar.ToGraph(false);
        break;
    case 3:
        negative.graphSoc.ToGraph(false);
        break;
    case 4:
        negative.type.SetValue(1, false);
        break;
    }
    const DComparison comparison = DComparison::Of(f.current.graph, f.other.graph);
    QCOMPARE(comparison.differs, differs);
    QCOMPARE(comparison.scheme, int(DGraphTarStat::Frequency));
    QCOMPARE(comparison.SchemeText().contains(DLanguage::Active().GetStr(34800)), differs);
    // Rossi's rejection in the other test still counts through the current
    // test's selection, unless the question no longer rejects.
    const auto rossi = std::find_if(comparison.rows.begin(), comparison.rows.end(),
                                    [](const DComparison::Row& row) { return row.id == 1; });
    QCOMPARE(rossi->before.rejections, change == 4 ? 0u : 1u);
    QCOMPARE(comparison.ties[DComparison::Rejection].stayed, change == 4 ? Ties{} : (Ties{{1, 4}}));
}

void TestDComparison::tableTexts()
{
    TwoTests f;
    f.current.subj.List().GetSelected(0).appe.Surname().SetText(QStringLiteral("=Rossi"));
    f.other.subj.List().GetSelected(1).appe.Surname().SetText(QStringLiteral("=Rossi"));
    const DComparison comparison = DComparison::Of(f.current.graph, f.other.graph);
    const QStringList cells = comparison.Cells(comparison.rows[0]);
    QCOMPARE(cells.mid(0, 9), (QStringList{"1", "=Rossi", "Mario", "2", "3", "1", "1", "0", "-1"}));
    QCOMPARE(cells.size(), DComparison::Header().size());

    const QStringList lines = comparison.CsvLines();
    QCOMPARE(lines.size(), 4);
    QVERIFY(lines[1].startsWith(QStringLiteral("1,\"'=Rossi\",Mario,2,3,1,1,0,-1,")));
    DCsv::Options semicolon;
    semicolon.separator = DCsv::Options::Separator::Semicolon;
    QVERIFY(comparison.CsvLines(semicolon)[3].startsWith(QStringLiteral("4;Neri;Anna;0;0;0;1;1;0;")));

    // The clipboard: the sentence, the table by tabs, who is in one test
    // only; a name that would run as a formula is written as in the file.
    const QStringList text = comparison.Text().split(QLatin1Char('\n'));
    QCOMPARE(text[0], comparison.SchemeText());
    QCOMPARE(text[2], DComparison::Header().join(QLatin1Char('\t')));
    QVERIFY2(text[3].startsWith(QStringLiteral("1\t\"'=Rossi\"\tMario\t2\t3\t1\t1\t0\t-1\t")), qPrintable(text[3]));
    QCOMPARE(text[4], comparison.Cells(comparison.rows[1]).join(QLatin1Char('\t')));
    QVERIFY(comparison.Text().contains(QStringLiteral("Verdi Luca")));
    QVERIFY(comparison.Text().contains(QStringLiteral("Gialli Paolo")));
}

void TestDComparison::picture()
{
    // Rossi and Bianchi where the acceptance sociogram placed them, the
    // others (never placed) in the grid cells of their identifiers.
    TwoTests f;
    f.current.subj.List().GetSelected(0).soci.acceptance.Set(false, 100, 300);
    f.current.subj.List().GetSelected(1).soci.acceptance.Set(false, 400, 300);
    const DComparison comparison = DComparison::Of(f.current.graph, f.other.graph);
    using Picture = DComparisonPicture;
    const Picture::Layout layout = Picture::Compute(f.current.subj.List(), comparison, DComparison::Acceptance);
    QCOMPARE(layout.boxes.size(), std::size_t(4));
    const auto centre = [&](std::size_t i)
    { return layout.boxes[i].rect.topLeft() + QPoint(Picture::kBox / 2, Picture::kBox / 2); };
    QCOMPARE(centre(0), QPoint(100, 300));
    QCOMPARE(centre(1), QPoint(400, 300));
    QCOMPARE(centre(3), QPoint(7 * Picture::kBox, Picture::kBox));
    QCOMPARE(layout.boxes[2].unmatched, true);
    QCOMPARE(layout.boxes[0].unmatched, false);

    // One line per tie, each in its state; Rossi -> Bianchi runs right from
    // Rossi's box edge to Bianchi's, the tie back on its other side.
    QMap<Picture::State, int> states;
    for (const Picture::Line& line : layout.lines)
        ++states[line.state];
    QCOMPARE(states.value(Picture::State::Stayed), 2);
    QCOMPARE(states.value(Picture::State::Appeared), 1);
    QCOMPARE(states.value(Picture::State::Disappeared), 1);
    const Picture::Line& there = layout.lines[0];
    QVERIFY(there.line.x1() > 100 + Picture::kBox / 2 && there.line.x2() < 400 - Picture::kBox / 2);
    QVERIFY(there.line.y1() != layout.lines[1].line.y1());
    QVERIFY(layout.legend.y() > 300 + Picture::kBox / 2);

    const QImage image = Picture::Draw(f.current.subj.List(), comparison, DComparison::Acceptance);
    QCOMPARE(image.size(), layout.size);
    // The dashed red of the tie that disappeared is somewhere on it.
    bool red = false;
    for (int y = 0; y < image.height() && !red; ++y)
        for (int x = 0; x < image.width() && !red; ++x)
            red = image.pixelColor(x, y) == QColor(200, 0, 0);
    QVERIFY(red);
}

KC_TEST_MAIN(TestDComparison)
#include "test_DComparison.moc"
