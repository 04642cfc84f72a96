#include "analyses/DGraphBarScale.h"

qint32 DGraphBarScale::GetDivisor() const
{
    const qint32 value = GetValue();
    return value >= 0 && value <= 4 ? 1 << value : 1;
}
