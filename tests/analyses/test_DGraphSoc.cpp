#include "analyses/DGraph.h"
#include "analyses/DPalette.h"
#include "analyses/DPicture.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

#include <QBuffer>
#include <QPainter>
#include <QPicture>

#include <functional>

namespace
{
using TestSupport::ErrorOf;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGreen = qRgb(0, 128, 0);
const QRgb kRed = qRgb(255, 0, 0);
const QRgb kTurquoise = qRgb(175, 238, 238);
const QRgb kPink = qRgb(255, 192, 203);

struct Fixture
{
    DTest test;
    DGraph& graph = test.graph;
    QImage picture = DPicture::Make(1000, 1000);

    DSubjElem& Subject(int id) { return test.subj.List().Get()[std::size_t(id - 1)]; }
    // A male subject (a square) at the acceptance position.
    void Square(int id, int x, int y)
    {
        Subject(id).sex.SetValue(1, false);
        Subject(id).soci.acceptance.Set(false, x, y);
    }
    void Draw() { graph.soc.Draw(test.subj.List(), picture); }
    QRgb At(int x, int y) const { return picture.pixel(x, y) | 0xFF000000u; }
};

DGraphListConnGeom::Kind KindOf(int kind)
{
    return static_cast<DGraphListConnGeom::Kind>(kind);
}
} // namespace

class TestDGraphSoc : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void gridPlacement();
    void margins_data();
    void margins();
    void geometry_data();
    void geometry();
    void arrowCorners_data();
    void arrowCorners();
    void drawsOneWayConnection();
    void shortLineLeavesTheOutline();
    void rejectionIsRedAtItsOwnPositions();
    void mutualHalvesShowTheirRanks();
    void redrawLeavesOutTheDraggedSubject();
    void drawingOptions_data();
    void drawingOptions();
    void drawingOptionsSurviveSaveAndOpen();
    void focusDimsTheOtherTies();
    void safePaletteChangesEveryColouredPicture();
    void selfChoiceLeavesPictureWhite();
    void vectorSurfaceShowsEveryLine_data();
    void denseLinesCoverThePlainOnes_data();
    void denseLinesCoverThePlainOnes();
    void vectorSurfaceShowsEveryLine();
    void pictureSize_data();
    void pictureSize();
    void pictureSizeFields();
    void optionCombos();
};

void TestDGraphSoc::gridPlacement()
{
    Fixture f;
    f.Draw();
    QList<QPoint> positions;
    for (const DSubjElem& s : f.test.subj.List().Get())
    {
        positions << s.soci.acceptance.Get();
        QVERIFY(!s.soci.IsChangedByUser()); // placing is not the user's move
    }
    QCOMPARE(positions, QList<QPoint>({{48, 48},
                                       {144, 48},
                                       {240, 48},
                                       {336, 48},
                                       {432, 48},
                                       {528, 48},
                                       {624, 48},
                                       {720, 48},
                                       {48, 144},
                                       {144, 144}}));
    QCOMPARE(f.Subject(1).soci.rejection.Get(), QPoint(0, 0)); // the other type keeps its own

    // Beyond the 8 x 6 grid the place is random, strictly inside the margins,
    // and stays where it is on the next drawing.
    f.test.subj.List().SetSize(60, false);
    f.Draw();
    QCOMPARE(f.Subject(48).soci.acceptance.Get(), QPoint(720, 528));
    QList<QPoint> random;
    for (int id = 49; id <= 60; ++id)
    {
        const QPoint p = f.Subject(id).soci.acceptance.Get();
        QVERIFY2(p.x() > 25 && p.x() < 776 && p.y() > 25 && p.y() < 576, qPrintable(QString::number(id)));
        random << p;
    }
    f.Draw();
    for (int id = 49; id <= 60; ++id)
        QCOMPARE(f.Subject(id).soci.acceptance.Get(), random.at(id - 49));
}

