#pragma once

#include "model/DChange.h"
#include "model/DFileStream.h"
#include "model/EError.h"

#include <QtGlobal>

// A stored integer with its change state. In memory the value is always a
// full 32-bit integer; in the file it takes Bytes bytes (4, or 1 for small
// codes, whose high bits are dropped on writing and sign-extended on reading).
template <int Bytes> class DElemInt
{
    static_assert(Bytes == 4 || Bytes == 1);

public:
    void SetValue(qint32 value, bool byUser)
    {
        if (value == value_)
            return;
        value_ = value;
        if (byUser)
            change_.FromUser();
    }

    qint32 GetValue() const { return value_; }
    bool IsChangedByUser() const { return change_.IsFromUser(); }
    // For a change the user made to what the element stands for rather than
    // to its value (an import that replaces a whole list).
    void MarkChangedByUser() { change_.FromUser(); }
    const DChange& Change() const { return change_; }

    // The bytes the element takes in the file.
    static constexpr qint64 kFileBytes = Bytes;

    void ToFile(DFileStream& stream) { ToFileAs(stream, value_); }
    // Writes another value in the element's place: for a value that earlier
    // readers must see as the one they know that is closest to it.
    void ToFileAs(DFileStream& stream, qint32 stored)
    {
        bool ok;
        if constexpr (Bytes == 4)
            ok = stream.WriteInt32(stored);
        else
        {
            const qint8 byte = static_cast<qint8>(stored & 0xFF);
            ok = stream.Write(&byte, 1);
        }
        if (!ok)
            throw EError(60000, {Bytes == 4 ? "DElemInt32::ToFile()" : "DElemInt8::ToFile()"});
        stream.Saved(change_);
    }
    // The value was saved by other means than ToFile (written in another form).
    void MarkSaved(DFileStream& stream) { stream.Saved(change_); }

    void FromFile(DFileStream& stream)
    {
        bool ok;
        qint32 value = 0;
        if constexpr (Bytes == 4)
            ok = stream.ReadInt32(value);
        else
        {
            qint8 byte = 0;
            ok = stream.Read(&byte, 1);
            value = byte;
        }
        if (!ok)
            throw EError(60010, {Bytes == 4 ? "DElemInt32::FromFile()" : "DElemInt8::FromFile()"});
        value_ = value;
    }

private:
    qint32 value_ = 0;
    DChange change_;
};

using DElemInt32 = DElemInt<4>;
using DElemInt8 = DElemInt<1>;
