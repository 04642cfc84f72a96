#include "analyses/DGraph.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "lang/DLanguage.h"
#include "tests/TestSupport.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace
{
using Kind = DExport::Kind;

using TestSupport::ErrorOf;

// Three named subjects, 1 and 3 choosing 2 in the first (positive) question.
void Fill(DTest& test)
{
    test.subj.List().SetSize(3, false);
    const char* surnames[] = {"Rossi", "Bianchi", "Verdi"};
    for (int i = 0; i < 3; ++i)
        test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf8(surnames[i]));
    test.desi.SetDesi(1, 1, 1, 2);
    test.desi.SetDesi(1, 1, 3, 2);
}

struct Result
{
    int exitCode = -1;
    QString stdErr;
};

Result RunApp(const QStringList& arguments)
{
    QProcess process;
    process.start(qEnvironmentVariable("KC_APP"), arguments);
    if (!process.waitForFinished(20000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError())};
}
} // namespace

class TestDExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void renders();
    void kalcirRoundTrip();
    void failureLeavesNoOutput();
    void process_data();
    void process();
    void fullDisk();

private:
    QTemporaryDir dir_;
    QString Path(const QString& name) const { return dir_.filePath(name); }
};

void TestDExport::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("language");

    QTest::newRow("bar") << QStringList{"--export=bar", "in.KalCir", "out.png"} << true << int(Kind::Bar) << -1;
    QTest::newRow("target it") << QStringList{"--export=target", "--lang=it", "in.KalCir", "out.png"} << true
                               << int(Kind::Target) << int(DLanguage::Italian);
    QTest::newRow("options after paths") << QStringList{"in.KalCir", "out.txt", "--lang=en", "--export=csv"} << true
                                         << int(Kind::Csv) << int(DLanguage::English);
    QTest::newRow("sociogram") << QStringList{"--export=sociogram", "a", "b"} << true << int(Kind::Sociogram) << -1;
    QTest::newRow("metrics") << QStringList{"--export=metrics", "a", "b"} << true << int(Kind::Metrics) << -1;
    QTest::newRow("kalcir") << QStringList{"--export=kalcir", "a", "b"} << true << int(Kind::KalCir) << -1;

    QTest::newRow("unknown kind") << QStringList{"--export=pie", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind missing") << QStringList{"--export", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind twice") << QStringList{"--export=bar", "--export=csv", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind in capitals") << QStringList{"--export=CSV", "a", "b"} << false << 0 << 0;
    QTest::newRow("unknown language") << QStringList{"--export=csv", "--lang=fr", "a", "b"} << false << 0 << 0;
    QTest::newRow("unknown option") << QStringList{"--export=csv", "--force", "a", "b"} << false << 0 << 0;
    QTest::newRow("output missing") << QStringList{"--export=csv", "a"} << false << 0 << 0;
    QTest::newRow("three paths") << QStringList{"--export=csv", "a", "b", "c"} << false << 0 << 0;
    QTest::newRow("empty path") << QStringList{"--export=csv", "a", ""} << false << 0 << 0;
}

void TestDExport::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, valid);
    const std::optional<DExport::Request> request = DExport::Parse(arguments);
    QCOMPARE(request.has_value(), valid);
    if (!valid)
        return;
    QFETCH(int, kind);
    QFETCH(int, language);
    QCOMPARE(int(request->kind), kind);
    QCOMPARE(request->language, language);
    const QStringList paths = arguments.filter(QRegularExpression(QStringLiteral("^[^-]")));
    QCOMPARE(request->input, paths[0]);
    QCOMPARE(request->output, paths[1]);
}

void TestDExport::renders()
{
    DTest test;
    Fill(test);
    DGraph& graph = test.graph;

    QImage table = QImage::fromData(DExport::Render(Kind::Metrics, graph), "PNG");
    QCOMPARE(table.size(), QSize(651, 3 * 20 + 61));

    QStringList lines;
    graph.met.order.SetValue(1, false);
    graph.met.ToMemoCsv(lines);
    const QByteArray csv = DExport::Render(Kind::Csv, graph);
    QCOMPARE(csv, DGraphMet::CsvBytes(lines));
    QVERIFY(csv.contains("\r\n2,Bianchi,,2,1.000,"));

    // The other analyses draw at the sizes their options give, as on their pages.
    graph.soc.size.Set(800, 600, false);
    const QImage sociogram = QImage::fromData(DExport::Render(Kind::Sociogram, graph), "PNG");
    QVERIFY(!sociogram.isNull());
    QCOMPARE(sociogram.size(), graph.soc.Bitmap().size());
    QVERIFY(!QImage::fromData(DExport::Render(Kind::Bar, graph), "PNG").isNull());
    QVERIFY(!QImage::fromData(DExport::Render(Kind::Target, graph), "PNG").isNull());
}

