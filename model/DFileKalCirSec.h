#pragma once

#include <QtGlobal>

class DFileStream;

// Binds a component to its slot of the test file's section-position table.
class DFileKalCirSec
{
public:
    // Slots 0..4: questions, answer settings, subjects, choice matrix, analyses;
    // slot 5: the tagged section, present only when it holds records.
    explicit DFileKalCirSec(int slot);

    qint64 SlotOffset() const { return slotOffset_; }

    // Records the current position (the end of the file) as the start of the
    // component's section, then returns to it.
    void PositionToFile(DFileStream& stream) const;
    // Moves the stream to the start of the component's section; a start
    // before kSectionsStart or past the end is a damaged file (error 60010).
    void PositionFromFile(DFileStream& stream) const;
    // The same for a section a file may lack: a slot holding 0 (what every
    // writer before that section put in the reserved slots) means no section;
    // then the stream is left anywhere and false is returned.
    bool OptionalPositionFromFile(DFileStream& stream) const;

    static constexpr qint64 kTableOffset = 46;
    static constexpr int kSlots = 10;
    // Where the table ends and the first section may start.
    static constexpr qint64 kSectionsStart = kTableOffset + 8 * kSlots;

private:
    qint64 SlotFromFile(DFileStream& stream) const;

    qint64 slotOffset_;
};
