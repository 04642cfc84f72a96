#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <optional>

// Drawing options of the sociogram that make a dense picture easier to read,
// all off by default, when the picture is the one every earlier version drew.
//
// Stored as one byte of flags (bit 0 names above lines, bit 1 circles
// without white corners, bit 2 the pointer takes the box drawn on top);
// other bits and further bytes are ignored, so any data reads.
struct DGraphSocLook
{
    // Every line first, then the boxes, so that no line hides a name.
    bool namesAbove = false;
    // A circle's box leaves its corners to what lies below.
    bool plainCircles = false;
    // Where boxes overlap, the pointer takes the one drawn last, on top.
    bool topmostPick = false;

    quint8 Flags() const;
    static DGraphSocLook FromFlags(quint8 flags);
    // No record while every option is off: the file stays as it was.
    std::optional<QByteArray> Record() const;
    static DGraphSocLook FromRecord(const std::optional<QByteArray>& record);

    bool operator==(const DGraphSocLook&) const = default;
};
