#include "analyses/DGraph.h"
#include "analyses/DGraphPainting.h"
#include "analyses/DGraphTarCriteria.h"
#include "analyses/DGraphTarStat.h"
#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "export/DPictureFile.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QImage>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

namespace
{
using Analysis = DGraphPainting::Analysis;
using Format = DPictureFile::Format;

const QString kDescription = QStringLiteral("Classe 3ª B <pomeriggio> & amici");

// The class of 24 with names, one of them with a letter beyond ASCII, and a
// description that XML must escape.
void BuildNamedClass(DTest& test)
{
    BuildClassTest(test);
    for (qint32 i = 0; i < test.subj.List().GetSize(); ++i)
    {
        DSubjElem& subject = test.subj.List().GetSelected(i);
        subject.appe.Surname().SetText(i == 0 ? QStringLiteral("Niccolò") : QStringLiteral("Sur%1").arg(i + 1));
        subject.appe.Name().SetText(QStringLiteral("Name%1").arg(i + 1));
    }
    test.subj.Description().SetText(kDescription);
}

// Every text of an SVG document, in order; fails the test on malformed XML.
QStringList SvgTexts(const QByteArray& svg, bool* hasImage = nullptr)
{
    QStringList texts;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
    {
        xml.readNext();
        if (xml.isStartElement() && xml.name() == QLatin1String("text"))
            texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        else if (xml.isStartElement() && xml.name() == QLatin1String("image") && hasImage)
            *hasImage = true;
    }
    if (xml.hasError())
        qWarning() << xml.errorString() << xml.lineNumber();
    return xml.hasError() ? QStringList{QStringLiteral("malformed")} : texts;
}

} // namespace

class TestDPictureFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void formatFollowsTheExtension_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<int>("format");
        QTest::newRow("svg") << "a/class.svg" << int(Format::Svg);
        QTest::newRow("SVG in capitals") << "class.SVG" << int(Format::Svg);
        QTest::newRow("pdf mixed case") << "class.Pdf" << int(Format::Pdf);
        QTest::newRow("png") << "class.png" << int(Format::Png);
        QTest::newRow("no extension") << "class" << int(Format::Png);
        QTest::newRow("svg only in the folder") << "pictures.svg/class.jpg" << int(Format::Png);
        QTest::newRow("pdf inside the name") << "class.pdf.png" << int(Format::Png);
    }
    void formatFollowsTheExtension()
    {
        QFETCH(QString, path);
        QFETCH(int, format);
        QCOMPARE(int(DPictureFile::FormatOf(path)), format);
    }

    void analyses_data()
    {
        QTest::addColumn<int>("analysis");
        QTest::newRow("bar") << int(Analysis::Bar);
        QTest::newRow("target") << int(Analysis::Target);
        QTest::newRow("sociogram") << int(Analysis::Sociogram);
        QTest::newRow("metrics") << int(Analysis::Metrics);
    }

    // The file surfaces paint what the screen shows: on an image, without a
    // caption, the painting gives the page's picture pixel for pixel.
    void rasterPaintingIsThePagePicture_data() { analyses_data(); }
    void rasterPaintingIsThePagePicture()
    {
        QFETCH(int, analysis);
        DTest test;
        BuildNamedClass(test);
        QImage screen = QImage(1000, 1000, QImage::Format_RGB32);
        switch (Analysis(analysis))
        {
        case Analysis::Bar:
            test.graph.bar.Draw(screen);
            break;
        case Analysis::Target:
            test.graph.tar.Draw(screen);
            break;
        case Analysis::Sociogram:
            test.graph.soc.Draw(screen);
            break;
        case Analysis::Metrics:
            test.graph.met.Draw(screen);
            break;
        }
        screen = screen.copy(); // the sociogram's picture shares its bitmap
        const QByteArray png = DPictureFile::Bytes(Format::Png, DGraphPainting::Of(Analysis(analysis), test.graph));
        const QImage file = QImage::fromData(png, "PNG").convertToFormat(screen.format());
        QCOMPARE(file.size(), screen.size());
        QVERIFY(file == screen);
    }

    // SVG is well-formed XML drawn in shapes and texts, with every subject's
    // number and the caption's description as text.
    void svgHoldsLabelsAndCaption_data() { analyses_data(); }
    void svgHoldsLabelsAndCaption()
    {
        QFETCH(int, analysis);
        DTest test;
        BuildNamedClass(test);
        const QStringList caption = DGraphPainting::CaptionLines(Analysis(analysis), test.graph,
                                                                 QStringLiteral("/tmp/3B.KalCir"), QDate(2026, 12, 11));
        const QByteArray svg =
            DPictureFile::Bytes(Format::Svg, DGraphPainting::Of(Analysis(analysis), test.graph).WithCaption(caption));
        bool hasImage = false;
        const QStringList texts = SvgTexts(svg, &hasImage);
        QVERIFY(!texts.contains(QStringLiteral("malformed")));
        QVERIFY2(!hasImage, "a vector picture holds no bitmap");
        for (qint32 id = 1; id <= 24; ++id)
            QVERIFY2(texts.contains(QString::number(id)), qPrintable(QString::number(id)));
        const QString all = texts.join(QLatin1Char(' '));
        QVERIFY(all.contains(kDescription));
        QVERIFY(all.contains(QStringLiteral("3B.KalCir")));
        if (Analysis(analysis) == Analysis::Metrics)
            QVERIFY(texts.contains(QStringLiteral("Niccolò")));
    }

    // Texts a file holds with characters that XML forbids or that are no
    // characters at all (their SVG would not open) are drawn without them;
    // line breaks, which XML allows, may stay.
    void svgOfForbiddenCharactersIsValidXml_data() { analyses_data(); }
    void svgOfForbiddenCharactersIsValidXml()
    {
        QFETCH(int, analysis);
        const QString pair = QString::fromUtf16(u"\U0001F600");
        const QStringList texts{
            QString::fromUtf16(u"Nic\uFFFEcol\u0001\u00F2") + QChar(0xD800),
            QString::fromUtf16(u"An\uFFFFna\uFDD0\U0010FFFF") + QChar(0xDC00) + pair,
            QString::fromUtf16(u"Classe\u001B 3B\r\n\uFFFE\u0008pomeriggio"),
            QString::fromUtf16(u"Chi\u0000 inviti?\uFFFF"),
        };
        QTemporaryDir dir;
        DTest source;
        BuildNamedClass(source);
        DElemString* const elements[] = {&source.subj.List().GetSelected(0).appe.Surname(),
                                         &source.subj.List().GetSelected(0).appe.Name(), &source.subj.Description(),
                                         &source.ques.List().GetSelected(0).text};
        // Placeholders of the same lengths leave every section where it is.
        for (qsizetype i = 0; i < texts.size(); ++i)
            elements[i]->SetText(QString(texts[i].size(), QChar(char16_t(u'V' + i))));
        QByteArray bytes = source.file.ToBytes();
        for (qsizetype i = 0; i < texts.size(); ++i)
        {
            const QByteArray placeholder = TestSupport::Utf16(QString(texts[i].size(), QChar(char16_t(u'V' + i))));
            QCOMPARE(bytes.count(placeholder), 1);
            bytes.replace(placeholder, TestSupport::Utf16(texts[i]));
        }
        // The file's own name reaches the caption: a control character is
        // as much at home in it as in a name.
        const QString input = dir.filePath(QString::fromUtf16(u"3B\u0001.KalCir"));
        TestSupport::WriteFile(input, bytes);

        DExport::Request request;
        request.kind = DExport::Kind(analysis); // the analyses come first, in the same order
        request.input = input;
        request.output = dir.filePath(QStringLiteral("picture.svg"));
        DTest test;
        DExport::Run(request, test);
        const QStringList svg = SvgTexts(TestSupport::ReadFile(request.output));
        QVERIFY(!svg.contains(QStringLiteral("malformed")));
        const QString all = svg.join(QLatin1Char(' '));
        QVERIFY2(all.contains(QStringLiteral("pomeriggio")), qPrintable(all));
        if (Analysis(analysis) == Analysis::Metrics)
        {
            QVERIFY2(svg.contains(QString::fromUtf16(u"Niccol\u00F2\uFFFD")), qPrintable(all));
            QVERIFY2(svg.contains(QString::fromUtf16(u"Anna\uFFFD") + pair), qPrintable(all));
        }
    }

    // What the caption says, in both languages: the analysis, its options in
    // words, the file and the date; the target diagram adds its criteria.
    void captionInWords_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<int>("analysis");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("bar, English") << int(DLanguage::English) << int(Analysis::Bar)
                                      << QStringList{kDescription,
                                                     "Analysis: Bar graph; File: 3B.KalCir; Date: 11/12/2026",
                                                     "Questions counted: 1, 2, 3, 4; Height of bars: Total selections; "
                                                     "Ordering subjects: As in the list; Scale of bars: 1:1"};
        QTest::newRow("sociogram, Italian")
            << int(DLanguage::Italian) << int(Analysis::Sociogram)
            << QStringList{kDescription, "Analisi: Sociogramma; File: 3B.KalCir; Data: 11/12/26",
                           "Domande conteggiate: 1, 2; Tipo: Accettazione"};
        QTest::newRow("metrics, English")
            << int(DLanguage::English) << int(Analysis::Metrics)
            << QStringList{kDescription, "Analysis: Metrics; File: 3B.KalCir; Date: 11/12/2026",
                           "Questions counted: 1, 2, 3, 4; Ordering subjects: As in the list"};
    }
    void captionInWords()
    {
        QFETCH(int, language);
        QFETCH(int, analysis);
        QFETCH(QStringList, expected);
        DLanguage lang(language);
        DTest test;
        BuildNamedClass(test);
        QCOMPARE(DGraphPainting::CaptionLines(Analysis(analysis), test.graph, QStringLiteral("/x/3B.KalCir"),
                                              QDate(2026, 12, 11)),
                 expected);
    }

    void captionOfTheTargetStatesItsCriteria()
    {
        DTest test;
        BuildNamedClass(test);
        const QStringList lines =
            DGraphPainting::CaptionLines(Analysis::Target, test.graph, QString(), QDate(2026, 12, 11));
        QCOMPARE(lines.value(1), QStringLiteral("Analysis: Target graph; File: not saved; Date: 11/12/2026"));
        QCOMPARE(lines.value(2), QStringLiteral("Questions counted: 1, 2, 3, 4; Subjects and categories: "
                                                "Frequency of positive questions"));
        QCOMPARE(lines.mid(3), DGraphTarCriteria::Lines(DGraphTarStat::Frequency));
    }

    void pdfIsOneVectorPage()
    {
        DTest test;
        BuildNamedClass(test);
        const DGraphPainting painting = DGraphPainting::Of(Analysis::Sociogram, test.graph);
        const QByteArray pdf = DPictureFile::Bytes(Format::Pdf, painting, QStringLiteral("Sociogram"));
        QVERIFY(pdf.startsWith("%PDF-"));
        QCOMPARE(TestSupport::PdfPageCount(pdf), 1);
        QVERIFY(!pdf.contains("/Subtype /Image"));
        // The page is the picture's size: 72 points to 96 pixels.
        const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
        const QRegularExpressionMatch match = box.match(QString::fromLatin1(pdf));
        QVERIFY(match.hasMatch());
        QVERIFY(qAbs(match.captured(1).toDouble() - painting.Size().width() * 0.75) < 1.5);
        QVERIFY(qAbs(match.captured(2).toDouble() - painting.Size().height() * 0.75) < 1.5);
    }

    // The command line writes SVG and PDF by the output's extension, with the
    // caption; any other name still gets the PNG of the picture alone.
    void commandLineChoosesByExtension_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("bar as SVG") << int(DExport::Kind::Bar) << "bar.SVG" << QByteArray("<?xml");
        QTest::newRow("target as PDF") << int(DExport::Kind::Target) << "target.pdf" << QByteArray("%PDF-");
        QTest::newRow("metrics as PNG") << int(DExport::Kind::Metrics) << "metrics.png" << QByteArray("\x89PNG");
        QTest::newRow("sociogram, other name") << int(DExport::Kind::Sociogram) << "socio.out" << QByteArray("\x89PNG");
    }
    void commandLineChoosesByExtension()
    {
        QFETCH(int, kind);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        QTemporaryDir dir;
        DTest source;
        BuildNamedClass(source);
        const QString input = dir.filePath(QStringLiteral("3B.KalCir"));
        source.file.Write(input);

        DExport::Request request;
        request.kind = DExport::Kind(kind);
        request.input = input;
        request.output = dir.filePath(name);
        DTest test;
        DExport::Run(request, test);
        const QByteArray bytes = TestSupport::ReadFile(request.output);
        QVERIFY(bytes.startsWith(start));
        if (start == "<?xml")
            QVERIFY(SvgTexts(bytes).join(QLatin1Char(' ')).contains(kDescription));
        if (start == "\x89PNG")
            QCOMPARE(bytes, DExport::Render(DExport::Kind(kind), test.graph));
    }
};

KC_TEST_MAIN(TestDPictureFile)
#include "test_DPictureFile.moc"
