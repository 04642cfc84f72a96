#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "kit/DMessages.h"
#include "lang/DLanguage.h"
#include "model/DFileWriter.h"
#include "pages/TFormGraphBar.h"
#include "pages/TFormGraphMet.h"
#include "pages/TFormGraphSoc.h"
#include "pages/TFormGraphTar.h"
#include "pages/TGraphOutput.h"
#include "tests/TestSupport.h"

#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QToolButton>

#include <cerrno>

namespace
{
// The four analysis pages over a class of 24, shown, with every error box
// answered by the test.
struct Pages
{
    DLanguage language;
    DTest test;
    QStringList errors;
    DMessages::RealBoxesOnExit realBoxes;
    TFormGraphBar bar{test, language};
    TFormGraphTar tar{test, language};
    TFormGraphSoc soc{test, language};
    TFormGraphMet met{test, language};

    explicit Pages(int lang = DLanguage::English) : language(lang)
    {
        DMessages::SetErrorBox([this](const QString&, const QString& text) { errors << text; });
        BuildClassTest(test);
        test.subj.Description().SetText(QStringLiteral("Classe 3B"));
        for (QWidget* page : std::initializer_list<QWidget*>{&bar, &tar, &soc, &met})
        {
            page->resize(900, 700);
            page->show();
        }
    }
    TGraphOutput& Output(int index)
    {
        TGraphOutput* outputs[] = {bar.Output, tar.Output, soc.Output, met.Output};
        return *outputs[index];
    }
};

QSizeF MediaBox(const QByteArray& pdf)
{
    const QRegularExpressionMatch match =
        QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]")).match(QString::fromLatin1(pdf));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}
} // namespace

