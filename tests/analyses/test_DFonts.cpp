#include "analyses/DPicture.h"
#include "tests/TestSupport.h"

#include <QFontInfo>
#include <QPainter>

class TestDFonts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pictureFontHasTheReferenceLineHeights_data()
    {
        QTest::addColumn<int>("points");
        QTest::addColumn<int>("height");
        QTest::newRow("8 pt") << 8 << 13;
        QTest::newRow("9 pt") << 9 << 14;
        QTest::newRow("12 pt") << 12 << 19;
    }
    void pictureFontHasTheReferenceLineHeights()
    {
        QFETCH(int, points);
        QFETCH(int, height);
        QCOMPARE(DPicture::LineHeight(DPicture::Font(points)), height);
    }

    void picturesAre96Dpi()
    {
        QImage image = DPicture::Make(10, 20);
        QCOMPARE(image.logicalDpiX(), 96);
        QCOMPARE(image.logicalDpiY(), 96);
        QCOMPARE(image.pixelColor(5, 5), QColor(Qt::white));
        QPainter painter(&image);
        painter.setFont(DPicture::Font(8));
        const QString family = QFontInfo(painter.font()).family();
        QVERIFY2(family == QLatin1String("Tahoma") || family == QLatin1String("DejaVu Sans"), qPrintable(family));
    }
};

KC_TEST_MAIN(TestDFonts)
#include "test_DFonts.moc"
