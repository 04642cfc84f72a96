#include "answers/DAnswSubjSort.h"

#include "model/EError.h"

void DAnswSubjSort::SetSurnameName()
{
    EError::Guard("DAnswSubjSort::SetSurnameName()", [&] { value_.SetValue(0, true); });
}

void DAnswSubjSort::SetNameSurname()
{
    EError::Guard("DAnswSubjSort::SetNameSurname()", [&] { value_.SetValue(1, true); });
}

bool DAnswSubjSort::IsSurnameName() const
{
    return EError::Guard("DAnswSubjSort::IsSurnameName()", [&] { return value_.GetValue() == 0; });
}
