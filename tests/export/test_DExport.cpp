#include "analyses/DGraph.h"
#include "bench/ClassTest.h"
#include "document/DGroupRecord.h"
#include "document/DTest.h"
#include "export/DExport.h"
#include "lang/DLanguage.h"
#include "model/DCsv.h"
#include "tests/TestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <optional>

#include <sys/stat.h>
#include <unistd.h>

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
    QString stdOut;
};

// Runs the application as a terminal without any display would (nothing on
// the command line may need one), with settings of its own, which start in
// English.
Result RunApp(const QStringList& arguments, const QString& settings)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), settings);
    process.setProcessEnvironment(environment);
    process.start(qEnvironmentVariable("KC_APP"), arguments);
    if (!process.waitForFinished(20000))
        return {};
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromLocal8Bit(process.readAllStandardError()),
            QString::fromLocal8Bit(process.readAllStandardOutput())};
}
} // namespace

class TestDExport : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void parse_data();
    void parse();
    void tableOptions_data();
    void tableOptions();
    void rendersForSpreadsheets();
    void renders();
    void kalcirRoundTrip();
    void arrangesBeforeExport();
    void groups();
    void comparison();
    void failureLeavesNoOutput();
    void process_data();
    void process();
    void commandLine_data();
    void commandLine();
    void settingsOnlyRead_data();
    void settingsOnlyRead();
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

    QTest::newRow("groups") << QStringList{"--export=groups", "--groups=3", "a", "b"} << true << int(Kind::Groups)
                            << -1;
    QTest::newRow("groups by size") << QStringList{"--group-size=4", "--export=groups", "a", "b"} << true
                                    << int(Kind::Groups) << -1;

    QTest::newRow("comparison") << QStringList{"--export=comparison", "--compare=o.KalCir", "a", "b"} << true
                                << int(Kind::Comparison) << -1;
    QTest::newRow("comparison without the other test")
        << QStringList{"--export=comparison", "a", "b"} << false << 0 << 0;
    QTest::newRow("other test with another kind")
        << QStringList{"--export=csv", "--compare=o.KalCir", "a", "b"} << false << 0 << 0;
    QTest::newRow("group size with another kind")
        << QStringList{"--export=csv", "--group-size=4", "a", "b"} << false << 0 << 0;
    QTest::newRow("groups and group size")
        << QStringList{"--export=groups", "--groups=3", "--group-size=4", "a", "b"} << false << 0 << 0;
    QTest::newRow("groups not a number") << QStringList{"--export=groups", "--groups=three", "a", "b"} << false << 0
                                         << 0;
    QTest::newRow("unknown kind") << QStringList{"--export=pie", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind missing") << QStringList{"--export", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind twice") << QStringList{"--export=bar", "--export=csv", "a", "b"} << false << 0 << 0;
    QTest::newRow("kind in capitals") << QStringList{"--export=CSV", "a", "b"} << false << 0 << 0;
    QTest::newRow("unknown language") << QStringList{"--export=csv", "--lang=fr", "a", "b"} << false << 0 << 0;
    QTest::newRow("unknown option") << QStringList{"--export=csv", "--force", "a", "b"} << false << 0 << 0;
    QTest::newRow("output missing") << QStringList{"--export=csv", "a"} << false << 0 << 0;
    QTest::newRow("three paths") << QStringList{"--export=csv", "a", "b", "c"} << false << 0 << 0;
    QTest::newRow("empty path") << QStringList{"--export=csv", "a", ""} << false << 0 << 0;
    QTest::newRow("arrange sociogram") << QStringList{"--arrange=ties", "--export=sociogram", "a", "b"} << true
                                       << int(Kind::Sociogram) << -1;
    QTest::newRow("arrange test") << QStringList{"--export=kalcir", "--arrange=rings", "a", "b"} << true
                                  << int(Kind::KalCir) << -1;
    QTest::newRow("arrange a bar graph") << QStringList{"--export=bar", "--arrange=ties", "a", "b"} << false << 0 << 0;
    QTest::newRow("unknown arrangement") << QStringList{"--export=sociogram", "--arrange=grid", "a", "b"} << false << 0
                                         << 0;
    QTest::newRow("arrange twice") << QStringList{"--export=sociogram", "--arrange=ties", "--arrange=ties", "a", "b"}
                                   << false << 0 << 0;
    QTest::newRow("language twice") << QStringList{"--export=csv", "--lang=en", "--lang=it", "a", "b"} << false << 0
                                    << 0;
    QTest::newRow("help is no export") << QStringList{"--export=csv", "--help", "a", "b"} << false << 0 << 0;
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
    const int arrange = int(arguments.indexOf(QRegularExpression(QStringLiteral("--arrange=.*"))));
    QCOMPARE(request->arrange.has_value(), arrange >= 0);
    if (arrange >= 0)
        QCOMPARE(*request->arrange, arguments[arrange].endsWith(QLatin1String("ties")) ? DGraphSocArrange::Kind::Ties
                                                                                       : DGraphSocArrange::Kind::Rings);
}

