#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DGraphSocPins.h"
#include "bench/ClassTest.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

#include <QtTest>

namespace
{
using Kind = DGraphSocArrange::Kind;
using TestSupport::ErrorOf;

std::vector<QPoint> Positions(DTest& test)
{
    std::vector<QPoint> result;
    for (const DSubjElem& subject : test.subj.List().Get())
        result.push_back(subject.soci.acceptance.Get());
    return result;
}

// Scatters the starting positions, so that a result that depended on them
// would show.
void Scatter(DTest& test, int salt)
{
    int k = 0;
    for (DSubjElem& subject : test.subj.List().Get())
    {
        ++k;
        subject.soci.acceptance.Set(false, 40 + (k * 37 + salt * 101) % 700, 40 + (k * 53 + salt * 29) % 500);
    }
}
} // namespace

class TestDGraphSocArrange : public QObject
{
    Q_OBJECT

private Q_SLOTS:

    void KeepsRules_data()
    {
        QTest::addColumn<bool>("largest");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("boxSize"); // 0 large, 1 small
        QTest::addColumn<QList<int>>("pinned");
        QTest::newRow("class, ties") << false << int(Kind::Ties) << 0 << QList<int>{};
        QTest::newRow("class, ties, pins") << false << int(Kind::Ties) << 0 << QList<int>{3, 10, 24};
        QTest::newRow("class, rings") << false << int(Kind::Rings) << 0 << QList<int>{};
        QTest::newRow("class, rings, pins, small boxes") << false << int(Kind::Rings) << 1 << QList<int>{1, 17};
        QTest::newRow("largest, ties, pins") << true << int(Kind::Ties) << 1 << QList<int>{50, 100};
    }

    // Pinned boxes stay, no two boxes overlap, every box lies inside the
    // picture, and the same test gives the same positions wherever the boxes
    // started.
    void KeepsRules()
    {
        QFETCH(bool, largest);
        QFETCH(int, kind);
        QFETCH(int, boxSize);
        QFETCH(QList<int>, pinned);
        DTest test;
        if (largest)
        {
            BuildLargestTest(test);
            test.graph.soc.size.Set(1400, 1000, false);
        }
        else
            BuildClassTest(test);
        DGraphSoc& soc = test.graph.soc;
        soc.subjDim.SetValue(boxSize, false);
        Scatter(test, 1);
        DGraphSocPins pins;
        for (int id : pinned)
            pins.Set(true, id, true);
        const std::vector<QPoint> before = Positions(test);

        const std::vector<QPoint> result = DGraphSocArrange::Arrange(soc, test.subj.List(), Kind(kind), pins);
        const int s = soc.subjDim.Get();
        QCOMPARE(result.size(), before.size());
        for (std::size_t i = 0; i < result.size(); ++i)
        {
            const QPoint p = result[i];
            if (pinned.contains(int(i + 1)))
                QCOMPARE(p, before[i]);
            // The margins within which the sociogram keeps a stored position.
            QVERIFY2(p.x() - s / 2 - 3 >= 0 && p.x() + s / 2 + 3 <= soc.Right() && p.y() - s / 2 - 3 >= 0 &&
                         p.y() + s / 2 + 3 <= soc.Bottom(),
                     qPrintable(QStringLiteral("box %1 outside").arg(i + 1)));
            for (std::size_t j = 0; j < i; ++j)
                if (!pinned.contains(int(i + 1)) || !pinned.contains(int(j + 1)))
                    QVERIFY2(std::abs(p.x() - result[j].x()) >= s || std::abs(p.y() - result[j].y()) >= s,
                             qPrintable(QStringLiteral("boxes %1 and %2 overlap").arg(j + 1).arg(i + 1)));
        }

        // Moved elsewhere first, the free boxes land in the same places.
        Scatter(test, 2);
        for (int id : pinned)
            test.subj.List().Get()[std::size_t(id - 1)].soci.acceptance.Set(false, before[std::size_t(id - 1)].x(),
                                                                            before[std::size_t(id - 1)].y());
        QCOMPARE(DGraphSocArrange::Arrange(soc, test.subj.List(), Kind(kind), pins), result);
    }

