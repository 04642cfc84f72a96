#include "answers/DAnswPick.h"
#include "document/DTest.h"
#include "tests/TestSupport.h"

namespace
{
using Kind = DAnswPick::Refusal::Kind;
using Offers = QList<DAnswPick::Offer>;

// Subjects 1 Rossi Anna, 2 Bianchi Luca, 3 Rossi Anna again, 4 Verdi Carlo,
// 5 without a name, 6 Ferrà Élodie, 7 Neri Zoe, 8 Alba Nadia, then 9 to
// count "S9 N9"...
struct Fixture
{
    DTest test;
    explicit Fixture(qint32 count = 12)
    {
        test.subj.List().SetSize(count, false);
        const QList<QStringList> names = {{"Rossi", "Anna"}, {"Bianchi", "Luca"}, {"Rossi", "Anna"}, {"Verdi", "Carlo"},
                                          {"", ""},          {"Ferrà", "Élodie"}, {"Neri", "Zoe"},   {"Alba", "Nadia"}};
        for (int k = 0; k < count; ++k)
        {
            DSubjElemAppe& appe = test.subj.List().GetSelected(k).appe;
            appe.Surname().SetText(k < names.size() ? names[k][0] : QStringLiteral("S%1").arg(k + 1));
            appe.Name().SetText(k < names.size() ? names[k][1] : QStringLiteral("N%1").arg(k + 1));
        }
    }
};

// Subject 4 answers the first answer of a question whose second answer is
// subject 2.
const DAnswPick::Place kPlace{4, 1, {0, 2, 0}};
} // namespace

Q_DECLARE_METATYPE(DAnswPick::Refusal)

class TestDAnswPick : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void check_data()
    {
        QTest::addColumn<qint32>("chosen");
        QTest::addColumn<qint32>("answer");
        QTest::addColumn<QList<qint32>>("answers");
        QTest::addColumn<DAnswPick::Refusal>("refusal");
        // Subject 4 chooses.
        QTest::newRow("another subject") << 3 << 1 << QList<qint32>{0, 2, 0} << DAnswPick::Refusal{};
        QTest::newRow("no choice") << 0 << 1 << QList<qint32>{0, 0, 0} << DAnswPick::Refusal{};
        QTest::newRow("themself") << 4 << 2 << QList<qint32>{0, 0, 0} << DAnswPick::Refusal{Kind::Self, 0};
        QTest::newRow("in another answer") << 2 << 3 << QList<qint32>{0, 2, 0} << DAnswPick::Refusal{Kind::Repeated, 2};
        QTest::newRow("the answer it replaces") << 2 << 2 << QList<qint32>{0, 2, 0} << DAnswPick::Refusal{};
        QTest::newRow("values that are no choice") << 101 << 1 << QList<qint32>{0, 101} << DAnswPick::Refusal{};
    }
    void check()
    {
        QFETCH(qint32, chosen);
        QFETCH(qint32, answer);
        QFETCH(QList<qint32>, answers);
        QFETCH(DAnswPick::Refusal, refusal);
        QCOMPARE(DAnswPick::Check(4, chosen, answer, answers), refusal);
    }

    void offers_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<Offers>("offers");
        QTest::newRow("one is never ten") << "1" << Offers{{1, {}}};
        QTest::newRow("leading zero") << "01" << Offers{{1, {}}};
        QTest::newRow("two digits") << "11" << Offers{{11, {}}};
        QTest::newRow("own number, refused") << "4" << Offers{{4, {Kind::Self, 0}}};
        QTest::newRow("chosen number, refused") << "2" << Offers{{2, {Kind::Repeated, 2}}};
        QTest::newRow("beyond the subjects") << "13" << Offers{};
        QTest::newRow("zero") << "0" << Offers{};
        QTest::newRow("surname start, namesakes") << "ro" << Offers{{1, {}}, {3, {}}};
        QTest::newRow("name start, any case, refused") << "LU" << Offers{{2, {Kind::Repeated, 2}}};
        QTest::newRow("full name") << "anna  r" << Offers{{1, {}}, {3, {}}};
        QTest::newRow("without accents") << "elodie fer" << Offers{{6, {}}};
        // Neri by surname first, then the names sorted: Alba Nadia, S10 N10...
        QTest::newRow("surnames first") << "n" << Offers{{7, {}}, {8, {}}, {10, {}}, {11, {}}, {12, {}}, {9, {}}};
        QTest::newRow("own name, refused") << "verdi" << Offers{{4, {Kind::Self, 0}}};
        QTest::newRow("nothing typed") << " " << Offers{};
        QTest::newRow("no such name") << "zz" << Offers{};
    }
    void offers()
    {
        QFETCH(QString, typed);
        QFETCH(Offers, offers);
        Fixture f;
        QCOMPARE(DAnswPick::Offers(f.test.subj.List(), 12, typed, kPlace, true), offers);
    }

    // In a class of 100, every number typed offers exactly its subject.
    void everyNumberExactly()
    {
        Fixture f(100);
        for (qint32 chooser : {1, 50})
            for (qint32 k = 1; k <= 100; ++k)
            {
                const Offers got =
                    DAnswPick::Offers(f.test.subj.List(), 100, QString::number(k), {chooser, 1, {}}, true);
                const DAnswPick::Refusal refusal =
                    k == chooser ? DAnswPick::Refusal{Kind::Self, 0} : DAnswPick::Refusal{};
                QCOMPARE(got, (Offers{{k, refusal}}));
            }
    }

    void pickable()
    {
        Fixture f(9);
        // Sorted by name, without the one who answers nor the nameless one.
        QCOMPARE(DAnswPick::Pickable(f.test.subj.List(), 9, kPlace, true),
                 (Offers{{8, {}}, {2, {Kind::Repeated, 2}}, {6, {}}, {7, {}}, {1, {}}, {3, {}}, {9, {}}}));
        QCOMPARE(DAnswPick::Pickable(f.test.subj.List(), 9, {1, 1, {}}, false).first(), (DAnswPick::Offer{3, {}}));
    }

    void answersOfTheMatrix()
    {
        Fixture f;
        f.test.desi.SetDesi(2, 3, 4, 7);
        QCOMPARE(DAnswPick::Answers(f.test.desi, 2, 4), (QList<qint32>{0, 0, 7}));
    }
};

KC_TEST_MAIN(TestDAnswPick)
#include "test_DAnswPick.moc"
