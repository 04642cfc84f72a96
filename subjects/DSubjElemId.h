#pragma once

#include "model/DElemInt.h"

#include <QtGlobal>

// The subject's number 1..n in list order. It is given again after every
// resize and load and never written to the file.
class DSubjElemId
{
public:
    qint32 GetValue() const { return value_.GetValue(); }
    void SetValue(qint32 value, bool byUser) { value_.SetValue(value, byUser); }
    bool IsValid() const { return IsValid(value_.GetValue()); }
    static bool IsValid(qint32 id) { return id >= 1 && id <= 100; }

private:
    DElemInt32 value_;
};