void TestDExport::tableOptions_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("separator");
    QTest::addColumn<int>("decimal");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<bool>("categories");
    QTest::addColumn<int>("errorId");
    using Separator = DCsv::Options::Separator;
    using Decimal = DCsv::Options::Decimal;
    const int comma = int(Separator::Comma);
    const int point = int(Decimal::Point);
    QTest::newRow("none") << QStringList{"--export=csv", "a", "b"} << comma << point << false << false << 0;
    QTest::newRow("all")
        << QStringList{"--export=csv", "--sep=semicolon", "--decimal=comma", "--bom", "--categories", "a", "b"}
        << int(Separator::Semicolon) << int(Decimal::Comma) << true << true << 0;
    QTest::newRow("tab, groups") << QStringList{"--export=groups", "--sep=tab", "a", "b"} << int(Separator::Tab)
                                 << point << false << false << 0;
    QTest::newRow("mark, indices") << QStringList{"--export=indices", "--bom", "a", "b"} << comma << point << true
                                   << false << 0;
    QTest::newRow("comma spelled out") << QStringList{"--export=categories", "--sep=comma", "--decimal=point", "a", "b"}
                                       << comma << point << false << false << 0;
    QTest::newRow("unknown separator") << QStringList{"--export=csv", "--sep=colon", "a", "b"} << 0 << 0 << false
                                       << false << 35230;
    QTest::newRow("mark twice") << QStringList{"--export=csv", "--bom", "--bom", "a", "b"} << 0 << 0 << false << false
                                << 35220;
    QTest::newRow("picture with a separator")
        << QStringList{"--export=metrics", "--sep=tab", "a", "b"} << 0 << 0 << false << false << 35245;
    QTest::newRow("categories of the groups")
        << QStringList{"--export=groups", "--categories", "a", "b"} << 0 << 0 << false << false << 35245;
    QTest::newRow("a switch with a value")
        << QStringList{"--export=csv", "--bom=yes", "a", "b"} << 0 << 0 << false << false << 35290;
    QTest::newRow("a value left out") << QStringList{"--export=csv", "a", "b", "--decimal"} << 0 << 0 << false << false
                                      << 35210;
}

void TestDExport::tableOptions()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, errorId);
    const DExport::Command command = DExport::ParseCommand(arguments, DExport::Program::ExportOnly);
    QCOMPARE(command.errorId, errorId);
    if (errorId != 0)
        return;
    QFETCH(int, separator);
    QFETCH(int, decimal);
    QFETCH(bool, mark);
    QFETCH(bool, categories);
    QCOMPARE(int(command.request.csv.separator), separator);
    QCOMPARE(int(command.request.csv.decimal), decimal);
    QCOMPARE(command.request.csv.byteOrderMark, mark);
    QCOMPARE(command.request.categories, categories);
}

