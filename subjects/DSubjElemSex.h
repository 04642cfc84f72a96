#pragma once

#include "model/DElemInt.h"

#include <QString>

class DFileStream;

// Sex of a subject: 0 is female, every other value reads as male.
class DSubjElemSex
{
public:
    // Program setting used for new subjects: the change state is untouched.
    void SetFemale() { value_.SetValue(0, false); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    qint32 GetValue() const { return value_.GetValue(); }
    bool IsFemale() const { return value_.GetValue() == 0; }

    // The user's toggle: male when female, female otherwise; returns the new text.
    QString Invert();
    // "Female" or "Male" in the interface language.
    QString ToString() const;

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
