#include "pages/commands/DCommandGraphOptions.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

namespace
{
constexpr DQuesElem::Graph kGraphs[] = {DQuesElem::Bar, DQuesElem::Tar, DQuesElem::Soc, DQuesElem::Met};

std::array<DGraphOption*, DCommandGraphOptions::kOptions> Options(DGraph& graph)
{
    return {&graph.bar.type, &graph.bar.order,   &graph.bar.scale, &graph.tar.stat,  &graph.tar.subjDim,
            &graph.soc.type, &graph.soc.subjDim, &graph.soc.elas,  &graph.met.order, &graph.weight};
}
} // namespace

DCommandGraphOptions::State DCommandGraphOptions::Capture(const DTest& test)
{
    State state;
    DGraph& graph = const_cast<DGraph&>(test.graph);
    const std::array<DGraphOption*, DCommandGraphOptions::kOptions> options = Options(graph);
    for (std::size_t k = 0; k < options.size(); ++k)
        state.options[k] = options[k]->GetValue();
    state.width = graph.soc.size.Width();
    state.height = graph.soc.size.Height();
    state.look = graph.soc.look.Flags();
    const DQuesList& list = test.ques.List();
    for (qint32 q = 0; q < list.GetSize(); ++q)
        for (DQuesElem::Graph g : kGraphs)
            state.flags.push_back(list.GetSelected(q).GraphFlag(g).GetValue());
    return state;
}

void DCommandGraphOptions::Run(DTest& test, int textId, const std::function<void()>& change, const Push& push)
{
    State before = Capture(test);
    change();
    State after = Capture(test);
    if (after != before)
        push(new DCommandGraphOptions(test, textId, std::move(before), std::move(after)));
}

DCommandGraphOptions::DCommandGraphOptions(DTest& test, int textId, State before, State after)
    : test_(test), before_(std::move(before)), after_(std::move(after))
{
    SetText(textId);
}

void DCommandGraphOptions::Apply(const State& to, const State& from)
{
    const std::array<DGraphOption*, DCommandGraphOptions::kOptions> options = Options(test_.graph);
    for (std::size_t k = 0; k < options.size(); ++k)
        if (to.options[k] != from.options[k])
            options[k]->SetValue(to.options[k], true);
    if (to.width != from.width || to.height != from.height)
        test_.graph.soc.size.Set(to.width, to.height, true);
    if (to.look != from.look)
        test_.SetLook(DGraphSocLook::FromFlags(to.look), true);
    DQuesList& list = test_.ques.List();
    const std::size_t n = std::min({to.flags.size(), from.flags.size(), std::size_t(list.GetSize()) * 4});
    for (std::size_t k = 0; k < n; ++k)
        if (to.flags[k] != from.flags[k])
            list.GetSelected(qint32(k / 4)).GraphFlag(kGraphs[k % 4]).ToGraph(to.flags[k] == 1);
}