void TestDGraphSoc::margins_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<QPoint>("position");
    QTest::addColumn<bool>("kept");

    QTest::newRow("on the left margin") << true << QPoint(25, 300) << false;
    QTest::newRow("inside the left margin") << true << QPoint(26, 300) << true;
    QTest::newRow("inside the right margin") << true << QPoint(775, 300) << true;
    QTest::newRow("on the right margin") << true << QPoint(776, 300) << false;
    QTest::newRow("on the top margin") << true << QPoint(300, 25) << false;
    QTest::newRow("inside the bottom margin") << true << QPoint(300, 575) << true;
    QTest::newRow("on the bottom margin") << true << QPoint(300, 576) << false;
    QTest::newRow("small, on the margin") << false << QPoint(19, 300) << false;
    QTest::newRow("small, inside the margin") << false << QPoint(20, 300) << true;
    QTest::newRow("small, inside the right margin") << false << QPoint(781, 581) << true;
    QTest::newRow("small, on the right margin") << false << QPoint(782, 300) << false;
}

void TestDGraphSoc::margins()
{
    QFETCH(bool, large);
    QFETCH(QPoint, position);
    QFETCH(bool, kept);

    Fixture f;
    f.graph.soc.subjDim.SetValue(large ? 0 : 1, false);
    f.Subject(1).soci.acceptance.Set(false, position.x(), position.y());
    f.Draw();
    const int s = large ? 48 : 36;
    QCOMPARE(f.Subject(1).soci.acceptance.Get(), kept ? position : QPoint(s, s));
}

void TestDGraphSoc::geometry_data()
{
    QTest::addColumn<QPoint>("p1");
    QTest::addColumn<bool>("circle1");
    QTest::addColumn<QPoint>("p2");
    QTest::addColumn<bool>("circle2");
    QTest::addColumn<int>("r");
    QTest::addColumn<bool>("mutual");
    QTest::addColumn<int>("kind");
    QTest::addColumn<QPoint>("start");
    QTest::addColumn<QPoint>("end");
    QTest::addColumn<QPoint>("a");
    QTest::addColumn<QPoint>("b");

    using G = DGraphListConnGeom;
    const QPoint o(100, 100);
    QTest::newRow("boxes overlap") << o << false << QPoint(147, 100) << false << 24 << false << int(G::Nothing)
                                   << QPoint() << QPoint() << QPoint() << QPoint();
    QTest::newRow("too short for a head")
        << o << false << QPoint(155, 100) << false << 24 << false << int(G::Plain) << QPoint(124, 100)
        << QPoint(131, 100) << QPoint(124, 100) << QPoint(121, 100);
    QTest::newRow("just long enough") << o << false << QPoint(160, 100) << false << 24 << false << int(G::OneWay)
                                      << QPoint(124, 100) << QPoint(136, 100) << QPoint(124, 100) << QPoint(126, 100);
    QTest::newRow("squares") << o << false << QPoint(300, 100) << false << 24 << false << int(G::OneWay)
                             << QPoint(124, 100) << QPoint(276, 100) << QPoint(124, 100) << QPoint(266, 100);
    QTest::newRow("circles") << o << true << QPoint(300, 100) << true << 24 << false << int(G::OneWay)
                             << QPoint(124, 100) << QPoint(275, 100) << QPoint(124, 100) << QPoint(265, 100);
    QTest::newRow("leftwards, mutual") << QPoint(300, 100) << false << o << false << 24 << true << int(G::Mutual)
                                       << QPoint(276, 100) << QPoint(124, 100) << QPoint(266, 100) << QPoint(134, 100);
    QTest::newRow("downwards") << o << false << QPoint(100, 300) << false << 24 << false << int(G::OneWay)
                               << QPoint(100, 124) << QPoint(100, 276) << QPoint(100, 124) << QPoint(100, 266);
    QTest::newRow("upwards") << o << false << QPoint(100, 20) << true << 24 << false << int(G::OneWay)
                             << QPoint(100, 76) << QPoint(100, 45) << QPoint(100, 76) << QPoint(100, 55);
    // sin = cos = 100 / 141 lies just above 1/sqrt(2): the square's bottom side.
    QTest::newRow("diagonal squares") << o << false << QPoint(200, 200) << false << 24 << false << int(G::OneWay)
                                      << QPoint(117, 124) << QPoint(183, 176) << QPoint(117, 124) << QPoint(176, 169);
    QTest::newRow("diagonal circles") << o << true << QPoint(200, 200) << true << 24 << false << int(G::OneWay)
                                      << QPoint(117, 117) << QPoint(183, 183) << QPoint(117, 117) << QPoint(176, 176);
    QTest::newRow("small, too short when mutual")
        << o << false << QPoint(150, 100) << false << 18 << true << int(G::Plain) << QPoint(118, 100)
        << QPoint(132, 100) << QPoint(126, 100) << QPoint(124, 100);
}

