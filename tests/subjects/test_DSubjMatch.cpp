#include "subjects/DSubjElem.h"
#include "subjects/DSubjMatch.h"
#include "tests/TestSupport.h"

#include <vector>

Q_DECLARE_METATYPE(DSubjMatch::Kind)

namespace
{
// Surname and name of each subject, in list order.
std::vector<DSubjElem> Subjects(const QList<QStringList>& names)
{
    std::vector<DSubjElem> subjects(std::size_t(names.size()));
    for (qsizetype i = 0; i < names.size(); ++i)
    {
        subjects[std::size_t(i)].appe.Surname().SetText(names[i].value(0));
        subjects[std::size_t(i)].appe.Name().SetText(names[i].value(1));
    }
    return subjects;
}

const QList<QStringList> kClass = {{"Rossi", "Mario"},  {"Bianchi", QString::fromUtf8("Élodie")},
                                   {"De Luca", "Anna"}, {QString::fromUtf8("D’Angelo"), "Sara"},
                                   {"Verdi", "Luca"},   {"Verdi", "Luca"},
                                   {"Neri", ""},        {"Luca", "Verdi"}};
} // namespace

class TestDSubjMatch : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void match_data();
    void match();
    void matchAll();
};

void TestDSubjMatch::match_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<bool>("numbers");
    QTest::addColumn<DSubjMatch::Kind>("kind");
    QTest::addColumn<QList<qint32>>("subjects");
    using K = DSubjMatch::Kind;
    QTest::newRow("exact") << "Rossi Mario" << false << K::Matched << QList<qint32>{0};
    QTest::newRow("name first") << "Mario Rossi" << false << K::Matched << QList<qint32>{0};
    QTest::newRow("case and blanks") << "  rOSSI \t  MARIO " << false << K::Matched << QList<qint32>{0};
    QTest::newRow("comma between") << "Rossi, Mario" << false << K::Matched << QList<qint32>{0};
    QTest::newRow("accent left out") << "elodie bianchi" << false << K::Matched << QList<qint32>{1};
    QTest::newRow("accent written, composed or not")
        << QString::fromUtf8("Bianchi E\u0301lodie") << false << K::Matched << QList<qint32>{1};
    QTest::newRow("surname of two words") << "anna de  luca" << false << K::Matched << QList<qint32>{2};
    QTest::newRow("plain apostrophe for a typographic one")
        << "Sara D'Angelo" << false << K::Matched << QList<qint32>{3};
    QTest::newRow("surname only") << "NERI" << false << K::Matched << QList<qint32>{6};
    // Two subjects of the same name, and a third whose name and surname are
    // theirs swapped: written either way, it fits all three.
    QTest::newRow("same name twice") << "Verdi Luca" << false << K::Ambiguous << QList<qint32>{4, 5, 7};
    QTest::newRow("unknown") << "Rossi Maria" << false << K::Unmatched << QList<qint32>{};
    QTest::newRow("part of a name") << "Rossi" << false << K::Unmatched << QList<qint32>{};
    QTest::newRow("empty") << "  " << false << K::Unmatched << QList<qint32>{};
    QTest::newRow("number") << " 3 " << true << K::Matched << QList<qint32>{2};
    QTest::newRow("number beyond the class") << "9" << true << K::Unmatched << QList<qint32>{};
    QTest::newRow("number zero") << "0" << true << K::Unmatched << QList<qint32>{};
    QTest::newRow("number where numbers are not names") << "3" << false << K::Unmatched << QList<qint32>{};
}

void TestDSubjMatch::match()
{
    QFETCH(QString, written);
    QFETCH(bool, numbers);
    QFETCH(DSubjMatch::Kind, kind);
    QFETCH(QList<qint32>, subjects);
    const std::vector<DSubjElem> list = Subjects(kClass);
    const DSubjMatch::Result result = DSubjMatch(list).Match(written, numbers);
    QCOMPARE(result.kind, kind);
    QCOMPARE(result.kind == DSubjMatch::Kind::Matched ? QList<qint32>{result.index} : result.candidates, subjects);
    if (kind != DSubjMatch::Kind::Matched)
        QCOMPARE(result.index, -1);
}

void TestDSubjMatch::matchAll()
{
    // Another test's class, spelt its own way, paired with ours in its order.
    const std::vector<DSubjElem> ours = Subjects(kClass);
    const std::vector<DSubjElem> theirs =
        Subjects({{"MARIO", "ROSSI"}, {"Gialli", "Paolo"}, {"Verdi", "Luca"}, {"bianchi", "elodie"}});
    const QList<DSubjMatch::Result> results = DSubjMatch(ours).MatchAll(theirs);
    QCOMPARE(results.size(), 4);
    QCOMPARE(results[0].index, 0);
    QCOMPARE(results[1].kind, DSubjMatch::Kind::Unmatched);
    QCOMPARE(results[2].kind, DSubjMatch::Kind::Ambiguous);
    QCOMPARE(results[3].index, 1);
}

KC_TEST_MAIN(TestDSubjMatch)
#include "test_DSubjMatch.moc"
