#include "answers/DAnsw.h"

#include "model/DFileStream.h"
#include "model/EError.h"

DAnsw::DAnsw(DDesi& desi) : num(desi), sec_(1)
{
    New();
}

void DAnsw::New()
{
    EError::Guard("DAnsw::New()", [&] {
        num.SetValue(DAnswNum::kDefault, false);
        subjSort.SetValue(0, false);
    });
}

bool DAnsw::IsChangedByUser() const
{
    return EError::Guard("DAnsw::IsChangedByUser()",
                         [&] { return num.IsChangedByUser() || subjSort.IsChangedByUser(); });
}

void DAnsw::ToFile(DFileStream& stream)
{
    EError::Guard("DAnsw::ToFile()", [&] {
        sec_.PositionToFile(stream);
        num.ToFile(stream);
        subjSort.ToFile(stream);
    });
}

void DAnsw::FromFile(DFileStream& stream)
{
    EError::Guard("DAnsw::FromFile()", [&] {
        sec_.PositionFromFile(stream);
        num.FromFile(stream);
        subjSort.FromFile(stream);
    });
}

void DAnsw::TakeData(const DAnsw& other)
{
    EError::Guard("DAnsw::TakeData()", [&] {
        num.TakeData(other.num);
        subjSort.TakeData(other.subjSort);
    });
}