    // On a class, arranging by the ties leaves far fewer crossing lines than
    // the grid in list order the sociogram starts with.
    void TiesRemoveCrossings()
    {
        DTest test;
        BuildClassTest(test);
        DGraphSoc& soc = test.graph.soc;
        QImage picture;
        soc.Draw(picture); // the grid start
        const std::vector<DGraphSocArrange::Tie> ties = DGraphSocArrange::Ties(soc, test.subj.List().Get());
        const int grid = DGraphSocArrange::Crossings(Positions(test), ties);
        const int arranged =
            DGraphSocArrange::Crossings(DGraphSocArrange::Arrange(soc, test.subj.List(), Kind::Ties, {}), ties);
        QVERIFY2(3 * arranged <= grid, qPrintable(QStringLiteral("grid %1, arranged %2").arg(grid).arg(arranged)));
    }

    // In rings the most chosen subject takes the centre and the one without
    // any tie the outermost ring.
    void RingsByChoicesReceived()
    {
        DTest test;
        BuildClassTest(test);
        DGraphSoc& soc = test.graph.soc;
        const std::vector<QPoint> result = DGraphSocArrange::Arrange(soc, test.subj.List(), Kind::Rings, {});
        const QPointF centre(soc.Right() / 2.0, soc.Bottom() / 2.0);
        auto reach = [&](const QPoint p)
        {
            const QPointF d = QPointF(p) - centre;
            return std::hypot(d.x() / centre.x(), d.y() / centre.y());
        };
        int most = 0;
        std::vector<int> received(result.size(), 0);
        for (const DGraphListConn& conn : test.graph.Connections())
        {
            ++received[std::size_t(conn.Chosen()->id.GetValue() - 1)];
            if (conn.Choi().mutual)
                ++received[std::size_t(conn.Chooser()->id.GetValue() - 1)];
        }
        most = int(std::max_element(received.begin(), received.end()) - received.begin());
        for (std::size_t i = 0; i < result.size(); ++i)
        {
            QVERIFY(reach(result[std::size_t(most)]) <= reach(result[i]));
            QVERIFY(reach(result[23]) >= reach(result[i]) - 0.05);
        }
    }

    // A picture too small for the free boxes is refused, and nothing moves.
    void TooSmallIsRefused_data()
    {
        QTest::addColumn<int>("kind");
        QTest::newRow("ties") << int(Kind::Ties);
        QTest::newRow("rings") << int(Kind::Rings);
    }
    void TooSmallIsRefused()
    {
        QFETCH(int, kind);
        DTest test;
        BuildLargestTest(test);
        test.graph.soc.size.Set(400, 400, false);
        QImage picture;
        test.graph.soc.Draw(picture);
        const std::vector<QPoint> before = Positions(test);
        const QString error =
            ErrorOf([&] { DGraphSocArrange::Arrange(test.graph.soc, test.subj.List(), Kind(kind), {}); });
        QVERIFY2(error.contains(QLatin1String("100")), qPrintable(error));
        QCOMPARE(Positions(test), before);
    }

    // Applying stores the positions as the user's, of the given type only.
    void ApplySetsOneType()
    {
        DTest test;
        BuildClassTest(test);
        const std::vector<QPoint> rejection = [&]
        {
            std::vector<QPoint> r;
            for (const DSubjElem& s : test.subj.List().Get())
                r.push_back(s.soci.rejection.Get());
            return r;
        }();
        std::vector<QPoint> wanted(24);
        for (int i = 0; i < 24; ++i)
            wanted[std::size_t(i)] = QPoint(100 + i, 200 + i);
        DGraphSocArrange::Apply(test.subj.List(), true, wanted);
        QCOMPARE(Positions(test), wanted);
        for (int i = 0; i < 24; ++i)
            QCOMPARE(test.subj.List().Get()[std::size_t(i)].soci.rejection.Get(), rejection[std::size_t(i)]);
        QVERIFY(test.IsChangedByUser());
    }
};

KC_TEST_MAIN(TestDGraphSocArrange)
#include "test_DGraphSocArrange.moc"
