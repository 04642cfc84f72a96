#include "analyses/DGraph.h"
#include "analyses/DGraphPainting.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "export/DPictureFile.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraphSoc.h"
#include "subjects/DSubjElem.h"
#include "tests/TestScaledMain.h"
#include "tests/TestSupport.h"

#include <QApplication>
#include <QClipboard>
#include <QMouseEvent>
#include <QToolButton>

namespace
{
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kTurquoise = qRgb(175, 238, 238);

// The class of 24 in squares on its grid, on the sociogram page; and the
// plain 96-dpi picture of the same test that never met a page.
struct Page
{
    DLanguage language{DLanguage::English};
    DTest test;
    DTest twin;
    TFormGraphSoc page{test, language};
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;

    Page()
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        for (DTest* t : {&test, &twin})
        {
            BuildClassTest(*t);
            for (DSubjElem& s : t->subj.List().Get())
                s.sex.SetValue(1, false);
        }
        page.resize(1100, 800);
        page.show();
    }
    QImage Plain()
    {
        QImage plain;
        twin.graph.soc.Draw(plain);
        return plain;
    }
    QWidget* Image() { return page.Image; }
    const QImage& Picture() const { return page.Image->Picture(); }
    // The colour at a point of the sociogram's own 96-dpi coordinates.
    QRgb At(QPoint p) const { return Picture().pixel(p * 2) | 0xFF000000u; }
    QPoint Centre(int id) const { return test.graph.soc.SubjOrigGet(test.subj.List().Get()[std::size_t(id - 1)]); }
    void Move(QPoint p)
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(Image()->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(Image(), &move);
    }
};
} // namespace

// The sociogram page on a screen with a device pixel ratio of 2 (the whole
// program runs scaled, as on a high-density screen).
class TestTFormGraphSocRatio : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void screenIsDenseCopiesStayPlain();
    void mouseWorksInPictureCoordinates();
};

// The screen gets a drawing with twice the pixels; the clipboard and the
// PNG file get the 96-dpi picture of the same test, pixel for pixel, without
// the pin marks and the focus the screen shows.
void TestTFormGraphSocRatio::screenIsDenseCopiesStayPlain()
{
    Page f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    QCOMPARE(f.page.devicePixelRatioF(), 2.0);
    f.page.Draw();
    const QImage plain = f.Plain();
    QCOMPARE(f.Picture().devicePixelRatio(), 2.0);
    QCOMPARE(f.Picture().size(), plain.size() * 2);
    QCOMPARE(f.Image()->size(), plain.size());
    // What the widget paints is the dense picture, each pixel in its place.
    QImage shown = f.Image()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QVERIFY(shown == f.Picture());

    const QPoint five = f.Centre(5);
    QTest::mouseDClick(f.Image(), Qt::LeftButton, {}, five);
    QVERIFY(f.test.Pins().Is(true, 5));
    const QPoint mark = five + QPoint(f.test.graph.soc.subjDim.Get() / 2 - 6, -f.test.graph.soc.subjDim.Get() / 2 + 5);
    QCOMPARE(f.At(mark), kBlack);
    f.Move(f.Centre(9));
    QTest::mousePress(f.Image(), Qt::LeftButton, {}, f.Centre(9));
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, f.Centre(9));
    QCOMPARE(f.test.graph.soc.focus, 9);
    f.Move({2, 2}); // off every box, as the mouse goes to the copy button

    QGuiApplication::clipboard()->clear();
    f.page.ClipExpSb->click();
    QVERIFY2(f.errors.isEmpty(), qPrintable(f.errors.join(u'\n')));
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), plain);
    // The screen keeps its dense picture, marks and focus.
    QCOMPARE(f.Picture().devicePixelRatio(), 2.0);
    QCOMPARE(f.At(mark), kBlack);
    QCOMPARE(f.test.graph.soc.focus, 9);

    const auto png = [](DTest& test)
    {
        return DPictureFile::Bytes(DPictureFile::Format::Png,
                                   DGraphPainting::Of(DGraphPainting::Analysis::Sociogram, test.graph));
    };
    QCOMPARE(png(f.test), png(f.twin));
    QVERIFY(f.errors.isEmpty());
}

// Hit-testing, dragging and the overlay take the mouse in the sociogram's
// own coordinates, whatever the density of the picture: a drag ends where
// it would on a plain screen, and leaves the picture a full drawing gives.
void TestTFormGraphSocRatio::mouseWorksInPictureCoordinates()
{
    Page f;
    QVERIFY(QTest::qWaitForWindowExposed(&f.page));
    f.page.Draw();
    const QPoint two = f.Centre(2);
    f.Move(two + QPoint(6, 2));
    QVERIFY(f.test.graph.soc.Sel().ThereIs());
    QCOMPARE(f.test.graph.soc.Sel().Get().id.GetValue(), 2);
    QCOMPARE(f.At(two - QPoint(24, 0)), kGrey); // the outline, in the dense picture

    QTest::mousePress(f.Image(), Qt::LeftButton, {}, two + QPoint(6, 2));
    for (const QPoint& p : {QPoint(200, 120), QPoint(420, 333), QPoint(306, 202)})
        QTest::mouseMove(f.Image(), p);
    QTest::mouseRelease(f.Image(), Qt::LeftButton, {}, QPoint(306, 202));
    QCOMPARE(f.Centre(2), QPoint(300, 200));
    QCOMPARE(f.At(QPoint(300 - 20, 200 - 20)), kTurquoise);
    const QImage dragged = f.Picture().copy();
    f.page.Draw();
    QCOMPARE(f.Picture().devicePixelRatio(), 2.0);
    QVERIFY(dragged == f.Picture());
    QVERIFY(f.errors.isEmpty());
}

KC_TEST_MAIN_SCALED(TestTFormGraphSocRatio, "2")

#include "test_TFormGraphSocRatio.moc"
