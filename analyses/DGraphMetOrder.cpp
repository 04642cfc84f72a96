#include "analyses/DGraphMetOrder.h"

#include "model/EError.h"

void DGraphMetOrder::Update(int index)
{
    EError::Guard("DGraphMetOrder::Update()", [&] { Choose(index); });
}
