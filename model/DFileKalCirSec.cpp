#include "model/DFileKalCirSec.h"

#include "model/DFileStream.h"
#include "model/EError.h"

namespace
{
void SeekSection(DFileStream& stream, qint64 start)
{
    // A start inside the magic, the version or the table would read the
    // file's own framing as the section: the matrix found no answer there,
    // and the next save wiped them all.
    if (start < DFileKalCirSec::kSectionsStart || start > stream.Size() || !stream.Seek(start))
        throw EError(60010, {"DFileKalCirSec::PositionFromFile()"});
}
} // namespace

DFileKalCirSec::DFileKalCirSec(int slot) : slotOffset_(kTableOffset + 8 * qint64(slot))
{
}

void DFileKalCirSec::PositionToFile(DFileStream& stream) const
{
    const qint64 start = stream.Pos();
    if (!stream.Seek(slotOffset_) || !stream.WriteInt64(start) || !stream.Seek(start))
        throw EError(60000, {"DFileKalCirSec::PositionToFile()"});
}

void DFileKalCirSec::PositionFromFile(DFileStream& stream) const
{
    SeekSection(stream, SlotFromFile(stream));
}

bool DFileKalCirSec::OptionalPositionFromFile(DFileStream& stream) const
{
    const qint64 start = SlotFromFile(stream);
    if (start == 0)
        return false;
    SeekSection(stream, start);
    return true;
}

qint64 DFileKalCirSec::SlotFromFile(DFileStream& stream) const
{
    qint64 start = 0;
    if (!stream.Seek(slotOffset_) || !stream.ReadInt64(start))
        throw EError(60010, {"DFileKalCirSec::PositionFromFile()"});
    return start;
}
