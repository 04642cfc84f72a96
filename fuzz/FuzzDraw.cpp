// Feeds arbitrary bytes to the reader and draws every analysis of each test
// it accepts, with the options the file stored, as the pages and the export
// do: the bar graph, the target diagram, the sociogram and the metric table
// on a picture of 1000 x 1000 pixels, and the metric table's comma-separated
// text. The pictures are not encoded: that is the image library's work and
// would take most of the time. An analysis may refuse a test it cannot show
// (a subject who chose himself, say) with its own error; an unexpected
// failure while drawing a test the reader accepted is a fault, as is
// anything the sanitizers notice.

#include "analyses/DFonts.h"
#include "analyses/DPicture.h"
#include "fuzz/FuzzSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QStringList>

namespace
{
template <class A> void Draw(A& analysis)
{
    FuzzSupport::Try(
        [&]
        {
            QImage picture = DPicture::Make(1000, 1000);
            analysis.Draw(picture);
        });
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    // The pictures need fonts, hence a GUI application, but never a display.
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
    Draw(graph.bar);
    Draw(graph.tar);
    Draw(graph.soc);
    Draw(graph.met);
    FuzzSupport::Try(
        [&]
        {
            QStringList lines;
            graph.met.ToMemoCsv(lines);
            DGraphMet::CsvBytes(lines);
        });
    return 0;
}
