#pragma once

#include "model/DElemInt.h"

class DFileStream;

// Order of the names wherever a subject is picked as an answer: 0 surname
// first, anything else name first.
class DAnswSubjSort
{
public:
    void SetSurnameName();
    void SetNameSurname();
    bool IsSurnameName() const;
    // Program change, used by New.
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    qint32 GetValue() const { return value_.GetValue(); }
    bool IsChangedByUser() const { return value_.IsChangedByUser(); }

    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }
    void TakeData(const DAnswSubjSort& other) { value_ = other.value_; }

private:
    DElemInt8 value_;
};
