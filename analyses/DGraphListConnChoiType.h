#pragma once

#include <QtGlobal>

class QPainter;

// The best rank of a choice in one direction of a connection: 0 none, 1 first
// choice, 2 second, 3 third or later. A lower non-zero code is better, and a
// code only ever improves.
class DGraphListConnChoiType
{
public:
    static constexpr qint32 kNone = 0;
    static constexpr qint32 kFirst = 1;
    static constexpr qint32 kSecond = 2;
    static constexpr qint32 kThird = 3;

    qint32 GetValue() const { return value_; }

    // Improves the code from a 0-based answer position.
    void SetFromAnswer(qint32 rank);
    // Pen width and style and a white brush for the code; the pen colour is
    // the sociogram's. Code 0 leaves the surface as it is.
    void SetPen(QPainter& surface) const;

private:
    qint32 value_ = kNone;
};
