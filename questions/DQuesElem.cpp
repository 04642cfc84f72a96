#include "questions/DQuesElem.h"

#include "model/EError.h"

DQuesElemGraph& DQuesElem::GraphFlag(Graph graph)
{
    switch (graph)
    {
    case Bar:
        return graphBar;
    case Tar:
        return graphTar;
    case Soc:
        return graphSoc;
    case Met:
        break;
    }
    return graphMet;
}

const DQuesElemGraph& DQuesElem::GraphFlag(Graph graph) const
{
    return const_cast<DQuesElem*>(this)->GraphFlag(graph);
}

bool DQuesElem::IsChangedByUser() const
{
    return type.IsChangedByUser() || text.IsChangedByUser() || graphBar.IsChangedByUser() ||
           graphTar.IsChangedByUser() || graphSoc.IsChangedByUser() || graphMet.IsChangedByUser();
}

void DQuesElem::ToFile(DFileStream& stream)
{
    EError::Guard("DQuesElem::ToFile()", [&] {
        type.ToFile(stream);
        text.ToFile(stream);
        graphBar.ToFile(stream);
        graphTar.ToFile(stream);
        graphSoc.ToFile(stream);
        graphMet.ToFile(stream);
    });
}

void DQuesElem::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DQuesElem::FromFile()", [&] {
        type.FromFile(stream);
        text.FromFile(stream);
        graphBar.FromFile(stream);
        graphTar.FromFile(stream);
        graphSoc.FromFile(stream);
        if (version >= 2)
            graphMet.FromFile(stream);
    });
}