void TestDGraphSoc::geometry()
{
    QFETCH(QPoint, p1);
    QFETCH(bool, circle1);
    QFETCH(QPoint, p2);
    QFETCH(bool, circle2);
    QFETCH(int, r);
    QFETCH(bool, mutual);
    QFETCH(int, kind);

    const int arrow = r == 24 ? 10 : 8;
    const DGraphListConnGeom g = DGraphListConnGeom::Compute(p1, circle1, p2, circle2, r, arrow, mutual);
    QCOMPARE(int(g.kind), kind);
    if (KindOf(kind) == DGraphListConnGeom::Nothing)
        return;
    QTEST(g.start, "start");
    QTEST(g.end, "end");
    QTEST(g.a, "a");
    QTEST(g.b, "b");
    if (g.kind == DGraphListConnGeom::Mutual)
        QCOMPARE(g.m, QPoint(200, 100));
}

void TestDGraphSoc::arrowCorners_data()
{
    QTest::addColumn<QPoint>("tip");
    QTest::addColumn<bool>("forward");
    QTest::addColumn<double>("sin");
    QTest::addColumn<double>("cos");
    QTest::addColumn<QPoint>("c1");
    QTest::addColumn<QPoint>("c2");

    QTest::newRow("forward, rightwards") << QPoint(276, 100) << true << 0.0 << 1.0 << QPoint(266, 105)
                                         << QPoint(266, 95);
    QTest::newRow("backward, rightwards")
        << QPoint(124, 100) << false << 0.0 << 1.0 << QPoint(134, 105) << QPoint(134, 95);
    QTest::newRow("forward, downwards") << QPoint(100, 276) << true << 1.0 << 0.0 << QPoint(95, 266)
                                        << QPoint(105, 266);
}

void TestDGraphSoc::arrowCorners()
{
    QFETCH(QPoint, tip);
    QFETCH(bool, forward);
    QFETCH(double, sin);
    QFETCH(double, cos);
    const std::array<QPoint, 3> c = DGraphListConnGeom::ArrowCorners(tip, forward, 10, sin, cos);
    QCOMPARE(c[0], tip);
    QTEST(c[1], "c1");
    QTEST(c[2], "c2");
}

void TestDGraphSoc::drawsOneWayConnection()
{
    Fixture f;
    f.Square(1, 100, 100);
    f.Square(2, 300, 100);
    f.Subject(3).soci.acceptance.Set(false, 500, 300); // a circle
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.Draw();

    const int th = f.graph.soc.TextHeight();
    QCOMPARE(f.picture.size(), QSize(802, 606 + 5 * th));
    QCOMPARE(f.graph.Connections().size(), std::size_t(1));

    // Box 1 covers columns 76..123; the line starts just outside it, 2 pixels
    // wide for a first choice, and ends at the base of the arrow head.
    QCOMPARE(f.At(76, 100), kBlack);
    QCOMPARE(f.At(123, 110), kBlack);
    QCOMPARE(f.At(80, 80), kTurquoise);
    for (int x : {124, 200, 265})
    {
        QCOMPARE(f.At(x, 100), kGreen);
        QCOMPARE(f.At(x, 99), kGreen);
        QCOMPARE(f.At(x, 101), kWhite);
    }
    QCOMPARE(f.At(266, 96), kGreen);  // base of the head
    QCOMPARE(f.At(270, 100), kWhite); // an outline, not filled
    QCOMPARE(f.At(276, 100), kGreen); // tip, on box 2's left side
    QCOMPARE(f.At(277, 100), kTurquoise);
    QCOMPARE(f.At(276, 90), kBlack);

    // The circle: pink inside, white in the corners of its square.
    QCOMPARE(f.At(500, 320), kPink);
    QCOMPARE(f.At(477, 277), kWhite);
    QCOMPARE(f.At(476, 300), kBlack);

    // Frame around the whole picture, legend under the drawing area (B = 601).
    const int bottom = f.picture.height() - 1;
    for (QPoint p : {QPoint(0, 300), QPoint(801, 300), QPoint(400, 0), QPoint(400, bottom), QPoint(400, 601)})
        QCOMPARE(f.At(p.x(), p.y()), kBlack);
    QCOMPARE(f.At(50, 609), kWhite); // 3-pixel first-choice sample, rows 610..612
    QCOMPARE(f.At(50, 610), kBlack);
    QCOMPARE(f.At(50, 612), kBlack);
    QCOMPARE(f.At(50, 613), kWhite);
    QCOMPARE(f.At(50, 625), kBlack);
    QCOMPARE(f.At(50, 626), kWhite);
    QCOMPARE(f.At(20, 620), kBlack); // back of the second legend head
    QCOMPARE(f.At(16, 625), kWhite);
    QCOMPARE(f.At(50, 653), kGreen);
    QCOMPARE(f.At(50, 667), kRed);
}