// The tables for a spreadsheet, byte for byte: the numbers take the decimal
// mark, names with the separator are quoted, and the metric table's last
// column is each subject's category of the target diagram as stored.
void TestDExport::rendersForSpreadsheets()
{
    DLanguage language(DLanguage::Italian);
    DTest test;
    Fill(test);
    test.subj.List().GetSelected(0).appe.Surname().SetText(QString::fromUtf8("Niccolò; jr."));
    test.subj.List().GetSelected(2).appe.Surname().SetText(QStringLiteral("=1+1"));
    // Subject 2 rejects subject 3 through the second question, a negative one.
    test.ques.List().GetSelected(1).type.SetValue(0, false);
    test.desi.SetDesi(2, 1, 2, 3);
    DCsv::Options options;
    options.separator = DCsv::Options::Separator::Semicolon;
    options.decimal = DCsv::Options::Decimal::Comma;
    options.byteOrderMark = true;

    const QByteArray mark("\xEF\xBB\xBF");
    QCOMPARE(DExport::Render(Kind::Csv, test.graph, options, true),
             mark + "N\xC2\xB0;Cognome;Nome;Accettazioni Ricevuti Valore;Accettazioni Ricevuti Densit\xC3\xA0;"
                    "Accettazioni Dati Valore;Accettazioni Dati Densit\xC3\xA0;Rifiuti Ricevuti Valore;"
                    "Rifiuti Ricevuti Densit\xC3\xA0;Rifiuti Dati Valore;Rifiuti Dati Densit\xC3\xA0;"
                    "Categoria (Frequenza)\r\n"
                    "1;\"Niccol\xC3\xB2; jr.\";;0;0,000;1;0,500;0;0,000;0;0,000;F) Ignorati\r\n"
                    "2;Bianchi;;2;1,000;0;0,000;0;0,000;1;0,500;B) Pi\xC3\xB9 accettati che rifiutati\r\n"
                    "3;\"'=1+1\";;0;0,000;1;0,500;1;0,500;0;0,000;C) Pi\xC3\xB9 rifiutati che accettati\r\n");
    QVERIFY(DExport::Render(Kind::Indices, test.graph, options)
                .startsWith(mark + "Indice;Valore\r\nSoggetti;3\r\nScelte;3\r\n"
                                   "Densit\xC3\xA0 della rete delle accettazioni;0,333\r\n"));
    QCOMPARE(DExport::Render(Kind::Categories, test.graph, options),
             mark + "N\xC2\xB0;Cognome;Nome;Accettazioni ricevute;Rifiuti ricevuti;zA;zR;SP;SI;Frequenza;"
                    "Preferenza e impatto;Probabilit\xC3\xA0\r\n"
                    "1;\"Niccol\xC3\xB2; jr.\";;0;0;-0,58;-0,58;0,00;-1,15;F;C;C\r\n"
                    "2;Bianchi;;2;0;1,15;-0,58;1,73;0,58;B;A;C\r\n"
                    "3;\"'=1+1\";;0;1;-0,58;1,15;-1,73;0,58;C;B;C\r\n");
    // Preference and impact without spread places nobody: the column stays empty.
    test.desi.SetDesi(2, 1, 2, 0);
    test.graph.tar.stat.SetValue(DGraphTarStat::Preference, false);
    const QByteArray flat = DExport::Render(Kind::Csv, test.graph, options, true);
    QVERIFY(flat.contains(";Categoria (Preferenza e impatto)\r\n"));
    QVERIFY(flat.contains("\r\n2;Bianchi;;2;1,000;0;0,000;0;0,000;0;0,000;\r\n"));
    // Without the options every table is what it always was.
    QCOMPARE(DExport::Render(Kind::Csv, test.graph, {}, false), DExport::Render(Kind::Csv, test.graph));
    QVERIFY(!DExport::Render(Kind::Csv, test.graph).startsWith("\xEF\xBB\xBF"));
    // Rank weights stored with the test add their columns, written the same way.
    test.graph.weight.SetValue(DGraphWeight::Rank, false);
    const QByteArray weighted = DExport::Render(Kind::Csv, test.graph, options, false);
    QVERIFY(weighted.contains(";Accettazioni Ricevuti Valore;Accettazioni Ricevuti Pesato;Accettazioni Ricevuti "
                              "Densit\xC3\xA0;"));
    QVERIFY(weighted.contains("\r\n2;Bianchi;;2;"));
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
    DExport::Run({Kind::KalCir, -1, Path("round.KalCir"), Path("again.KalCir"), {}}, reader);
    QCOMPARE(TestSupport::ReadFile(Path("again.KalCir")), TestSupport::ReadFile(Path("round.KalCir")));
    QCOMPARE(reader.subj.List().GetSelected(2).appe.Surname().ToString(), QStringLiteral("Verdi"));
}

