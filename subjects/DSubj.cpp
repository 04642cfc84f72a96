#include "subjects/DSubj.h"

#include "model/EError.h"

DSubj::DSubj(DSubjList::Resize resize) : list_(std::move(resize))
{
}

void DSubj::New()
{
    EError::Guard("DSubj::New()",
                  [&]
                  {
                      // A new test starts with a new, empty description rather than the
                      // previous group's text.
                      description_ = DElemString();
                      list_.SetSize(DSubjList::kDefaultSubjects, false);
                  });
}

bool DSubj::IsChangedByUser() const
{
    return description_.IsChangedByUser() || list_.IsChangedByUser();
}

void DSubj::ToFile(DFileStream& stream)
{
    EError::Guard("DSubj::ToFile()",
                  [&]
                  {
                      section_.PositionToFile(stream);
                      description_.ToFile(stream);
                      list_.ToFile(stream);
                  });
}

void DSubj::FromFile(DFileStream& stream)
{
    EError::Guard("DSubj::FromFile()",
                  [&]
                  {
                      section_.PositionFromFile(stream);
                      description_.FromFile(stream);
                      list_.FromFile(stream);
                  });
}

void DSubj::TakeData(const DSubj& other)
{
    EError::Guard("DSubj::TakeData()",
                  [&]
                  {
                      description_ = other.description_;
                      list_.TakeData(other.list_);
                  });
}