void TestDGraphSoc::shortLineLeavesTheOutline()
{
    // Boxes 55 pixels apart: a plain 1-pixel line from (124, 100) up to, not
    // including, (131, 100), the left side of the chosen box.
    Fixture f;
    f.Square(1, 100, 100);
    f.Square(2, 155, 100);
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.Draw();
    QCOMPARE(f.At(123, 100), kBlack);
    for (int x = 124; x < 131; ++x)
        QCOMPARE(f.At(x, 100), kGreen);
    QCOMPARE(f.At(131, 100), kBlack);
    QCOMPARE(f.At(127, 99), kWhite);
    QCOMPARE(f.At(127, 101), kWhite);
}

void TestDGraphSoc::rejectionIsRedAtItsOwnPositions()
{
    Fixture f;
    f.test.ques.List().GetSelected(0).type.SetValue(0, true);
    f.Square(1, 100, 100);
    f.Square(2, 300, 100);
    f.Subject(1).soci.rejection.Set(false, 100, 400);
    f.Subject(2).soci.rejection.Set(false, 300, 400);
    f.test.desi.SetDesi(1, 2, 1, 2);
    f.graph.soc.type.SetValue(1, true);
    f.Draw();

    QCOMPARE(f.At(200, 100), kWhite);
    QCOMPARE(f.At(80, 80), kWhite);
    QCOMPARE(f.At(80, 380), kTurquoise);
    QCOMPARE(f.At(200, 400), kRed); // second choice: one pixel
    QCOMPARE(f.At(200, 399), kWhite);
    QCOMPARE(f.At(266, 396), kRed);
    QCOMPARE(f.At(50, 653), kGreen); // the legend shows both colours
    QCOMPARE(f.At(50, 667), kRed);
}

void TestDGraphSoc::mutualHalvesShowTheirRanks()
{
    Fixture f;
    f.Square(1, 100, 100);
    f.Square(2, 300, 100);
    f.test.desi.SetDesi(1, 1, 2, 1); // 2 names 1 first
    f.test.desi.SetDesi(1, 3, 1, 2); // 1 names 2 third
    f.Draw();

    QCOMPARE(f.graph.Connections().size(), std::size_t(1));
    // Both heads: at subject 1 (tip 124) and at subject 2 (tip 276).
    QCOMPARE(f.At(134, 96), kGreen);
    QCOMPARE(f.At(266, 104), kGreen);
    // The half reaching subject 1 carries its first choice: 2 pixels, solid.
    for (int x = 136; x < 199; ++x)
    {
        QCOMPARE(f.At(x, 100), kGreen);
        QVERIFY((f.At(x, 99) == kGreen) != (f.At(x, 101) == kGreen));
    }
    // The half reaching subject 2 carries the third choice: 1 pixel, dotted.
    int dots = 0;
    for (int x = 202; x < 265; ++x)
    {
        dots += f.At(x, 100) == kGreen;
        QCOMPARE(f.At(x, 99), kWhite);
        QCOMPARE(f.At(x, 101), kWhite);
    }
    QVERIFY2(dots > 10 && dots < 50, qPrintable(QString::number(dots)));
}

