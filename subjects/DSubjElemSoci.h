#pragma once

#include "subjects/DSubjElemSociOrig.h"

#include <QImage>

class DFileStream;

// The sociogram's part of a subject: its two stored positions and the
// picture of its box, which the sociogram draws once and reuses.
class DSubjElemSoci
{
public:
    bool IsChangedByUser() const { return acceptance.IsChangedByUser() || rejection.IsChangedByUser(); }
    void ToFile(DFileStream& stream)
    {
        acceptance.ToFile(stream);
        rejection.ToFile(stream);
    }
    void FromFile(DFileStream& stream)
    {
        acceptance.FromFile(stream);
        rejection.FromFile(stream);
    }

    DSubjElemSociOrig acceptance;
    DSubjElemSociOrig rejection;
    // Null until the sociogram draws the box; never stored.
    QImage picture;
};
