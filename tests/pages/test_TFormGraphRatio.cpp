#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraphBar.h"
#include "pages/TFormGraphMet.h"
#include "pages/TFormGraphTar.h"
#include "tests/TestScaledMain.h"
#include "tests/TestSupport.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QToolButton>

// The analysis pages on a screen with a device pixel ratio of 2 (the whole
// program runs scaled, as on a high-density screen).
class TestTFormGraphRatio : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void screenPictureIsDenseFilesStayPlain_data();
    void screenPictureIsDenseFilesStayPlain();
    void largePicturesStayAtRatioOne_data();
    void largePicturesStayAtRatioOne();
};

void TestTFormGraphRatio::screenPictureIsDenseFilesStayPlain_data()
{
    QTest::addColumn<int>("page");
    QTest::newRow("bar graph") << 0;
    QTest::newRow("target graph") << 1;
    QTest::newRow("metrics") << 2;
}

// The screen gets a drawing with twice the pixels, made anew rather than
// scaled; the picture the clipboard, the files and the export take is the
// plain 96-dpi drawing, pixel for pixel.
void TestTFormGraphRatio::screenPictureIsDenseFilesStayPlain()
{
    QFETCH(int, page);
    DLanguage language(DLanguage::English);
    DTest test;
    DMessages::RealBoxesOnExit realBoxes;
    QStringList errors;
    DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
    test.subj.List().SetSize(4, false);
    test.desi.SetDesi(1, 1, 2, 1);
    test.desi.SetDesi(1, 1, 3, 1);
    test.desi.SetDesi(1, 1, 1, 4);

    TFormGraphBar bar(test, language);
    TFormGraphTar tar(test, language);
    TFormGraphMet met(test, language);
    TFormGraph* const pages[] = {&bar, &tar, &met};
    TFormGraph& form = *pages[page];
    form.resize(900, 700);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.devicePixelRatioF(), 2.0);
    // Beside the categories panel the diagram is scaled to its room; alone it
    // shows at its own size.
    if (page == 1 && tar.CatSb->isChecked())
        tar.CatSb->click();
    form.Draw();
    QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));

    QImage plain;
    if (page == 0)
        test.graph.bar.Draw(plain);
    else if (page == 1)
        test.graph.tar.Draw(plain);
    else
        test.graph.met.Draw(plain);
    QCOMPARE(form.Picture().devicePixelRatio(), 1.0);
    QCOMPARE(form.Picture(), plain);

    const QImage shown = form.Image->pixmap().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.devicePixelRatio(), 2.0);
    QCOMPARE(shown.size(), plain.size() * 2);
    QCOMPARE(form.Image->size(), plain.size());
    QImage doubled = plain.scaled(plain.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    doubled.setDevicePixelRatio(2.0);
    QVERIFY(shown != doubled);

    QGuiApplication::clipboard()->clear();
    form.ClipExpSb->click();
    QCOMPARE(QGuiApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32), plain);
}

void TestTFormGraphRatio::largePicturesStayAtRatioOne_data()
{
    QTest::addColumn<QSize>("size");
    QTest::addColumn<qreal>("ratio");
    QTest::newRow("ordinary") << QSize(1000, 800) << 2.0;
    QTest::newRow("at the budget") << QSize(2000, 2000) << 2.0;
    QTest::newRow("just above") << QSize(2000, 2001) << 1.0;
    QTest::newRow("largest sociogram") << QSize(4000, 4000) << 1.0;
}

void TestTFormGraphRatio::largePicturesStayAtRatioOne()
{
    QFETCH(QSize, size);
    QFETCH(qreal, ratio);
    QWidget widget;
    widget.show();
    QVERIFY(QTest::qWaitForWindowExposed(&widget));
    QCOMPARE(TFormGraph::ScreenRatio(widget, size), ratio);
}

KC_TEST_MAIN_SCALED(TestTFormGraphRatio, "2")

#include "test_TFormGraphRatio.moc"
