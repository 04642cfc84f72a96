#pragma once

#include <QString>

// The pictures ask for "Tahoma" and derive many sizes from its line height
// (13 px at 8 points, 14 px at 9 points at 96 dpi). Where the system has no
// Tahoma, "DejaVu Sans" stands in: its line heights at 8, 9 and 12 points
// match the reference ones, so the layouts keep their proportions.
class DFonts
{
public:
    static void Install();
    static QString Family() { return QStringLiteral("Tahoma"); }
    static QString Substitute() { return QStringLiteral("DejaVu Sans"); }
};