void TestDGraphSoc::redrawLeavesOutTheDraggedSubject()
{
    Fixture f;
    f.Square(1, 100, 100);
    f.Square(2, 300, 100);
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.Draw();
    // A subject under the mouse stays in the background; a dragged one leaves it.
    f.graph.soc.Sel().New(f.Subject(1));
    f.graph.soc.Draw();
    QCOMPARE(f.At(80, 80), kTurquoise);
    QCOMPARE(f.At(200, 100), kGreen);
    f.graph.soc.Sel().MoveStart(0, 0);
    f.graph.soc.Draw();
    QCOMPARE(f.At(80, 80), kWhite);
    QCOMPARE(f.At(200, 100), kWhite);
    QCOMPARE(f.At(280, 80), kTurquoise);

    // A full drawing keeps the selection, found again by identifier after the
    // subject list was rebuilt.
    f.test.subj.List().SetSize(20, true);
    f.Draw();
    QVERIFY(f.graph.soc.Sel().ThereIs());
    QCOMPARE(&f.graph.soc.Sel().Get(), &f.Subject(1));
    QCOMPARE(f.At(80, 80), kWhite);
    f.test.subj.List().SetSize(1, true);
    f.test.subj.List().SetSize(5, true);
    f.graph.soc.Sel().New(f.Subject(5));
    f.test.subj.List().SetSize(3, true);
    f.Draw();
    QVERIFY(!f.graph.soc.Sel().ThereIs());
}

void TestDGraphSoc::drawingOptions_data()
{
    // A line at y = 79 from subject 1 to subject 2 passes through the top of
    // the circle of subject 3 at (200, 100) and through its corner at x = 180.
    QTest::addColumn<int>("flags");
    QTest::addColumn<QRgb>("corner");
    QTest::addColumn<QRgb>("inside");
    QTest::newRow("default: lines over the boxes") << 0 << kGreen << kGreen;
    QTest::newRow("names above: the white corner hides the line") << 1 << kWhite << kPink;
    QTest::newRow("names above without corners") << 3 << kGreen << kPink;
    QTest::newRow("no corners alone changes nothing") << 2 << kGreen << kGreen;
}

void TestDGraphSoc::drawingOptions()
{
    QFETCH(int, flags);
    QFETCH(QRgb, corner);
    QFETCH(QRgb, inside);
    Fixture f;
    f.Square(1, 100, 79);
    f.Square(2, 300, 79);
    f.Subject(3).sex.SetFemale();
    f.Subject(3).soci.acceptance.Set(false, 200, 100);
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.graph.soc.look = DGraphSocLook::FromFlags(quint8(flags));
    f.Draw();
    QCOMPARE(f.At(180, 79), corner);
    QCOMPARE(f.At(195, 79), inside);
    QCOMPARE(f.At(250, 79), kGreen); // clear of every box
}

// The options travel with the test in their own record; with all of them
// off the file is byte for byte the one written before they existed, and
// any record reads.
void TestDGraphSoc::drawingOptionsSurviveSaveAndOpen()
{
    auto read = [](DTest& test, QByteArray bytes)
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        test.file.Read(buffer, QStringLiteral("look.KalCir"));
    };
    DTest test;
    test.subj.List().SetSize(5, false);
    const QByteArray plain = test.file.ToBytes();

    DGraphSocLook look;
    look.namesAbove = true;
    look.topmostPick = true;
    test.SetLook(look, true);
    QVERIFY(test.IsChangedByUser());
    DTest opened;
    read(opened, test.file.ToBytes());
    QCOMPARE(opened.graph.soc.look, look);
    QVERIFY(!opened.IsChangedByUser());

    test.SetLook(DGraphSocLook(), true);
    QCOMPARE(test.file.ToBytes(), plain);
    read(opened, plain);
    QCOMPARE(opened.graph.soc.look, DGraphSocLook());

    // Unknown bits and further bytes are ignored; an empty record is all off.
    QCOMPARE(DGraphSocLook::FromRecord(QByteArray("\xfa\x01\x02", 3)).Flags(), quint8(2));
    QCOMPARE(DGraphSocLook::FromRecord(QByteArray()), DGraphSocLook());
}

