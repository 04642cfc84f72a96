// Measures the line crossings of the sociogram laid out by the graph-layout
// library (neato, a stress layout, and fdp, a force layout) against the grid
// start and our arrangement by ties, on the class of 24 and on the largest
// test, with the time each takes. Not part of the program: it answers
// whether the library would place the boxes better than our own code.

#include "analyses/DFonts.h"
#include "analyses/DGraph.h"
#include "analyses/DGraphSocArrange.h"
#include "analyses/DPicture.h"
#include "bench/ClassTest.h"
#include "bench/LargestTest.h"
#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QElapsedTimer>
#include <QGuiApplication>

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <cstdio>
#include <string>
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

void Measure(const char* name, DTest& test, int width, int height)
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
    std::printf("  %-22s %9d crossings\n", "grid start", DGraphSocArrange::Crossings(grid, ties));

    QElapsedTimer timer;
    timer.start();
    const std::vector<QPoint> ours = DGraphSocArrange::Arrange(soc, test.subj.List(), DGraphSocArrange::Kind::Ties, {});
    const qint64 oursMs = timer.elapsed();
    std::printf("  %-22s %9d crossings %6lld ms\n", "by ties (ours)", DGraphSocArrange::Crossings(ours, ties),
                static_cast<long long>(oursMs));

    GVC_t* context = gvContext();
    for (const char* engine : {"neato", "fdp"})
    {
        timer.restart();
        const std::vector<QPoint> laid = Layout(context, engine, int(list.size()), ties, soc.subjDim.Get());
        const qint64 ms = timer.elapsed();
        if (laid.size() != list.size())
            std::printf("  %-22s failed\n", engine);
        else
            std::printf("  %-22s %9d crossings %6lld ms\n", engine, DGraphSocArrange::Crossings(laid, ties),
                        static_cast<long long>(ms));
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
    Measure("class of 24, 800 x 600", classTest, 800, 600);
    DTest largest;
    BuildLargestTest(largest);
    Measure("largest test, 4000 x 4000", largest, 4000, 4000);
    return 0;
}
