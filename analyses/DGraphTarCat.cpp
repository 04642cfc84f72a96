#include "analyses/DGraphTarCat.h"

#include "model/EError.h"

#include <cmath>
#include <numbers>

void DGraphTarCat::Clear()
{
    EError::Guard("DGraphTarCat::Clear()", [&] { subjects.clear(); });
}

qint32 DGraphTarCat::RadiusMin(qint32 count, qint32 previous, qint32 cel)
{
    if (count <= 0)
        return previous + cel;
    // Circumradius of the regular polygon of count + 1 sides of length cel.
    return qint32(std::ceil(cel / (2.0 * std::sin(std::numbers::pi / (count + 1)))));
}

void DGraphTarCat::SetRadiusMin(qint32 previous, qint32 cel)
{
    EError::Guard("DGraphTarCat::SetRadiusMin()", [&] { radius = RadiusMin(qint32(subjects.size()), previous, cel); });
}