void TestDGraphSoc::focusDimsTheOtherTies()
{
    Fixture f;
    f.Square(1, 100, 100);
    f.Square(2, 300, 100);
    f.Square(3, 100, 300);
    f.test.desi.SetDesi(1, 1, 1, 2); // 1 gives
    f.test.desi.SetDesi(1, 1, 3, 1); // 1 receives
    f.test.desi.SetDesi(1, 1, 2, 3); // not of 1
    f.Draw();
    const QImage plain = f.picture.copy();
    f.graph.soc.focus = 1;
    f.Draw();
    QCOMPARE(f.At(200, 100), kGreen);
    QCOMPARE(f.At(100, 200), kGreen);
    const QRgb faint = qRgb(191, 223, 191);
    QCOMPARE(f.At(200, 200), faint);
    f.graph.soc.focus = 0;
    f.Draw();
    QCOMPARE(f.picture, plain);
}

// The safe palette replaces green and red wherever they carry the meaning,
// and the box fills; the metric table has no colour to replace.
void TestDGraphSoc::safePaletteChangesEveryColouredPicture()
{
    Fixture f;
    for (int id = 1; id <= 3; ++id)
        f.Subject(id).sex.SetValue(id == 2 ? 0 : 1, false);
    f.Subject(2).sex.SetFemale();
    f.test.ques.List().GetSelected(1).type.SetValue(0, false); // question 2 negative
    f.test.desi.SetDesi(1, 1, 1, 2);
    f.test.desi.SetDesi(1, 1, 3, 1);
    f.test.desi.SetDesi(2, 1, 2, 3);
    const std::function<void(QImage&)> draws[] = {
        [&](QImage& p) { f.graph.bar.Draw(p); }, [&](QImage& p) { f.graph.tar.Draw(p); },
        [&](QImage& p) { f.graph.soc.Draw(f.test.subj.List(), p); }, [&](QImage& p) { f.graph.met.Draw(p); }};
    auto pictures = [&](bool safe)
    {
        DPalette::Use(safe);
        QList<QImage> list;
        for (const auto& draw : draws)
        {
            QImage picture = DPicture::Make(1000, 1000);
            draw(picture);
            list << picture;
        }
        return list;
    };
    const QList<QImage> standard = pictures(false);
    const QList<QImage> safe = pictures(true);
    const QList<QImage> again = pictures(false);
    QCOMPARE(again, standard);
    QVERIFY(safe[0] != standard[0]);
    QVERIFY(safe[1] != standard[1]);
    QVERIFY(safe[2] != standard[2]);
    QCOMPARE(safe[3], standard[3]);

    // The rejection sociogram draws in orange, dashed, not red.
    f.graph.soc.type.SetValue(1, false);
    DPalette::Use(true);
    QImage rejection = DPicture::Make(1000, 1000);
    f.graph.soc.Draw(f.test.subj.List(), rejection);
    DPalette::Use(false);
    bool orange = false;
    for (int y = 0; y < rejection.height(); ++y)
        for (int x = 0; x < rejection.width(); ++x)
        {
            QVERIFY((rejection.pixel(x, y) | 0xFF000000u) != kRed);
            orange = orange || (rejection.pixel(x, y) | 0xFF000000u) == qRgb(230, 159, 0);
        }
    QVERIFY(orange);
}

void TestDGraphSoc::vectorSurfaceShowsEveryLine_data()
{
    QTest::addColumn<int>("type");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("safe");
    QTest::newRow("acceptances, lines over the boxes") << 0 << 0 << false;
    QTest::newRow("acceptances, names above the lines") << 0 << 1 << false;
    QTest::newRow("rejections, dashed in the safe palette") << 1 << 0 << true;
}

