#pragma once

#include "model/DElemString.h"
#include "questions/DQuesElemGraph.h"
#include "questions/DQuesElemType.h"

#include <QtGlobal>

class DFileStream;

// One question: polarity, text and the selections of the four analyses,
// stored in this order.
class DQuesElem
{
public:
    // Analysis selections, numbered as in the file (flags 1..4).
    enum Graph
    {
        Bar = 0,
        Tar = 1,
        Soc = 2,
        Met = 3
    };

    DQuesElemType type;
    DElemString text;
    DQuesElemGraph graphBar;
    DQuesElemGraph graphTar;
    DQuesElemGraph graphSoc;
    DQuesElemGraph graphMet;

    DQuesElemGraph& GraphFlag(Graph graph);
    const DQuesElemGraph& GraphFlag(Graph graph) const;

    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    // Version 1 records have no metric table flag; it keeps its default.
    void FromFile(DFileStream& stream, qint32 version);
};
