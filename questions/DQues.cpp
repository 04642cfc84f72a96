#include "questions/DQues.h"

#include "model/DFileStream.h"
#include "model/EError.h"

DQues::DQues(DQuesList::Resize resize) : sec_(0), list_(std::move(resize))
{
}

void DQues::New()
{
    EError::Guard("DQues::New()", [&] { list_.SetSize(DQuesList::kDefault, false); });
}

bool DQues::IsChangedByUser() const
{
    return EError::Guard("DQues::IsChangedByUser()", [&] { return list_.IsChangedByUser(); });
}

void DQues::ToFile(DFileStream& stream)
{
    EError::Guard("DQues::ToFile()",
                  [&]
                  {
                      sec_.PositionToFile(stream);
                      list_.ToFile(stream);
                  });
}

void DQues::FromFile(DFileStream& stream, qint32 version)
{
    EError::Guard("DQues::FromFile()",
                  [&]
                  {
                      sec_.PositionFromFile(stream);
                      list_.FromFile(stream, version);
                  });
}

void DQues::TakeData(const DQues& other)
{
    EError::Guard("DQues::TakeData()", [&] { list_.TakeData(other.list_); });
}
