#include "analyses/DGraph.h"
#include "analyses/DGraphListConn.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DGraphSocPins.h"
#include "analyses/DGraphSocRings.h"
#include "bench/ClassTest.h"
#include "bench/LargestTest.h"
#include "document/DFileKalCirTags.h"
#include "document/DTest.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QtTest>

#include <cmath>

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

    // On a class, arranging by the ties leaves a fifth of the lines across
    // boxes of the grid in list order the sociogram starts with, whose rows
    // put boxes in the way of the lines along them, and half its crossings
    // (lines running along each other in a row counted as crossing).
    void TiesKeepLinesOffBoxes_data()
    {
        QTest::addColumn<int>("boxSize"); // 0 large, 1 small
        QTest::newRow("large boxes") << 0;
        QTest::newRow("small boxes") << 1;
    }
    void TiesKeepLinesOffBoxes()
    {
        QFETCH(int, boxSize);
        DTest test;
        BuildClassTest(test);
        DGraphSoc& soc = test.graph.soc;
        soc.subjDim.SetValue(boxSize, false);
        QImage picture;
        soc.Draw(picture); // the grid start
        std::vector<QPoint> grid;
        for (const DSubjElem& subject : test.subj.List().Get())
            grid.push_back(soc.SubjOrigGet(subject));
        const std::vector<DGraphSocArrange::Tie> ties = DGraphSocArrange::Ties(soc, test.subj.List().Get());
        const std::vector<QPoint> arranged = DGraphSocArrange::Arrange(soc, test.subj.List(), Kind::Ties, {});
        const int s = soc.subjDim.Get();
        const int gridAcross = DGraphSocArrange::LinesThroughBoxes(grid, ties, s);
        const int across = DGraphSocArrange::LinesThroughBoxes(arranged, ties, s);
        const int gridCrossings = DGraphSocArrange::Crossings(grid, ties);
        const int crossings = DGraphSocArrange::Crossings(arranged, ties);
        const QString figures = QStringLiteral("across boxes: grid %1, arranged %2; crossings: grid %3, arranged %4")
                                    .arg(gridAcross)
                                    .arg(across)
                                    .arg(gridCrossings)
                                    .arg(crossings);
        qInfo("%s", qPrintable(figures));
        QVERIFY2(5 * across <= gridAcross, qPrintable(figures));
        QVERIFY2(2 * crossings <= gridCrossings, qPrintable(figures));
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

    // Arranged in rings, the sociogram draws the rings its boxes stand on,
    // keeps them in the test's file, and only in the sociogram arranged so.
    void RingsAreDrawn()
    {
        DTest test;
        BuildClassTest(test);
        DGraphSoc& soc = test.graph.soc;
        auto ringPixels = [&](const QImage& picture, const DGraphSocRings::Ring& ring)
        {
            // Samples around every ring; lines and boxes hide some of them.
            int found = 0;
            for (int k = 1; k <= ring.count; ++k)
                for (int a = 0; a < 72; ++a)
                {
                    const double angle = a * 3.14159265358979 / 36;
                    const double t = double(k) / ring.count;
                    const QPoint p =
                        (ring.centre + QPointF(ring.rx * t * std::cos(angle), ring.ry * t * std::sin(angle))).toPoint();
                    bool grey = false;
                    for (int dx = -1; dx <= 1; ++dx)
                        for (int dy = -1; dy <= 1; ++dy)
                            grey |= picture.pixelColor(p + QPoint(dx, dy)) == QColor(200, 200, 200);
                    found += grey;
                }
            return found;
        };
        QImage plain;
        soc.Draw(plain);

        DGraphSocRings::Ring ring;
        const std::vector<QPoint> arranged = DGraphSocArrange::Arrange(soc, test.subj.List(), Kind::Rings, {}, &ring);
        QVERIFY(ring.count >= 2);
        QCOMPARE(ringPixels(plain, ring), 0);
        // Every box stands on a ring or in the centre.
        for (const QPoint p : arranged)
        {
            const QPointF d = QPointF(p) - ring.centre;
            const double level = std::hypot(d.x() / ring.rx, d.y() / ring.ry) * ring.count;
            QVERIFY2(std::abs(level - std::round(level)) * ring.rx < 2.0 * ring.count,
                     qPrintable(QStringLiteral("box at %1, %2 off the rings").arg(p.x()).arg(p.y())));
        }
        DGraphSocArrange::Apply(test.subj.List(), true, arranged);
        soc.rings.Set(true, ring);
        QImage picture;
        soc.Draw(picture);
        const int samples = 72 * ring.count;
        QVERIFY2(2 * ringPixels(picture, ring) >= samples,
                 qPrintable(QStringLiteral("%1 of %2").arg(ringPixels(picture, ring)).arg(samples)));

        // The rejections, not arranged, have none.
        soc.type.SetValue(1, false);
        soc.Draw(picture);
        QCOMPARE(ringPixels(picture, ring), 0);
        soc.type.SetValue(0, false);

        // Saved and opened again, the rings are there; a test without them
        // writes no record.
        auto read = [](DTest& into, QByteArray bytes)
        {
            QBuffer buffer(&bytes);
            buffer.open(QIODevice::ReadOnly);
            into.file.Read(buffer, QStringLiteral("rings.KalCir"));
        };
        DTest opened;
        read(opened, test.file.ToBytes());
        QCOMPARE(opened.graph.soc.rings.Of(true), ring);
        QVERIFY(opened.graph.soc.rings.Of(false).IsEmpty());
        soc.rings = DGraphSocRings();
        DTest without;
        read(without, test.file.ToBytes());
        QVERIFY(!without.tags.Get(DFileKalCirTags::Tag("SRNG")));
    }

    // Damaged or foreign ring records read as no rings, never as rings no
    // arrangement would draw.
    void RingRecordsReadLeniently_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::addColumn<bool>("acceptance");
        auto bytes = [](std::initializer_list<qint32> values)
        {
            QByteArray data;
            for (qint32 v : values)
                for (int b = 0; b < 4; ++b)
                    data.append(char((quint32(v) >> (8 * b)) & 0xff));
            return data;
        };
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("cut short") << bytes({3, 800, 600}) << false;
        QTest::newRow("acceptance only") << bytes({3, 800, 600, 700, 500}) << true;
        QTest::newRow("no rings") << bytes({0, 800, 600, 700, 500}) << false;
        QTest::newRow("negative radius") << bytes({3, 800, 600, -700, 500}) << false;
        QTest::newRow("too many rings") << bytes({100000, 800, 600, 700, 500}) << false;
        QTest::newRow("far outside") << bytes({3, 2000000000, 600, 700, 500}) << false;
        QTest::newRow("with more bytes") << bytes({3, 800, 600, 700, 500, 0, 0, 0, 0, 0, 7}) << true;
    }
    void RingRecordsReadLeniently()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, acceptance);
        const DGraphSocRings rings = DGraphSocRings::FromRecord(record);
        QCOMPARE(!rings.Of(true).IsEmpty(), acceptance);
        QVERIFY(rings.Of(false).IsEmpty());
        if (acceptance)
            QCOMPARE(rings.Of(true), (DGraphSocRings::Ring{3, QPointF(400, 300), 350, 250}));
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
