#pragma once

#include "model/DElemInt.h"

#include <QString>
#include <QtGlobal>

class DDesi;
class DFileStream;

// The number of answers every subject gives to every question (1..10); the
// answer dimension of the choice matrix follows it.
class DAnswNum
{
public:
    explicit DAnswNum(DDesi& desi);

    // Stores the number and always tells the matrix.
    void SetValue(qint32 value, bool byUser);
    // The user's text: a whole number from 1 to 10, or error 50060.
    void SetFromText(const QString& text);
    qint32 GetValue() const { return value_.GetValue(); }
    bool IsChangedByUser() const { return value_.IsChangedByUser(); }

    void ToFile(DFileStream& stream);
    // A number outside 1..10 is a damaged file: error 60020 naming the file.
    void FromFile(DFileStream& stream);

    // Copies the number and its change state; the matrix is not told.
    void TakeData(const DAnswNum& other) { value_ = other.value_; }

    static constexpr qint32 kMin = 1;
    static constexpr qint32 kMax = 10;
    static constexpr qint32 kDefault = 3;

private:
    DDesi& desi_;
    DElemInt32 value_;
};
