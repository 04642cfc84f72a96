#pragma once

#include "model/DElemInt.h"

#include <QString>
#include <QtGlobal>

class DFileStream;

// Width and height of the sociogram's drawing area in pixels.
class DGraphSocSize
{
public:
    DGraphSocSize();

    static constexpr qint32 kMin = 400;
    static constexpr qint32 kMax = 4000;

    qint32 Width() const { return width_.GetValue(); }
    qint32 Height() const { return height_.GetValue(); }
    // Program settings (tests, copies); the user's way is UpdateWidth and
    // UpdateHeight.
    void Set(qint32 width, qint32 height, bool byUser);

    // The user's width or height: a whole number in 400..4000 or error 50080.
    void UpdateWidth(const QString& text);
    void UpdateHeight(const QString& text);

    bool IsChangedByUser() const;
    void ToFile(DFileStream& stream);
    // A size outside 400..4000 can only come from a damaged file: error 60020.
    void FromFile(DFileStream& stream);

private:
    static void Store(DElemInt32& element, const QString& text);

    DElemInt32 width_;
    DElemInt32 height_;
};
