#pragma once

#include "analyses/DGraphListConnChoiType.h"

// The two directions of a connection: the chooser's best rank for the chosen
// subject and, once the choice is mutual, the chosen subject's best rank for
// the chooser.
class DGraphListConnChoi
{
public:
    DGraphListConnChoiType forward;
    DGraphListConnChoiType backward;
    bool mutual = false;
};