class TestTGraphOutput : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pages_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<bool>("landscape");
        QTest::newRow("bar graph") << 0 << true;
        QTest::newRow("target diagram") << 1 << false;
        QTest::newRow("sociogram") << 2 << true;
        QTest::newRow("metric table") << 3 << true;
    }

    // Print... on every page: a PDF printer gets one page, turned to the
    // picture's shape, and the picture is drawn as vectors.
    void printsOnePage_data() { pages_data(); }
    void printsOnePage()
    {
        QFETCH(int, page);
        QFETCH(bool, landscape);
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("printed.pdf"));
        Pages p;
        TGraphOutput& output = p.Output(page);
        bool previewed = false;
        output.SetPrintDialog(
            [&](QPrinter& printer)
            {
                previewed = true;
                printer.setOutputFormat(QPrinter::PdfFormat);
                printer.setOutputFileName(file);
                output.PrintTo(printer);
            });
        QTest::mouseClick(output.PrintSb, Qt::LeftButton);
        QVERIFY(previewed);
        QCOMPARE(p.errors, QStringList());
        const QByteArray pdf = TestSupport::ReadFile(file);
        QCOMPARE(TestSupport::PdfPageCount(pdf), 1);
        QVERIFY(!pdf.contains("/Subtype /Image"));
        const QSizeF box = MediaBox(pdf);
        QVERIFY(!box.isEmpty());
        QCOMPARE(box.width() > box.height(), landscape);
    }

    // Save picture as... writes the format the name asks for, with nothing
    // shown but the dialog.
    void savesByExtension_data()
    {
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("bar as PNG") << 0 << "bar.png" << QByteArray("\x89PNG");
        QTest::newRow("target as SVG") << 1 << "target.svg" << QByteArray("<?xml");
        QTest::newRow("sociogram as PDF") << 2 << "socio.PDF" << QByteArray("%PDF-");
        QTest::newRow("metrics as SVG") << 3 << "table.Svg" << QByteArray("<?xml");
    }
    void savesByExtension()
    {
        QFETCH(int, page);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir dir;
        Pages p;
        const QString path = dir.filePath(name);
        p.Output(page).SetSaveDialog([&] { return path; });
        QTest::mouseClick(p.Output(page).SavePicSb, Qt::LeftButton);
        QCOMPARE(p.errors, QStringList());
        const QByteArray bytes = TestSupport::ReadFile(path);
        QVERIFY(bytes.startsWith(start));
        if (start == "<?xml")
            QVERIFY(bytes.contains("Classe 3B"));
        if (start == "\x89PNG")
        {
            // The caption lies below the picture as on paper: the file is
            // taller than the page's own picture.
            const QImage saved = QImage::fromData(bytes, "PNG");
            QVERIFY(saved.height() > p.bar.Picture().height());
        }
    }

    // A write the system refuses names the file and the reason, and leaves
    // what was there.
    void saveFailuresNameFileAndReason()
    {
        QTemporaryDir dir;
        Pages p;
        TGraphOutput& output = p.Output(0);
        QString answer = dir.filePath(QStringLiteral("missing/bar.svg"));
        output.SetSaveDialog([&] { return answer; });
        QTest::mouseClick(output.SavePicSb, Qt::LeftButton);
        QCOMPARE(p.errors, QStringList{QStringLiteral("Cannot write \"%1\": No such file or directory").arg(answer)});

        p.errors.clear();
        answer = dir.filePath(QStringLiteral("earlier.pdf"));
        TestSupport::WriteFile(answer, "an earlier picture");
        {
            DFileWriter::Fault full(DFileWriter::Step::Write, ENOSPC);
            QTest::mouseClick(output.SavePicSb, Qt::LeftButton);
        }
        QCOMPARE(p.errors, QStringList{QStringLiteral("Cannot write \"%1\": No space left on device").arg(answer)});
        QCOMPARE(TestSupport::ReadFile(answer), QByteArray("an earlier picture"));

        p.errors.clear();
        const QString folder = dir.filePath(QStringLiteral("sealed"));
        TestSupport::ReadOnlyFolder sealed(folder);
        if (!sealed.Seal())
            QSKIP("this process can make no read-only folder");
        answer = QDir(folder).filePath(QStringLiteral("bar.png"));
        QTest::mouseClick(output.SavePicSb, Qt::LeftButton);
        QCOMPARE(p.errors.size(), 1);
        QVERIFY2(p.errors.first().startsWith(QStringLiteral("Cannot write \"%1\": ").arg(answer)),
                 qPrintable(p.errors.first()));
        QVERIFY(!QFile::exists(answer));
    }

    // A cancelled dialog writes nothing and says nothing; a test the
    // analysis refuses says why before any dialog opens.
    void cancelAndRefusal()
    {
        QTemporaryDir dir;
        Pages p;
        bool asked = false;
        p.bar.Output->SetSaveDialog(
            [&]
            {
                asked = true;
                return QString();
            });
        QTest::mouseClick(p.bar.Output->SavePicSb, Qt::LeftButton);
        QVERIFY(asked);
        QCOMPARE(p.errors, QStringList());
        QVERIFY(QDir(dir.path()).isEmpty());

        p.test.desi.SetDesi(1, 1, 2, 2); // a subject choosing itself
        bool previewed = false;
        p.bar.Output->SetPrintDialog([&](QPrinter&) { previewed = true; });
        QTest::mouseClick(p.bar.Output->PrintSb, Qt::LeftButton);
        QVERIFY(!previewed);
        QCOMPARE(p.errors, QStringList{p.language.GetErr(50090, {2})});
    }

    void hintsInBothLanguages()
    {
        Pages p(DLanguage::Italian);
        QCOMPARE(p.met.Output->PrintSb->toolTip(), p.language.GetStr(28100));
        QVERIFY(p.met.Output->PrintSb->toolTip().startsWith(QStringLiteral("Stampa")));
        p.language.SetLanguage(DLanguage::English);
        p.soc.ViewDesc();
        QCOMPARE(p.soc.Output->SavePicSb->toolTip(), DLanguage::GetStrEng(28110));
        // Below the metric table's export button, not on it.
        QVERIFY(p.met.Output->PrintSb->geometry().top() >= p.met.FileExpSb->geometry().bottom());
    }
};

KC_TEST_MAIN(TestTGraphOutput)
#include "test_TGraphOutput.moc"
