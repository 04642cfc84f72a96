#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "export/DClassReport.h"
#include "export/DExport.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace
{
const QString kDescription = QStringLiteral("Classe 3ª B, anno 2026");

void BuildNamedClass(DTest& test)
{
    BuildClassTest(test);
    for (qint32 i = 0; i < test.subj.List().GetSize(); ++i)
    {
        DSubjElem& subject = test.subj.List().GetSelected(i);
        subject.appe.Surname().SetText(i == 0 ? QStringLiteral("Niccolò") : QStringLiteral("Surname%1").arg(i + 1));
        subject.appe.Name().SetText(QStringLiteral("Given%1").arg(i + 1));
    }
    test.subj.Description().SetText(kDescription);
    test.ques.List().GetSelected(0).text.SetText(QStringLiteral("Whom would you invite to your party?"));
}

// The text of a PDF as a reader finds it, page by page (form feeds between),
// every run of spaces and line breaks within a page read as one space.
QString PdfText(const QByteArray& pdf)
{
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return QStringLiteral("pdftotext (poppler-utils) is not installed");
    QProcess process;
    process.start(tool, {QStringLiteral("-"), QStringLiteral("-")});
    process.write(pdf);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    QStringList pages = QString::fromUtf8(process.readAllStandardOutput()).split(QLatin1Char('\f'));
    for (QString& page : pages)
        page = page.simplified();
    return pages.join(QLatin1Char('\f'));
}
} // namespace

class TestDClassReport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // The report's text can be searched: the description, the questions and
    // every subject's name, on a title page, a page for each analysis and
    // one for the categories.
    void reportHoldsItsTexts_data()
    {
        QTest::addColumn<int>("language");
        QTest::addColumn<QStringList>("headings");
        QTest::newRow("English") << int(DLanguage::English)
                                 << QStringList{"Class report", "Subjects by category", "A) Popular",
                                                "Subjects who received no acceptance"};
        QTest::newRow("Italian") << int(DLanguage::Italian)
                                 << QStringList{"Relazione sulla classe", "Soggetti per categoria", "A) Popolari",
                                                "Soggetti che non hanno ricevuto accettazioni"};
    }
    void reportHoldsItsTexts()
    {
        QFETCH(int, language);
        QFETCH(QStringList, headings);
        DLanguage lang(language);
        DTest test;
        BuildNamedClass(test);
        const QByteArray pdf = DClassReport::Pdf(test, QStringLiteral("/school/3B.KalCir"), QDate(2026, 12, 11));
        QVERIFY(pdf.startsWith("%PDF-"));
        QVERIFY(!pdf.contains("/Subtype /Image"));
        const QString text = PdfText(pdf);
        const QStringList pages = text.split(QLatin1Char('\f'), Qt::SkipEmptyParts);
        QCOMPARE(pages.size(), 6);
        QVERIFY2(pages[0].contains(kDescription), qPrintable(pages[0]));
        QVERIFY(pages[0].contains(QStringLiteral("Whom would you invite to your party?")));
        QVERIFY(pages[0].contains(QStringLiteral("3B.KalCir")));
        for (const QString& heading : headings)
            QVERIFY2(text.contains(heading), qPrintable(heading));
        // Every name in full, where the subjects are listed by category.
        for (qint32 i = 2; i <= 24; ++i)
            QVERIFY2(pages[5].contains(QStringLiteral("%1. Surname%1 Given%1").arg(i)), qPrintable(QString::number(i)));
        QVERIFY(pages[5].contains(QStringLiteral("1. Niccolò Given1")));
        // Subject 24 neither chooses nor is chosen.
        QVERIFY(pages[5].contains(QStringLiteral("24. Surname24 Given24")));
    }

    // An analysis the answers cannot give says why on its page; the rest of
    // the report is still written.
    void analysisWithoutResultSaysWhy()
    {
        DTest test;
        BuildNamedClass(test);
        // Only positive questions counted: nobody received a rejection, so
        // preference and impact have no spread.
        for (qint32 q = 2; q < 4; ++q)
            test.ques.List().GetSelected(q).graphTar.ToGraph(false);
        test.graph.tar.stat.SetValue(1, false);
        const QString text = PdfText(DClassReport::Pdf(test, QString(), QDate(2026, 12, 11)));
        QCOMPARE(text.split(QLatin1Char('\f'), Qt::SkipEmptyParts).size(), 6);
        QVERIFY2(text.contains(QStringLiteral("cannot be computed")), qPrintable(text));
    }

    void commandLineWritesTheReport()
    {
        QTemporaryDir dir;
        DTest source;
        BuildNamedClass(source);
        const QString input = dir.filePath(QStringLiteral("3B.KalCir"));
        source.file.Write(input);
        const std::optional<DExport::Request> request = DExport::Parse(
            {QStringLiteral("--export=report"), QStringLiteral("--lang=it"), input, dir.filePath("3B.pdf")});
        QVERIFY(request);
        QCOMPARE(request->kind, DExport::Kind::Report);
        DLanguage lang(request->language);
        DTest test;
        DExport::Run(*request, test);
        const QString text = PdfText(TestSupport::ReadFile(dir.filePath("3B.pdf")));
        QVERIFY(text.contains(QStringLiteral("Relazione sulla classe")));
        QVERIFY(text.contains(kDescription));
    }
};

KC_TEST_MAIN(TestDClassReport)
#include "test_DClassReport.moc"