void TestDExport::kalcirRoundTrip()
{
    DTest test;
    Fill(test);
    test.file.Write(Path("round.KalCir"));

    DTest reader;
    DExport::Run({Kind::KalCir, -1, Path("round.KalCir"), Path("again.KalCir")}, reader);
    QCOMPARE(TestSupport::ReadFile(Path("again.KalCir")), TestSupport::ReadFile(Path("round.KalCir")));
    QCOMPARE(reader.subj.List().GetSelected(2).appe.Surname().ToString(), QStringLiteral("Verdi"));
}

void TestDExport::failureLeavesNoOutput()
{
    DTest test;
    Fill(test);
    test.desi.SetDesi(1, 2, 3, 3); // subject 3 chose himself
    test.file.Write(Path("self.KalCir"));
    TestSupport::WriteFile(Path("damaged.KalCir"), QByteArray("Zelvor71"));

    for (Kind kind : {Kind::Bar, Kind::Target, Kind::Sociogram, Kind::Metrics, Kind::Csv})
    {
        DTest reader;
        const QString out = Path("self.out");
        QCOMPARE(ErrorOf(
                     [&] {
                         DExport::Run({kind, -1, Path("self.KalCir"), out}, reader);
                     }),
                 DLanguage::Active().GetErr(50090, {3}));
        QVERIFY(!QFile::exists(out));
    }
    for (Kind kind : {Kind::Metrics, Kind::KalCir})
    {
        DTest reader;
        QVERIFY(!ErrorOf(
                     [&] {
                         DExport::Run({kind, -1, Path("damaged.KalCir"), Path("damaged.out")}, reader);
                     })
                     .isEmpty());
        QVERIFY(!ErrorOf(
                     [&] {
                         DExport::Run({kind, -1, Path("missing.KalCir"), Path("missing.out")}, reader);
                     })
                     .isEmpty());
        QVERIFY(!QFile::exists(Path("damaged.out")));
        QVERIFY(!QFile::exists(Path("missing.out")));
    }
    // An output that cannot be written is a failure, not a silent success.
    DTest reader;
    test.desi.SetDesi(1, 2, 3, 0);
    test.file.Write(Path("good.KalCir"));
    QCOMPARE(ErrorOf(
                 [&] {
                     DExport::Run({Kind::Csv, -1, Path("good.KalCir"), Path("no/such/dir.txt")}, reader);
                 }),
             QStringLiteral("Cannot write \"%1\": No such file or directory").arg(Path("no/such/dir.txt")));
}

void TestDExport::process_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("stdErr");
    QTest::addColumn<QByteArray>("outputStart");

    const QString ok = Path("ok.KalCir");
    const QString self = Path("self-choice.KalCir");
    const QString fifo = Path("fifo");
    QTest::newRow("csv in Italian") << QStringList{"--export=csv", "--lang=it", ok, Path("ok.txt")} << Path("ok.txt")
                                    << 0 << QString()
                                    << QByteArray("N\xc2\xb0,Cognome,Nome,Accettazioni Ricevuti Valore,");
    QTest::newRow("picture") << QStringList{"--export=metrics", ok, Path("ok.png")} << Path("ok.png") << 0 << QString()
                             << QByteArray("\x89PNG");
    QTest::newRow("self-choice, Italian message")
        << QStringList{"--export=metrics", "--lang=it", self, Path("self.png")} << Path("self.png") << 1
        << DLanguage::GetStrIta(50090).replace(QStringLiteral("%d"), QStringLiteral("3")) << QByteArray();
    // Nobody received a rejection: the preference-and-impact diagram does not exist.
    QTest::newRow("target without spread, Italian")
        << QStringList{"--export=target", "--lang=it", Path("flat.KalCir"), Path("flat.png")} << Path("flat.png") << 1
        << DLanguage::GetStrIta(33010) << QByteArray();
    // The table leaves out only what does not exist without spread. Five
    // positive questions of three answers: F = 15, p = min(1, 3 / 2), so by
    // chance everybody would receive all 10 possible choices: every impact
    // is significantly low.
    QTest::newRow("categories without spread")
        << QStringList{"--export=categories", "--lang=en", Path("flat.KalCir"), Path("flat.txt")} << Path("flat.txt")
        << 0 << QString()
        << QByteArray("N.,Surname,Name,Acceptances received,Rejections received,zA,zR,SP,SI,Frequency,"
                      "Preference and impact,Probability\r\n1,Rossi,,0,0,,,,,F,,C\r\n2,Bianchi,,2,0,,,,,B,,C\r\n");
    QTest::newRow("indices in Italian") << QStringList{"--export=indices", "--lang=it", ok, Path("ok.txt")}
                                        << Path("ok.txt") << 0 << QString()
                                        << QByteArray("Indice,Valore\r\nSoggetti,3\r\nScelte,2\r\n");
    QTest::newRow("wrong usage") << QStringList{"--export=metrics", ok} << QString() << 2 << QStringLiteral("Usage:")
                                 << QByteArray();

    // Paths no export can use are refused before anything is opened or
    // written; a FIFO as input must not block the open.
    QTest::newRow("output is the input") << QStringList{"--export=csv", "--lang=en", ok, ok} << ok << 2
                                         << QStringLiteral("Cannot write \"%1\": Same file as the input").arg(ok)
                                         << QByteArray();
    QTest::newRow("output links to the input")
        << QStringList{"--export=kalcir", "--lang=en", ok, Path("link.KalCir")} << ok << 2
        << QStringLiteral("Cannot write \"%1\": Same file as the input").arg(Path("link.KalCir")) << QByteArray();
    QTest::newRow("output is a FIFO") << QStringList{"--export=csv", "--lang=en", ok, fifo} << fifo << 2
                                      << QStringLiteral("Cannot write \"%1\": Not a regular file").arg(fifo)
                                      << QByteArray();
    QTest::newRow("input is a FIFO") << QStringList{"--export=csv", "--lang=en", fifo, Path("fifo.txt")}
                                     << Path("fifo.txt") << 2
                                     << QStringLiteral("Cannot open \"%1\": Not a regular file").arg(fifo)
                                     << QByteArray();
    QTest::newRow("input missing, Italian")
        << QStringList{"--export=csv", "--lang=it", Path("missing.KalCir"), Path("missing.txt")} << Path("missing.txt")
        << 1 << QStringLiteral("Impossibile aprire \"%1\": File o cartella inesistente").arg(Path("missing.KalCir"))
        << QByteArray();
}

