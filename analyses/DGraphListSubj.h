#pragma once

class DGraph;
class DSubjElem;

// One entry of the analyses' subject list: a subject record of the test and
// the analysis whose rule orders it (bar graph or metric table). The entry
// does not own the record and is valid only until the subject list is resized.
class DGraphListSubj
{
public:
    DGraphListSubj() = default;
    DGraphListSubj(const DGraph& graph, DSubjElem& subject) : graph_(&graph), subject_(&subject) {}

    void SortGraphBar();
    void SortGraphMet();
    bool IsSortGraphBar() const { return sortBar_; }
    bool IsSortGraphMet() const { return sortMet_; }

    // Orders by the bar graph's rule when this entry is flagged for it,
    // otherwise by the metric table's; raises 50020 when neither is flagged.
    bool operator<(const DGraphListSubj& other) const;

    DSubjElem& Subj() const { return *subject_; }
    DSubjElem* SubjPtr() const { return subject_; }
    const DGraph* Graph() const { return graph_; }

private:
    const DGraph* graph_ = nullptr;
    bool sortBar_ = false;
    bool sortMet_ = false;
    DSubjElem* subject_ = nullptr;
};
