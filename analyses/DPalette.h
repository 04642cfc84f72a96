#pragma once

#include <QColor>
#include <Qt>

// The colours that tell acceptances from rejections and the sexes apart, in
// every analysis. Every painter takes them from here, so one setting of the
// user's (stored in the settings store) changes all pictures at once.
//
// The standard palette is green and red, as the pictures have always been;
// the safe one takes blue and orange, which stay apart under protanopia,
// deuteranopia and tritanopia, draws rejections dashed so that the kind of a
// line does not depend on colour at all, and gives the boxes a light yellow
// and a light blue that differ in lightness as well as hue.
struct DPalette
{
    QColor acceptanceLine;
    QColor rejectionLine;
    QColor acceptanceBar;
    QColor rejectionBar;
    QColor female;
    QColor other;
    bool dashedRejections = false;

    static DPalette Standard();
    static DPalette Safe();

    // The palette of the running program: the standard one until Use or Load.
    static const DPalette& Active();
    static bool IsSafe();
    static void Use(bool safe);
    // The user's setting from the settings store, and its storing.
    static void Load();
    static void Save();

    // The fill of the boxes of working group k (from 0): light tints that
    // stay apart for colour-blind eyes too; after the tenth they repeat.
    static QColor Group(int k);

    // A rejection line's style for the style its rank asks for.
    Qt::PenStyle RejectionStyle(Qt::PenStyle rankStyle) const;
};