// A vector surface (a file, a printer) takes the lines gathered by pen, not
// one by one. Recorded and played back onto pixels, that gives the lines,
// arrow heads and pens of the picture drawn line by line, in the same place
// between the boxes.
void TestDGraphSoc::vectorSurfaceShowsEveryLine()
{
    QFETCH(int, type);
    QFETCH(int, flags);
    QFETCH(bool, safe);
    DPalette::Use(safe);
    DTest test;
    BuildClassTest(test);
    DGraphSoc& soc = test.graph.soc;
    soc.type.SetValue(type, false);
    soc.look = DGraphSocLook::FromFlags(quint8(flags));
    const QSize size = soc.PrepareVector(test.subj.List());
    QVERIFY(test.graph.Connections().size() > 50);

    QImage direct = DPicture::Make(size.width(), size.height());
    QPainter onDirect(&direct);
    soc.PaintVector(onDirect);
    onDirect.end();
    QPicture recording;
    QPainter onRecording(&recording);
    soc.PaintVector(onRecording);
    onRecording.end();
    QImage replayed = DPicture::Make(size.width(), size.height());
    QPainter onReplayed(&replayed);
    onReplayed.drawPicture(0, 0, recording);
    onReplayed.end();

    const DPalette& palette = DPalette::Active();
    const QRgb line = (type == 0 ? palette.acceptanceLine : palette.rejectionLine).rgb();
    DPalette::Use(false);
    auto isLine = [&](const QImage& image, int x, int y) {
        return x >= 0 && y >= 0 && x < image.width() && y < image.height() && (image.pixel(x, y) | 0xFF000000u) == line;
    };
    // Each line pixel of one picture lies on or beside a line pixel of the
    // other (the painter and the pixel writer may round a step differently).
    auto unmatched = [&](const QImage& from, const QImage& to, int& count)
    {
        int missing = 0;
        count = 0;
        for (int y = 0; y < from.height(); ++y)
            for (int x = 0; x < from.width(); ++x)
            {
                if (!isLine(from, x, y))
                    continue;
                ++count;
                bool near = false;
                for (int dy = -1; dy <= 1 && !near; ++dy)
                    for (int dx = -1; dx <= 1 && !near; ++dx)
                        near = isLine(to, x + dx, y + dy);
                missing += near ? 0 : 1;
            }
        return missing;
    };
    int directCount = 0;
    int replayedCount = 0;
    const int lost = unmatched(direct, replayed, directCount);
    const int added = unmatched(replayed, direct, replayedCount);
    QVERIFY(directCount > 10000);
    QVERIFY2(
        lost <= directCount / 200 && added <= replayedCount / 200,
        qPrintable(
            QStringLiteral("%1 of %2 lost, %3 of %4 added").arg(lost).arg(directCount).arg(added).arg(replayedCount)));
    // Wider pens give more pixels: the same pens give about as many.
    QVERIFY2(qAbs(directCount - replayedCount) <= directCount / 20,
             qPrintable(QStringLiteral("%1 against %2").arg(directCount).arg(replayedCount)));
}

void TestDGraphSoc::denseLinesCoverThePlainOnes_data()
{
    // Subject 1 chooses subject 2; the area holds a straight stretch of the
    // line clear of the boxes and the arrow head.
    QTest::addColumn<int>("rank");
    QTest::addColumn<QPoint>("from");
    QTest::addColumn<QPoint>("to");
    QTest::addColumn<QRect>("area");
    QTest::newRow("first choice, 2 pixels, across")
        << 1 << QPoint(100, 100) << QPoint(300, 100) << QRect(125, 95, 130, 10);
    QTest::newRow("second choice, 1 pixel, down")
        << 2 << QPoint(100, 100) << QPoint(100, 300) << QRect(95, 125, 10, 130);
    QTest::newRow("third choice, dotted, up") << 3 << QPoint(300, 400) << QPoint(300, 200) << QRect(295, 240, 10, 130);
    QTest::newRow("third choice, dotted, to the left")
        << 3 << QPoint(400, 300) << QPoint(200, 300) << QRect(240, 295, 130, 10);
}

