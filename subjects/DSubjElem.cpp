#include "subjects/DSubjElem.h"

void DSubjElem::ToFile(DFileStream& stream)
{
    appe.ToFile(stream);
    sex.ToFile(stream);
    note.ToFile(stream);
    soci.ToFile(stream);
}

void DSubjElem::FromFile(DFileStream& stream)
{
    appe.FromFile(stream);
    sex.FromFile(stream);
    note.FromFile(stream);
    soci.FromFile(stream);
}
