#pragma once

#include "model/DElemInt.h"

#include <QPoint>

class DFileStream;

// A subject's stored position in one of the two sociograms, in pixels.
class DSubjElemSociOrig
{
public:
    void Set(bool byUser, qint32 x, qint32 y)
    {
        x_.SetValue(x, byUser);
        y_.SetValue(y, byUser);
    }
    QPoint Get() const { return QPoint(x_.GetValue(), y_.GetValue()); }
    qint32 X() const { return x_.GetValue(); }
    qint32 Y() const { return y_.GetValue(); }

    bool IsChangedByUser() const { return x_.IsChangedByUser() || y_.IsChangedByUser(); }
    void ToFile(DFileStream& stream)
    {
        x_.ToFile(stream);
        y_.ToFile(stream);
    }
    void FromFile(DFileStream& stream)
    {
        x_.FromFile(stream);
        y_.FromFile(stream);
    }

private:
    DElemInt32 x_;
    DElemInt32 y_;
};
