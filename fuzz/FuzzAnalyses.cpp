// Feeds arbitrary bytes to the reader and takes each test it accepts through
// everything that leaves the program beside the pictures' pixels: the
// categories table under every scheme, the group indices and, for a class of
// at most 30 subjects, the working groups, the comparison with itself and
// with an empty test, every analysis as SVG (which must parse as XML: a name
// may hold any character a file can store) and the class report. An
// analysis may refuse a test it cannot show with its own error; an unexpected
// failure is a fault, as is anything the sanitizers notice.

#include "analyses/DComparison.h"
#include "analyses/DFonts.h"
#include "analyses/DGraphPainting.h"
#include "analyses/DGroupProblem.h"
#include "analyses/DGroupReport.h"
#include "analyses/DGroupSolver.h"
#include "document/DGroupRecord.h"
#include "export/DClassReport.h"
#include "export/DExport.h"
#include "export/DPictureFile.h"
#include "fuzz/FuzzSupport.h"

#include <QDate>
#include <QGuiApplication>
#include <QXmlStreamReader>

namespace
{
constexpr qint32 kLargestClass = 30;

void CheckXml(const QByteArray& svg, DGraphPainting::Analysis analysis)
{
    QXmlStreamReader xml(svg);
    while (!xml.atEnd())
        xml.readNext();
    if (xml.hasError())
        FuzzSupport::Fail(QStringLiteral("the SVG of analysis %1 is no valid XML: %2 (line %3)")
                              .arg(int(analysis))
                              .arg(xml.errorString())
                              .arg(xml.lineNumber()));
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    DFonts::Install();
    FuzzSupport::Initialize();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    DTest test;
    if (!FuzzSupport::Read(test, FuzzSupport::Bytes(data, size), &DFileKalCir::Read))
        return 0;
    DGraph& graph = test.graph;
    for (const DExport::Kind kind : {DExport::Kind::Categories, DExport::Kind::Indices})
        FuzzSupport::Try([&] { DExport::Render(kind, graph); });
    // The working groups, the vector pictures and the report of a large test
    // take seconds under the sanitizers and reach no other code than a
    // class's: the benchmarks measure them there.
    if (test.subj.Count() > kLargestClass)
        return 0;
    FuzzSupport::Try(
        [&]
        {
            const DGroupProblem problem =
                DGroupProblem::FromTest(test.desi, test.subj.List(), DGroupRecord::Load(test));
            DGroupReport::CsvBytes(DGroupSolver::Solve(problem), test.subj.List(), {});
        });
    FuzzSupport::Try(
        [&]
        {
            DTest empty;
            DComparison::Of(graph, graph).CsvLines();
            DComparison::Of(graph, empty.graph).Text();
            DComparison::Of(empty.graph, graph).Text();
        });
    const QDate date(2026, 1, 1);
    for (const DGraphPainting::Analysis analysis :
         {DGraphPainting::Analysis::Bar, DGraphPainting::Analysis::Target, DGraphPainting::Analysis::Sociogram,
          DGraphPainting::Analysis::Metrics})
        FuzzSupport::Try(
            [&]
            {
                const QStringList caption = DGraphPainting::CaptionLines(analysis, graph, QStringLiteral("f"), date);
                CheckXml(DPictureFile::Bytes(DPictureFile::Format::Svg,
                                             DGraphPainting::Of(analysis, graph).WithCaption(caption),
                                             DGraphPainting::Name(analysis)),
                         analysis);
            });
    FuzzSupport::Try([&] { DClassReport::Pdf(test, QStringLiteral("fuzz.KalCir"), date); });
    return 0;
}
