#pragma once

#include "model/DElemString.h"
#include "subjects/DSubjElemAppe.h"
#include "subjects/DSubjElemId.h"
#include "subjects/DSubjElemSele.h"
#include "subjects/DSubjElemSex.h"
#include "subjects/DSubjElemSoci.h"

class DFileStream;

// One subject of the group. A plain record: the analyses read and fill its
// parts directly, so they are public members.
class DSubjElem
{
public:
    // Stored parts: surname, name, sex, note and the two sociogram positions.
    bool IsChangedByUser() const
    {
        return appe.IsChangedByUser() || sex.IsChangedByUser() || note.IsChangedByUser() || soci.IsChangedByUser();
    }
    // Two records are the same subject when both carry the same valid identifier.
    bool IsSame(const DSubjElem& other) const
    {
        return id.IsValid() && other.id.IsValid() && id.GetValue() == other.id.GetValue();
    }

    // Surname, name, sex, note, acceptance x and y, rejection x and y.
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    DSubjElemId id;
    DSubjElemAppe appe;
    DSubjElemSex sex;
    DElemString note{DText::Kind::Tabbed};
    DSubjElemSele acceptanceReceived;
    DSubjElemSele acceptanceGiven;
    DSubjElemSele rejectionReceived;
    DSubjElemSele rejectionGiven;
    DSubjElemSoci soci;
};