// The arranged test keeps its pinned box and holds the positions the page's
// Arrange gives; the sociogram is drawn from them.
void TestDExport::arrangesBeforeExport()
{
    DTest test;
    BuildClassTest(test);
    DGraphSocPins pins;
    pins.Set(true, 7, true);
    test.SetPins(pins, false);
    QImage picture;
    test.graph.soc.Draw(picture); // every box at its place in the grid
    test.file.Write(Path("class.KalCir"));
    DTest expected;
    expected.file.Read(Path("class.KalCir"));
    const QPoint pinned = expected.subj.List().Get()[6].soci.acceptance.Get();
    DGraphSocArrange::Apply(
        expected.subj.List(), true,
        DGraphSocArrange::Arrange(expected.graph.soc, expected.subj.List(), DGraphSocArrange::Kind::Rings, pins));

    DTest reader;
    DExport::Run({Kind::KalCir, -1, Path("class.KalCir"), Path("arranged.KalCir"), DGraphSocArrange::Kind::Rings},
                 reader);
    DTest arranged;
    arranged.file.Read(Path("arranged.KalCir"));
    QVERIFY(arranged.Pins().Is(true, 7));
    QCOMPARE(arranged.subj.List().Get()[6].soci.acceptance.Get(), pinned);
    for (std::size_t i = 0; i < 24; ++i)
        QCOMPARE(arranged.subj.List().Get()[i].soci.acceptance.Get(),
                 expected.subj.List().Get()[i].soci.acceptance.Get());

    DTest drawer;
    DExport::Run({Kind::Sociogram, -1, Path("class.KalCir"), Path("arranged.png"), DGraphSocArrange::Kind::Rings},
                 drawer);
    QCOMPARE(QImage(Path("arranged.png")).convertToFormat(QImage::Format_RGB32),
             QImage::fromData(DExport::Render(Kind::Sociogram, arranged.graph), "PNG")
                 .convertToFormat(QImage::Format_RGB32));
}

