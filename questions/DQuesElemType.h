#pragma once

#include "model/DElemInt.h"

#include <QString>

class DFileStream;

// Polarity of a question: 1 positive (acceptance), 0 negative (rejection).
// Any other stored value is neither.
class DQuesElemType
{
public:
    DQuesElemType() { SetPositive(); }

    // Program change: the change state is not touched.
    void SetPositive() { value_.SetValue(1, false); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    qint32 GetValue() const { return value_.GetValue(); }
    bool IsPositive() const { return value_.GetValue() == 1; }
    bool IsNegative() const { return value_.GetValue() == 0; }
    // Switches to the other polarity as a user change; returns its text.
    QString Invert();
    // "Positive" or "Negative" in the current language.
    QString ToString() const;

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
