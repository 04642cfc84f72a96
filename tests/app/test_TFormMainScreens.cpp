#include "app/TApplication.h"
#include "app/TFormMain.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "kit/TFormPage.h"
#include "lang/DLanguage.h"
#include "pages/TFormGraph.h"
#include "pages/TFormGraphSoc.h"
#include "tests/TestSupport.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>

namespace
{
// Where the two screens are described for the platform.
QString ScreensPath()
{
    return QDir::temp().filePath(QStringLiteral("kc-two-screens-%1.json").arg(QCoreApplication::applicationPid()));
}

// Two screens side by side, the second twice as dense: the toolkit's
// offscreen screens take their density from their dots per inch. It must be
// in place before the application exists, so it is written while the
// program's statics start.
bool TwoScreens()
{
    const QString path = ScreensPath();
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(R"({"screens": [
        {"name": "plain", "x": 0, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 96, "logicalBaseDpi": 96},
        {"name": "dense", "x": 1600, "y": 0, "width": 1600, "height": 1200, "logicalDpi": 192, "logicalBaseDpi": 96}
    ]})");
    return qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + QFile::encodeName(path));
}
[[maybe_unused]] const bool kTwoScreens = TwoScreens();

QScreen* Screen(const char* name)
{
    for (QScreen* screen : QGuiApplication::screens())
        if (screen->name() == QLatin1String(name))
            return screen;
    return nullptr;
}

// The density of the picture the page shows.
qreal ShownRatio(TFormPage* page)
{
    if (auto* soc = qobject_cast<TFormGraphSoc*>(page))
        return soc->Image->Picture().devicePixelRatio();
    return static_cast<TFormGraph*>(page)->Image->pixmap().devicePixelRatio();
}
} // namespace

class TestTFormMainScreens : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The platform read its screens as the application started.
    void initTestCase() { QFile::remove(ScreensPath()); }

    void pictureFollowsTheScreen_data()
    {
        QTest::addColumn<int>("tab");
        QTest::newRow("bar graph") << 3;
        QTest::newRow("target diagram") << 4;
        QTest::newRow("sociogram") << 5;
        QTest::newRow("metric table") << 6;
    }

    // Moved to a denser screen and back, the page's picture is drawn again
    // at each screen's density.
    void pictureFollowsTheScreen()
    {
        QFETCH(int, tab);
        QScreen* plain = Screen("plain");
        QScreen* dense = Screen("dense");
        if (!plain || !dense || dense->devicePixelRatio() != 2)
            QSKIP("the offscreen platform gave no screen of density 2");
        DLanguage lang(DLanguage::English);
        DTest test;
        BuildClassTest(test);
        DMessages::RealBoxesOnExit realBoxes;
        QStringList errors;
        DMessages::SetErrorBox([&](const QString&, const QString& text) { errors << text; });
        TApplication windows(test, lang);
        TFormMain& main = windows.FormMain();
        main.SetArguments({});
        windows.Show();
        QVERIFY(QTest::qWaitForWindowExposed(&main));
        main.windowHandle()->setScreen(plain);
        main.PageControl->setCurrentIndex(tab);
        TFormPage* page = main.PageList().at(tab);
        QCOMPARE(ShownRatio(page), 1.0);

        main.windowHandle()->setScreen(dense);
        QCOMPARE(main.devicePixelRatioF(), 2.0);
        QCOMPARE(ShownRatio(page), 2.0);
        main.windowHandle()->setScreen(plain);
        QCOMPARE(ShownRatio(page), 1.0);
        QVERIFY2(errors.isEmpty(), qPrintable(errors.join(QLatin1Char('\n'))));
    }
};

KC_TEST_MAIN(TestTFormMainScreens)
#include "test_TFormMainScreens.moc"