void TestDExport::groups()
{
    // 1-2, 3-4 and 5-6 chose each other and 2 also chose 3; the test keeps
    // 1 and 3 together in two groups. Only 1-2-3 and 4-5-6 leave a single
    // subject (4) without a choice, with the most acceptances.
    DTest test;
    test.subj.List().SetSize(6, false);
    const char* surnames[] = {"Rossi", "Bianchi", "Verdi", "Neri", "Gialli", "=Bruni"};
    for (int i = 0; i < 6; ++i)
        test.subj.List().GetSelected(i).appe.Surname().SetText(QString::fromUtf8(surnames[i]));
    for (const auto& [u, v] : {std::pair(1, 2), {2, 1}, {3, 4}, {4, 3}, {5, 6}, {6, 5}})
        test.desi.SetDesi(1, 1, u, v);
    test.desi.SetDesi(1, 2, 2, 3);
    DGroupSettings settings;
    settings.mode = DGroupSettings::Mode::Count;
    settings.value = 2;
    settings.together = {{1, 3}};
    DGroupRecord::Store(test, settings, true);
    test.file.Write(Path("groups.KalCir"));

    DExport::Request request{Kind::Groups, -1, Path("groups.KalCir"), Path("groups.csv"), {}};
    DTest reader;
    DExport::Run(request, reader);
    QCOMPARE(TestSupport::ReadFile(Path("groups.csv")), QByteArray("Group,N.,Surname,Name\r\n"
                                                                   "1,1,Rossi,\r\n1,2,Bianchi,\r\n1,3,Verdi,\r\n"
                                                                   "2,4,Neri,\r\n2,5,Gialli,\r\n2,6,\"'=Bruni\",\r\n"));

    request.csv.separator = DCsv::Options::Separator::Tab;
    DExport::Run(request, reader);
    QVERIFY(TestSupport::ReadFile(Path("groups.csv")).startsWith("Group\tN.\tSurname\tName\r\n1\t1\tRossi\t\r\n"));
    request.csv = {};

    // Three groups from the command line: 1 and 3 stay together, and 2 and
    // 4, who chose only them, are left to share a group.
    request.groups = 3;
    DExport::Run(request, reader);
    QVERIFY(TestSupport::ReadFile(Path("groups.csv"))
                .startsWith("Group,N.,Surname,Name\r\n1,1,Rossi,\r\n1,3,Verdi,\r\n2,2,Bianchi,\r\n2,4,Neri,\r\n"));

    // A size out of range, or rules no grouping meets, leave the output alone.
    request.groups.reset();
    request.groupSize = 11;
    QCOMPARE(ErrorOf([&] { DExport::Run(request, reader); }), DLanguage::Active().GetErr(34570, {2, 10}));
    request.groupSize = 6;
    settings.apart = {{1, 3}};
    DGroupRecord::Store(test, settings, true);
    test.file.Write(Path("groups.KalCir"));
    QCOMPARE(ErrorOf([&] { DExport::Run(request, reader); }), DLanguage::Active().GetErr(34500, {"Rossi", "Verdi"}));
    QVERIFY(TestSupport::ReadFile(Path("groups.csv")).startsWith("Group,N.,Surname,Name\r\n1,1,Rossi,\r\n1,3,"));
}

