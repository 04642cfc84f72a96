// Measures the line crossings and the lines across boxes of the sociogram
// laid out by the graph-layout library (neato, a stress layout, and fdp, a
// force layout) against the grid start and our arrangements by ties and in
// rings, on the class of 24 and on the largest test, with the time each
// takes. Not part of the program: it answers
// whether the library would place the boxes better than our own code.

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DPicture.h"
#include "bench/ClassTest.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

namespace
{
// Box centres from the library's layout, for the ties given; nullopt-free:
// an empty vector when the layout fails.
std::vector<QPoint> Layout(GVC_t* context, const char* engine, int count,
                           const std::vector<DGraphSocArrange::Tie>& ties, int boxSize)
{
    Agraph_t* graph = agopen(const_cast<char*>("sociogram"), Agundirected, nullptr);
    agattr(graph, AGRAPH, const_cast<char*>("overlap"), const_cast<char*>("false"));
    agattr(graph, AGRAPH, const_cast<char*>("start"), const_cast<char*>("1"));
    agattr(graph, AGNODE, const_cast<char*>("shape"), const_cast<char*>("box"));
    const std::string inches = std::to_string(boxSize / 72.0);
    agattr(graph, AGNODE, const_cast<char*>("width"), const_cast<char*>(inches.c_str()));
    agattr(graph, AGNODE, const_cast<char*>("height"), const_cast<char*>(inches.c_str()));
    agattr(graph, AGNODE, const_cast<char*>("fixedsize"), const_cast<char*>("true"));
    std::vector<Agnode_t*> nodes;
    for (int k = 0; k < count; ++k)
        nodes.push_back(agnode(graph, const_cast<char*>(std::to_string(k).c_str()), 1));
    for (const DGraphSocArrange::Tie& tie : ties)
        agedge(graph, nodes[std::size_t(tie.a)], nodes[std::size_t(tie.b)], nullptr, 1);
    std::vector<QPoint> positions;
    if (gvLayout(context, graph, engine) == 0)
    {
        for (Agnode_t* node : nodes)
            positions.emplace_back(int(ND_coord(node).x), int(ND_coord(node).y));
        gvFreeLayout(context, graph);
    }
    agclose(graph);
    return positions;
}

// Where to save the pictures of our arrangements; none when empty.
QString pictures;

void Measure(const char* name, const char* file, DTest& test, int width, int height)
{
    DGraphSoc& soc = test.graph.soc;
    soc.size.Set(width, height, false);
    QImage picture;
    soc.Draw(picture);
    const std::vector<DSubjElem>& list = test.subj.List().Get();
    std::vector<QPoint> grid;
    for (const DSubjElem& subject : list)
        grid.push_back(soc.SubjOrigGet(subject));
    const std::vector<DGraphSocArrange::Tie> ties = DGraphSocArrange::Ties(soc, list);
    std::printf("%s (%d boxes, %d lines):\n", name, int(list.size()), int(ties.size()));
    const int s = soc.subjDim.Get();
    auto report = [&](const char* layout, const std::vector<QPoint>& positions, qint64 ms)
    {
        std::printf("  %-22s %9d crossings %7d across boxes", layout, DGraphSocArrange::Crossings(positions, ties),
                    DGraphSocArrange::LinesThroughBoxes(positions, ties, s));
        if (ms >= 0)
            std::printf(" %6lld ms", static_cast<long long>(ms));
        std::printf("\n");
    };
    report("grid start", grid, -1);

    QElapsedTimer timer;
    timer.start();
    for (const auto& [layout, kind] : {std::pair("by ties (ours)", DGraphSocArrange::Kind::Ties),
                                       std::pair("in rings (ours)", DGraphSocArrange::Kind::Rings)})
    {
        timer.restart();
        try
        {
            DGraphSocRings::Ring rings;
            const std::vector<QPoint> ours = DGraphSocArrange::Arrange(soc, test.subj.List(), kind, {}, &rings);
            report(layout, ours, timer.elapsed());
            if (!pictures.isEmpty())
            {
                DGraphSocArrange::Apply(test.subj.List(), true, ours);
                soc.rings.Set(true, rings);
                QImage drawn;
                soc.Draw(drawn);
                drawn.save(QStringLiteral("%1/%2-%3.png")
                               .arg(pictures, QLatin1String(file),
                                    QLatin1String(kind == DGraphSocArrange::Kind::Ties ? "ties" : "rings")));
                soc.rings = DGraphSocRings();
            }
        }
        catch (const EError&)
        {
            std::printf("  %-22s refused (too many boxes)\n", layout);
        }
    }

    GVC_t* context = gvContext();
    for (const char* engine : {"neato", "fdp"})
    {
        timer.restart();
        const std::vector<QPoint> laid = Layout(context, engine, int(list.size()), ties, soc.subjDim.Get());
        const qint64 ms = timer.elapsed();
        if (laid.size() != list.size())
            std::printf("  %-22s failed\n", engine);
        else
            report(engine, laid, ms);
    }
    gvFreeContext(context);
}
} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    DFonts::Install();
    DLanguage language(DLanguage::Store::Off);
    DTest classTest;
    BuildClassTest(classTest);
    // With a directory, the pictures of our arrangements go there.
    if (argc > 1)
        pictures = QString::fromLocal8Bit(argv[1]);
    Measure("class of 24, 800 x 600", "class", classTest, 800, 600);
    DTest largest;
    BuildLargestTest(largest);
    Measure("largest test, 4000 x 4000", "largest", largest, 4000, 4000);
    return 0;
}
