#pragma once

#include "analyses/DGraphBarOrder.h"
#include "analyses/DGraphBarScale.h"
#include "analyses/DGraphBarType.h"

class DFileStream;
class DGraph;
class DGraphListSubj;
class DSubjList;
class QImage;

// The bar graph: for every subject a box on the middle line, a green bar of
// the acceptances it received above it and a red bar of the rejections below.
// Holds the three options of the picture; DDrawBar paints it.
class DGraphBar
{
public:
    explicit DGraphBar(DGraph& graph);
    DGraphBar(const DGraphBar&) = delete;
    DGraphBar& operator=(const DGraphBar&) = delete;

    DGraph& Graph() const { return graph_; }

    // Counts the acceptances and rejections every subject received through
    // the questions selected for the bar graph (by the type's rule) into the
    // subject records, then refills the analyses' subject list in the order
    // the order option asks for.
    void Prepare(DSubjList& subjects);

    // The bar graph's sort rule over the counts Prepare left in the records
    // (nothing is counted here). 50020 "DGraphListSubj::operator<()" for an
    // order value outside 0..2.
    bool Less(const DGraphListSubj& a, const DGraphListSubj& b) const;

    // Checks the answers, prepares and paints the document's subjects; the
    // picture takes the graph's size. On any failure the picture is left
    // white and the error passes on.
    void Draw(QImage& picture);

    bool IsChangedByUser() const;
    // The bar graph block of the analyses section: type, order, scale.
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);
    // Copies the options with their change states.
    void TakeData(const DGraphBar& other);

    DGraphBarType type;
    DGraphBarOrder order;
    DGraphBarScale scale;

private:
    DGraph& graph_;
};
