#include "analyses/DGraphSocSel.h"

#include "model/EError.h"
#include "subjects/DSubjElem.h"

void DGraphSocSel::New(DSubjElem& subject)
{
    EError::Guard("DGraphSocSel::New()",
                  [&]
                  {
                      subject_ = &subject;
                      id_ = subject.id.GetValue();
                  });
}

void DGraphSocSel::Clear()
{
    subject_ = nullptr;
    id_ = 0;
}

DSubjElem& DGraphSocSel::Get() const
{
    if (!subject_)
        throw EError(50020, {"DGraphSocSel::Get()"});
    return *subject_;
}

bool DGraphSocSel::Is(const DSubjElem& subject) const
{
    return subject_ && subject.id.GetValue() == id_;
}

void DGraphSocSel::MoveStart(qint32 dx, qint32 dy)
{
    dx_ = dx;
    dy_ = dy;
    moving_ = true;
}

void DGraphSocSel::Refind(std::vector<DSubjElem>& subjects)
{
    if (!subject_)
        return;
    subject_ = nullptr;
    for (DSubjElem& subject : subjects)
        if (subject.id.GetValue() == id_)
        {
            subject_ = &subject;
            return;
        }
    Clear();
    moving_ = false;
}
