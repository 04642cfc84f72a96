#include "analyses/DGraphListSubj.h"

#include "analyses/DGraph.h"
#include "model/EError.h"

void DGraphListSubj::SortGraphBar()
{
    sortBar_ = true;
    sortMet_ = false;
}

void DGraphListSubj::SortGraphMet()
{
    sortBar_ = false;
    sortMet_ = true;
}

bool DGraphListSubj::operator<(const DGraphListSubj& other) const
{
    return EError::Guard("DGraphListSubj::operator<()",
                         [&]
                         {
                             // Only this entry's flags choose the rule: a list is always tagged
                             // as a whole before it is sorted.
                             if (!graph_ || !subject_ || !other.subject_)
                                 throw EError(50020, {"DGraphListSubj::operator<()"});
                             if (sortBar_)
                                 return graph_->bar.Less(*this, other);
                             if (sortMet_)
                                 return graph_->met.Less(*this, other);
                             throw EError(50020, {"DGraphListSubj::operator<()"});
                         });
}
