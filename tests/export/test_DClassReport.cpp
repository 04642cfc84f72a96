#include "bench/ClassTest.h"
#include "document/DTest.h"
#include "export/DClassReport.h"
#include "export/DExport.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>

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
// every run of spaces and line breaks within a page read as one space, and
// ligatures ("fi") as their letters.
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
    {
        QString letters;
        for (const QChar c : page)
            letters += c.unicode() >= 0xFB00 && c.unicode() <= 0xFB06
                           ? QString(c).normalized(QString::NormalizationForm_KC)
                           : QString(c);
        page = letters.simplified();
    }
    return pages.join(QLatin1Char('\f'));
}
// The words of one page of a PDF with where they start, as pdftotext finds
// them: a word's left edge and its line's top, in points.
struct PdfWord
{
    QString text;
    double left = 0;
    double top = 0;
};

QList<PdfWord> PdfWords(const QByteArray& pdf, int page)
{
    QList<PdfWord> words;
    const QString tool = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (tool.isEmpty())
        return words;
    QProcess process;
    process.start(tool, {QStringLiteral("-bbox"), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                         QString::number(page), QStringLiteral("-"), QStringLiteral("-")});
    process.write(pdf);
    process.closeWriteChannel();
    process.waitForFinished(20000);
    static const QRegularExpression word(
        QStringLiteral("<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\"[^>]*>([^<]*)</word>"));
    for (auto match = word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())); match.hasNext();)
    {
        const QRegularExpressionMatch found = match.next();
        words.append({found.captured(3), found.captured(1).toDouble(), found.captured(2).toDouble()});
    }
    return words;
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
                                                "Subjects who received no acceptance",
                                                // What each count counts.
                                                "Bar heights: choices received;",
                                                "Acceptances and rejections received are choices:",
                                                "Received and given: classmates who chose the subject",
                                                "(rejection choices received: "};
        QTest::newRow("Italian") << int(DLanguage::Italian)
                                 << QStringList{"Relazione sulla classe",
                                                "Soggetti per categoria",
                                                "A) Popolari",
                                                "Soggetti che non hanno ricevuto accettazioni",
                                                "Altezza delle barre: scelte ricevute;",
                                                "Accettazioni e rifiuti ricevuti sono scelte:",
                                                "Ricevute e date: compagni che hanno scelto il soggetto",
                                                "(scelte di rifiuto ricevute: "};
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

    // A list longer than a page goes on at the top of the next page: every
    // one of a hundred subjects with long names, all in one category (nobody
    // chose anybody) and all without an acceptance, is in the report twice.
    void longListsGoOnToTheNextPage_data()
    {
        QTest::addColumn<int>("language");
        QTest::newRow("English") << int(DLanguage::English);
        QTest::newRow("Italian") << int(DLanguage::Italian);
    }
    void longListsGoOnToTheNextPage()
    {
        QFETCH(int, language);
        DLanguage lang(language);
        DTest test;
        test.New();
        test.subj.List().SetSize(100, false);
        for (qint32 i = 0; i < 100; ++i)
        {
            DSubjElem& subject = test.subj.List().GetSelected(i);
            subject.appe.Surname().SetText(QStringLiteral("Surname%1 Montgomery Fitzgerald").arg(i + 1));
            subject.appe.Name().SetText(QStringLiteral("Given%1 Maria Annunziata").arg(i + 1));
        }
        const QString text = PdfText(DClassReport::Pdf(test, QString(), QDate(2026, 12, 11)));
        for (qint32 i = 1; i <= 100; ++i)
        {
            // A name may run on over a page break.
            const QRegularExpression name(
                QStringLiteral(
                    "(^|\\s)%1\\.\\sSurname%1\\sMontgomery\\sFitzgerald\\sGiven%1\\sMaria\\sAnnunziata(;|\\s|$)")
                    .arg(i));
            int found = 0;
            for (auto match = name.globalMatch(text); match.hasNext(); match.next())
                ++found;
            QVERIFY2(found == 2, qPrintable(QStringLiteral("subject %1 found %2 times").arg(i).arg(found)));
        }
    }

    // Names in right-to-left scripts among others: on the line each number
    // stands right before its own name and the next number after it, in
    // the order of the list (a Hebrew name would otherwise draw the next
    // number over to its other side).
    void rightToLeftNamesKeepTheirNumbers()
    {
        DLanguage lang(DLanguage::English);
        DTest test;
        test.New();
        const QStringList names{QStringLiteral("כהן דוד"), QStringLiteral("Rossi Mario"), QStringLiteral("حداد ليلى"),
                                QStringLiteral("Verdi Anna")};
        test.subj.List().SetSize(qint32(names.size()), false);
        for (qint32 i = 0; i < names.size(); ++i)
        {
            test.subj.List().GetSelected(i).appe.Surname().SetText(names[i].section(QLatin1Char(' '), 0, 0));
            test.subj.List().GetSelected(i).appe.Name().SetText(names[i].section(QLatin1Char(' '), 1, 1));
        }
        // Page 6: the categories, then those without an acceptance; nobody
        // chose, so both lists hold all four.
        const QList<PdfWord> words = PdfWords(DClassReport::Pdf(test, QString(), QDate(2026, 12, 11)), 6);
        int lists = 0;
        for (const PdfWord& first : words)
        {
            if (first.text != QStringLiteral("1."))
                continue;
            ++lists;
            // The line of the list, left to right, and which subject each
            // word belongs to: the number's, until the next number.
            QList<PdfWord> line;
            for (const PdfWord& word : words)
                if (qAbs(word.top - first.top) < 1)
                    line << word;
            std::sort(line.begin(), line.end(), [](const PdfWord& a, const PdfWord& b) { return a.left < b.left; });
            int subject = 0;
            QStringList seen(names.size());
            for (const PdfWord& word : line)
            {
                if (word.text == QStringLiteral("%1.").arg(subject + 1))
                    ++subject;
                else if (subject > 0)
                    seen[subject - 1] += word.text;
            }
            QCOMPARE(subject, int(names.size()));
            for (qint32 i = 0; i < names.size(); ++i)
            {
                // Every letter of the name, whichever way its glyphs are drawn.
                const QString letters = seen[i].normalized(QString::NormalizationForm_KC);
                for (const QChar c : names[i])
                    if (!c.isSpace())
                        QVERIFY2(letters.contains(c), qPrintable(QStringLiteral("%1: %2").arg(i + 1).arg(seen[i])));
            }
        }
        QCOMPARE(lists, 2);
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