void TestDExport::process()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, output);
    QFETCH(int, exitCode);
    QFETCH(QString, stdErr);
    QFETCH(QByteArray, outputStart);
    if (qEnvironmentVariableIsEmpty("KC_APP"))
        QSKIP("KC_APP names no application (run through CTest)");

    DTest test;
    Fill(test);
    test.file.Write(Path("ok.KalCir"));
    test.graph.tar.stat.SetValue(1, false);
    test.file.Write(Path("flat.KalCir"));
    test.graph.tar.stat.SetValue(0, false);
    test.desi.SetDesi(1, 2, 3, 3);
    test.file.Write(Path("self-choice.KalCir"));
    QFile::link(Path("ok.KalCir"), Path("link.KalCir"));
    ::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600);
    const QByteArray input = TestSupport::ReadFile(Path("ok.KalCir"));

    const Result result = RunApp(arguments);
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0)
    {
        QVERIFY(TestSupport::ReadFile(output).startsWith(outputStart));
        return;
    }
    QVERIFY2(result.stdErr.contains(stdErr), qPrintable(result.stdErr));
    // A refused export creates nothing and changes nothing.
    QCOMPARE(TestSupport::ReadFile(Path("ok.KalCir")), input);
    struct stat fifoStatus = {};
    QVERIFY(::stat(QFile::encodeName(Path("fifo")).constData(), &fifoStatus) == 0 && S_ISFIFO(fifoStatus.st_mode));
    if (!output.isEmpty() && output != Path("ok.KalCir") && output != Path("fifo"))
        QVERIFY(!QFile::exists(output));
}

// The full disk for real: the export fails naming the file and the reason,
// and the earlier file on that disk stays byte for byte.
void TestDExport::fullDisk()
{
    if (qEnvironmentVariableIsEmpty("KC_APP"))
        QSKIP("KC_APP names no application (run through CTest)");
    DTest test;
    Fill(test);
    test.file.Write(Path("ok.KalCir"));
    const QString folder = Path("disk");
    TestSupport::FullDisk disk(folder);
    if (!disk.IsMounted())
        QSKIP("no tmpfs can be mounted here; the writer's injected faults cover the failure");
    const QString target = folder + QStringLiteral("/t.KalCir");
    DTest small;
    small.file.Write(target);
    const QByteArray before = TestSupport::ReadFile(target);
    disk.Fill();

    for (const QString& kind : {QStringLiteral("kalcir"), QStringLiteral("csv"), QStringLiteral("sociogram")})
    {
        const Result result =
            RunApp({QStringLiteral("--export=") + kind, QStringLiteral("--lang=en"), Path("ok.KalCir"), target});
        QCOMPARE(result.exitCode, int(DExport::kFailed));
        QVERIFY2(result.stdErr.contains(QStringLiteral("Cannot write \"%1\": No space left on device").arg(target)),
                 qPrintable(result.stdErr));
        QCOMPARE(TestSupport::ReadFile(target), before);
    }
}

KC_TEST_MAIN(TestDExport)
#include "test_DExport.moc"