void TestDExport::comparison()
{
    // Verdi chose Rossi in the earlier test, Bianchi in this one: as large a
    // change for both, but only Rossi's category changed.
    DTest test;
    Fill(test);
    test.file.Write(Path("now.KalCir"));
    test.desi.SetDesi(1, 1, 3, 1);
    test.file.Write(Path("before.KalCir"));

    DExport::Request request{Kind::Comparison, -1, Path("now.KalCir"), Path("comparison.csv"), {}};
    request.compare = Path("before.KalCir");
    DTest reader;
    DExport::Run(request, reader);
    QCOMPARE(TestSupport::ReadFile(Path("comparison.csv")),
             QByteArray("N.,Surname,Name,Acceptances (other test),Acceptances (this test),Change of acceptances,"
                        "Rejections (other test),Rejections (this test),Change of rejections,Category (other test),"
                        "Category (this test),Change of category\r\n"
                        "1,Rossi,,1,0,-1,0,0,0,B,F,B \xe2\x86\x92 F\r\n"
                        "2,Bianchi,,1,2,1,0,0,0,B,B,\r\n"
                        "3,Verdi,,0,0,0,0,0,0,F,F,\r\n"));
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
                         DExport::Run({kind, -1, Path("self.KalCir"), out, {}}, reader);
                     }),
                 DLanguage::Active().GetErr(50090, {3}));
        QVERIFY(!QFile::exists(out));
    }
    for (Kind kind : {Kind::Metrics, Kind::KalCir})
    {
        DTest reader;
        QVERIFY(!ErrorOf(
                     [&] {
                         DExport::Run({kind, -1, Path("damaged.KalCir"), Path("damaged.out"), {}}, reader);
                     })
                     .isEmpty());
        QVERIFY(!ErrorOf(
                     [&] {
                         DExport::Run({kind, -1, Path("missing.KalCir"), Path("missing.out"), {}}, reader);
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
                     DExport::Run({Kind::Csv, -1, Path("good.KalCir"), Path("no/such/dir.txt"), {}}, reader);
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
    QTest::newRow("csv for a spreadsheet")
        << QStringList{"--export=csv", "--lang=en",    "--sep=tab", "--decimal=comma",
                       "--bom",        "--categories", ok,          Path("ok.csv")}
        << Path("ok.csv") << 0 << QString()
        << QByteArray("\xEF\xBB\xBFN.\tSurname\tName\tAcceptance Received Value\tAcceptance Received Density\t");
    QTest::newRow("category column of the indices")
        << QStringList{"--export=indices", "--categories", ok, Path("indices.csv")} << Path("indices.csv") << 2
        << QStringLiteral("The option --categories works only with --export=csv") << QByteArray();
    // The other test of a comparison: compared, or refused naming it and why.
    QTest::newRow("comparison for a spreadsheet")
        << QStringList{"--export=comparison", "--lang=it", "--sep=semicolon", "--compare=" + Path("flat.KalCir"), ok,
                       Path("cmp.csv")}
        << Path("cmp.csv") << 0 << QString() << QByteArray("N\xc2\xb0;Cognome;Nome;Accettazioni (altro test);");
    QTest::newRow("other test missing")
        << QStringList{"--export=comparison", "--lang=en", "--compare=" + Path("missing.KalCir"), ok, Path("cmp1.csv")}
        << Path("cmp1.csv") << 1
        << QStringLiteral("Cannot open \"%1\": No such file or directory").arg(Path("missing.KalCir")) << QByteArray();
    QTest::newRow("other test damaged")
        << QStringList{"--export=comparison", "--lang=en", "--compare=" + Path("damaged.KalCir"), ok, Path("cmp2.csv")}
        << Path("cmp2.csv") << 1
        << QStringLiteral("The test \"%1\" cannot be compared: Read failure").arg(Path("damaged.KalCir"))
        << QByteArray();
    QTest::newRow("other test choosing itself")
        << QStringList{"--export=comparison", "--lang=en", "--compare=" + self, ok, Path("cmp3.csv")}
        << Path("cmp3.csv") << 1 << DLanguage::GetStrEng(50090).replace(QStringLiteral("%d"), QStringLiteral("3"))
        << QByteArray();
    QTest::newRow("comparison without the other test")
        << QStringList{"--export=comparison", "--lang=en", ok, Path("cmp4.csv")} << Path("cmp4.csv") << 2
        << QStringLiteral("--export=comparison needs --compare=OTHER.KalCir") << QByteArray();
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
    // The compared test is an input too, by any of its paths.
    const QString flat = Path("flat.KalCir");
    for (const auto& [row, output] : {std::pair{"output is the compared test", flat},
                                      std::pair{"output links to the compared test", Path("flat-link.KalCir")},
                                      std::pair{"output is a hard link of the compared test", Path("flat-hard.KalCir")},
                                      std::pair{"output is the compared test by another path",
                                                Path("../") + QFileInfo(flat).dir().dirName() + "/flat.KalCir"}})
        QTest::newRow(row) << QStringList{"--export=comparison", "--lang=en", "--compare=" + flat, ok, output} << output
                           << 2 << QStringLiteral("Cannot write \"%1\": Same file as the compared test").arg(output)
                           << QByteArray();
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
    TestSupport::WriteFile(Path("damaged.KalCir"), QByteArray("Zelvor71"));
    test.graph.tar.stat.SetValue(0, false);
    test.desi.SetDesi(1, 2, 3, 3);
    test.file.Write(Path("self-choice.KalCir"));
    QFile::link(Path("ok.KalCir"), Path("link.KalCir"));
    QFile::link(Path("flat.KalCir"), Path("flat-link.KalCir"));
    QFile::remove(Path("flat-hard.KalCir"));
    QVERIFY(::link(QFile::encodeName(Path("flat.KalCir")).constData(),
                   QFile::encodeName(Path("flat-hard.KalCir")).constData()) == 0);
    const QByteArray flat = TestSupport::ReadFile(Path("flat.KalCir"));
    ::mkfifo(QFile::encodeName(Path("fifo")).constData(), 0600);
    const QByteArray input = TestSupport::ReadFile(Path("ok.KalCir"));

    const Result result = RunApp(arguments, Path("settings"));
    QCOMPARE(result.exitCode, exitCode);
    if (exitCode == 0)
    {
        QVERIFY(TestSupport::ReadFile(output).startsWith(outputStart));
        return;
    }
    QVERIFY2(result.stdErr.contains(stdErr), qPrintable(result.stdErr));
    // A refused export creates nothing and changes nothing.
    QCOMPARE(TestSupport::ReadFile(Path("ok.KalCir")), input);
    QCOMPARE(TestSupport::ReadFile(Path("flat.KalCir")), flat);
    struct stat fifoStatus = {};
    QVERIFY(::stat(QFile::encodeName(Path("fifo")).constData(), &fifoStatus) == 0 && S_ISFIFO(fifoStatus.st_mode));
    if (!output.isEmpty() && output != Path("ok.KalCir") && output != Path("fifo") && !output.contains("flat"))
        QVERIFY(!QFile::exists(output));
}

void TestDExport::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("exitCode");
    // Texts that the output (exit code 0) or the error output must hold.
    QTest::addColumn<QStringList>("texts");

    const QString ok = Path("ok.KalCir");
    const QString missing = Path("missing.KalCir");
    const QStringList usage{"Usage: kaleidocircle [FILE.KalCir]",
                            "--export=KIND",
                            "--lang=en|it",
                            "    sociogram",
                            "    kalcir",
                            "-v, --version"};
    QTest::newRow("help") << QStringList{"--help"} << 0 << usage;
    QTest::newRow("short help after a file") << QStringList{ok, "-h"} << 0 << usage;
    QTest::newRow("help in Italian") << QStringList{"--lang=it", "--help"} << 0
                                     << QStringList{"Uso: kaleidocircle",
                                                    "Opzioni:", "il sociogramma come immagine PNG"};
    QTest::newRow("version") << QStringList{"--version"} << 0 << QStringList{"kaleidocircle " KC_TEST_VERSION "\n"};
    QTest::newRow("export") << QStringList{"--export=bar", ok, Path("ok.png")} << 0 << QStringList{};

    QTest::newRow("unknown option") << QStringList{"--force", ok} << 2
                                    << QStringList{"Unknown option --force\n", "Usage: kaleidocircle"};
    QTest::newRow("unknown short option") << QStringList{"-x"} << 2 << QStringList{"Unknown option -x\n"};
    QTest::newRow("value after help") << QStringList{"--help=all"} << 2 << QStringList{"Wrong command line: "};
    QTest::newRow("value missing") << QStringList{ok, "--export"} << 2
                                   << QStringList{"The option --export needs a value"};
    QTest::newRow("unknown kind") << QStringList{"--export=pie", ok, Path("pie")} << 2
                                  << QStringList{"\"pie\" is not a value of --export"};
    QTest::newRow("export without output")
        << QStringList{"--export=csv", ok} << 2 << QStringList{"--export takes an INPUT and an OUTPUT file"};
    QTest::newRow("export option without export")
        << QStringList{"--lang=it", ok} << 2 << QStringList{"The option --lang works only with --export"};
    QTest::newRow("two files") << QStringList{ok, ok} << 2 << QStringList{"Only one file can be opened"};

    // A file the window cannot open is told on the command line, with or
    // without a display; then the missing display itself.
    QTest::newRow("missing file") << QStringList{missing} << 1
                                  << QStringList{
                                         QStringLiteral("Cannot open \"%1\": No such file or directory").arg(missing)};
    QTest::newRow("folder") << QStringList{dir_.path()} << 1
                            << QStringList{QStringLiteral("Cannot open \"%1\": Not a regular file").arg(dir_.path())};
    QTest::newRow("no display") << QStringList{ok} << 1 << QStringList{"No display to show the window on"};
}

// The programs' whole command line, run without a display.
void TestDExport::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, exitCode);
    QFETCH(QStringList, texts);
    if (qEnvironmentVariableIsEmpty("KC_APP"))
        QSKIP("KC_APP names no application (run through CTest)");
    DTest test;
    Fill(test);
    test.file.Write(Path("ok.KalCir"));

    const Result result = RunApp(arguments, Path("settings"));
    QCOMPARE(result.exitCode, exitCode);
    const QString& output = exitCode == 0 ? result.stdOut : result.stdErr;
    for (const QString& text : texts)
        QVERIFY2(output.contains(text), qPrintable(output));
    // Nothing the toolkit says about a display, nor anything on the other
    // stream.
    QCOMPARE(exitCode == 0 ? result.stdErr : result.stdOut, QString());
}

