#pragma once

#include "model/DElemInt.h"

class DFileStream;

// Whether one analysis takes the answers to a question into account
// (1 requested, 0 left out). A new flag is requested.
class DQuesElemGraph
{
public:
    DQuesElemGraph() { value_.SetValue(1, false); }

    bool IsRequested() const { return value_.GetValue() == 1; }
    // A user change when the value changes.
    void ToGraph(bool requested) { value_.SetValue(requested ? 1 : 0, true); }
    qint32 GetValue() const { return value_.GetValue(); }

    bool IsChangedByUser() const { return value_.IsChangedByUser(); }
    void ToFile(DFileStream& stream) { value_.ToFile(stream); }
    void FromFile(DFileStream& stream) { value_.FromFile(stream); }

private:
    DElemInt8 value_;
};