// On a picture for a screen with 2 pixels to each coordinate, the lines are
// written straight into the pixels as on a plain picture: each covers the
// squares of the pixels the plain line paints, its dots included.
void TestDGraphSoc::denseLinesCoverThePlainOnes()
{
    QFETCH(int, rank);
    QFETCH(QPoint, from);
    QFETCH(QPoint, to);
    QFETCH(QRect, area);
    Fixture f;
    f.test.answ.num.SetValue(3, false);
    f.Square(1, from.x(), from.y());
    f.Square(2, to.x(), to.y());
    f.test.desi.SetDesi(1, rank, 1, 2);
    f.Draw();
    const QImage plain = f.picture.copy();
    QImage dense;
    {
        const DPicture::Ratio ratio(2.0);
        f.graph.soc.Draw(f.test.subj.List(), dense);
    }
    QCOMPARE(dense.devicePixelRatio(), 2.0);
    int line = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
        {
            const QRgb colour = plain.pixel(x, y) | 0xFF000000u;
            line += colour == kGreen ? 1 : 0;
            for (int k = 0; k < 4; ++k)
                QCOMPARE(dense.pixel(2 * x + k % 2, 2 * y + k / 2) | 0xFF000000u, colour);
        }
    QVERIFY(line >= 40);
}

void TestDGraphSoc::selfChoiceLeavesPictureWhite()
{
    Fixture f;
    f.Draw();
    QCOMPARE(f.At(0, 300), kBlack);
    f.test.desi.SetDesi(2, 1, 3, 3);
    QCOMPARE(ErrorOf([&] { f.Draw(); }), DLanguage::Active().GetMsg(50090, {3}));
    QCOMPARE(f.picture.size(), QSize(802, 606 + 5 * f.graph.soc.TextHeight()));
    for (QPoint p : {QPoint(0, 300), QPoint(48, 48), QPoint(400, 601), QPoint(50, 653)})
        QCOMPARE(f.At(p.x(), p.y()), kWhite);
}

void TestDGraphSoc::pictureSize_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("stored");

    QTest::newRow("below") << "399" << 800;
    QTest::newRow("lowest") << "400" << 400;
    QTest::newRow("highest") << "4000" << 4000;
    QTest::newRow("above") << "4001" << 800;
    QTest::newRow("not a number") << "12a" << 800;
    QTest::newRow("empty") << "" << 800;
}

void TestDGraphSoc::pictureSize()
{
    QFETCH(QString, text);
    QFETCH(int, stored);
    DGraphSocSize size;
    const bool accepted = stored != 800;
    QCOMPARE(ErrorOf([&] { size.UpdateWidth(text); }),
             accepted ? QString() : DLanguage::Active().GetMsg(50080, {400, 4000}));
    QCOMPARE(size.Width(), stored);
    QCOMPARE(size.IsChangedByUser(), accepted);
}

void TestDGraphSoc::pictureSizeFields()
{
    Fixture f;
    f.graph.soc.size.UpdateWidth(QStringLiteral("1000"));
    QCOMPARE(ErrorOf([&] { f.graph.soc.size.UpdateHeight(QStringLiteral("70x")); }),
             DLanguage::Active().GetMsg(50080, {400, 4000}));
    QCOMPARE(f.graph.soc.size.Width(), 1000); // the accepted width stays
    QCOMPARE(f.graph.soc.size.Height(), 600);
    QVERIFY(f.graph.IsChangedByUser());

    f.graph.soc.size.UpdateHeight(QStringLiteral("700"));
    f.Draw();
    QCOMPARE(f.picture.size(), QSize(1002, 706 + 5 * f.graph.soc.TextHeight()));
}

void TestDGraphSoc::optionCombos()
{
    Fixture f;
    f.graph.soc.subjDim.SetValue(1, false);
    QCOMPARE(f.graph.soc.subjDim.Texts(),
             (QStringList{DLanguage::Active().GetStr(24220), DLanguage::Active().GetStr(24230)}));
    QVERIFY(!f.graph.IsChangedByUser());

    f.graph.soc.subjDim.Choose(0);
    QCOMPARE(f.graph.soc.subjDim.Get(), 48);
    QVERIFY(f.graph.IsChangedByUser());

    // The connection mode while moving is stored with the test: a change.
    Fixture g;
    g.graph.soc.elas.Choose(1);
    QVERIFY(!g.graph.soc.elas.IsComplete());
    QVERIFY(g.graph.IsChangedByUser());
}

KC_TEST_MAIN(TestDGraphSoc)
#include "test_DGraphSoc.moc"