// An export only reads the settings, for their language: a settings file it
// cannot use gives the default without a word about it (the user asked for a
// table, not about the settings), a language this build does not know is
// English, and the file stays as it was.
void TestDExport::settingsOnlyRead_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("header");
    QTest::newRow("damaged") << QByteArray("[Options\nLanguage=1\n") << false << QStringLiteral("Surname");
    QTest::newRow("garbage") << QByteArray("[[[\n=\\x\n") << false << QStringLiteral("Surname");
    QTest::newRow("unknown language") << QByteArray("[Options]\nLanguage=7\n") << false << QStringLiteral("Surname");
    QTest::newRow("read-only folder") << QByteArray("[Options]\nLanguage=1\n") << true << QStringLiteral("Cognome");
}

void TestDExport::settingsOnlyRead()
{
    QFETCH(QByteArray, settings);
    QFETCH(bool, readOnly);
    QFETCH(QString, header);
    if (qEnvironmentVariableIsEmpty("KC_APP"))
        QSKIP("KC_APP names no application (run through CTest)");
    DTest test;
    Fill(test);
    test.file.Write(Path("ok.KalCir"));
    const QString home = Path(QStringLiteral("settings-") + QLatin1String(QTest::currentDataTag()));
    const QString folder = home + QStringLiteral("/Zelvor");
    QVERIFY(QDir().mkpath(folder));
    std::optional<TestSupport::ReadOnlyFolder> sealed;
    if (readOnly)
        sealed.emplace(folder);
    TestSupport::WriteFile(folder + QStringLiteral("/Kaleidocircle.conf"), settings);
    if (sealed && !sealed->Seal())
        QSKIP("no folder can be made read-only here");

    const QString output = Path(QStringLiteral("out-") + QLatin1String(QTest::currentDataTag()) + ".csv");
    const Result result = RunApp({QStringLiteral("--export=csv"), Path("ok.KalCir"), output}, home);
    QCOMPARE(result.exitCode, 0);
    QCOMPARE(result.stdErr, QString());
    QCOMPARE(result.stdOut, QString());
    QVERIFY2(QString::fromUtf8(TestSupport::ReadFile(output)).contains(header), TestSupport::ReadFile(output));
    QCOMPARE(TestSupport::ReadFile(folder + QStringLiteral("/Kaleidocircle.conf")), settings);
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
            RunApp({QStringLiteral("--export=") + kind, QStringLiteral("--lang=en"), Path("ok.KalCir"), target},
                   Path("settings"));
        QCOMPARE(result.exitCode, int(DExport::kFailed));
        QVERIFY2(result.stdErr.contains(QStringLiteral("Cannot write \"%1\": No space left on device").arg(target)),
                 qPrintable(result.stdErr));
        QCOMPARE(TestSupport::ReadFile(target), before);
    }
}

KC_TEST_MAIN(TestDExport)
#include "test_DExport.moc"
