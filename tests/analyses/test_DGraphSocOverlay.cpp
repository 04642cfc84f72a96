#include "analyses/DGraph.h"
#include "analyses/DGraphSocOverlay.h"
#include "analyses/DPicture.h"
#include "document/DTest.h"
#include "subjects/DSubjElem.h"
#include "tests/TestSupport.h"

namespace
{
// Ten subjects on their grid, with lines that cross each other, a circle,
// and subject 5 over subject 2 and its lines.
void BuildCrossings(DTest& test)
{
    const int choices[][3] = {{1, 1, 9}, {1, 2, 5}, {2, 1, 4}, {2, 2, 8}, {3, 1, 7}, {3, 2, 1},
                              {4, 1, 2}, {6, 1, 3}, {7, 1, 5}, {8, 1, 2}, {9, 1, 1}, {10, 1, 6}};
    for (const auto& c : choices)
        test.desi.SetDesi(1, c[1], c[0], c[2]);
    for (DSubjElem& s : test.subj.List().Get())
        s.sex.SetValue(1, false);
    test.subj.List().Get()[2].sex.SetFemale();
    test.subj.List().Get()[4].soci.acceptance.Set(false, 170, 70);
}
} // namespace

// The overlay of the subject under the mouse or being dragged, on pictures
// as dense as the screen's.
class TestDGraphSocOverlay : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void stepsRepaintLikeAFullDrawing_data();
    void stepsRepaintLikeAFullDrawing();
};

void TestDGraphSocOverlay::stepsRepaintLikeAFullDrawing_data()
{
    QTest::addColumn<qreal>("ratio");
    QTest::addColumn<bool>("drag");
    QTest::addColumn<int>("elas");
    QTest::newRow("hover, plain") << 1.0 << false << 0;
    QTest::newRow("hover, ratio 2") << 2.0 << false << 0;
    QTest::newRow("hover, ratio 1.5") << 1.5 << false << 0;
    QTest::newRow("drag, ratio 2") << 2.0 << true << 0;
    QTest::newRow("drag elastic, ratio 2") << 2.0 << true << 1;
    QTest::newRow("drag, ratio 1.5") << 1.5 << true << 0;
}

// A hover change or a drag step copies back only the strips the last overlay
// covered, which on a dense picture are strips of its finer pixels; the
// result must be the picture a full drawing gives, pixel for pixel.
void TestDGraphSocOverlay::stepsRepaintLikeAFullDrawing()
{
    QFETCH(qreal, ratio);
    QFETCH(bool, drag);
    QFETCH(int, elas);
    DTest test;
    BuildCrossings(test);
    DGraphSoc& soc = test.graph.soc;
    soc.elas.SetValue(elas, false);
    std::vector<DSubjElem>& subjects = test.subj.List().Get();
    const DPicture::Ratio dense(ratio);

    QImage picture;
    soc.Draw(test.subj.List(), picture);
    QCOMPARE(picture.devicePixelRatio(), ratio);
    DGraphSocOverlay overlay;
    soc.Sel().New(subjects[1]);
    if (drag)
    {
        // The background leaves the dragged box out, as the page draws it.
        soc.Sel().MoveStart(0, 0);
        soc.Draw();
    }
    overlay.Draw(picture, soc);
    // Several steps, so that each one repairs what the one before drew: a
    // hover goes to subjects 5 (over 2), 1 and 10, a drag to three places.
    const QPoint places[] = {{300, 210}, {410, 95}, {233, 377}};
    const std::size_t hovered[] = {4, 0, 9};
    for (int k = 0; k < 3; ++k)
    {
        overlay.Restore(picture, soc.Bitmap());
        if (drag)
            soc.SubjOrig(subjects[1]).Set(true, places[k].x(), places[k].y());
        else
            soc.Sel().New(subjects[hovered[k]]);
        overlay.Draw(picture, soc);
    }
    const QImage stepped = picture.copy();
    QVERIFY(!overlay.Area().isEmpty());

    QImage full;
    soc.Draw(test.subj.List(), full);
    DGraphSocOverlay fresh;
    fresh.Draw(full, soc);
    QCOMPARE(stepped.size(), full.size());
    QVERIFY(stepped == full);
}

KC_TEST_MAIN(TestDGraphSocOverlay)
#include "test_DGraphSocOverlay.moc"
