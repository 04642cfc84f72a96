#pragma once

#include <QString>

// What a stored text may hold. Texts reach the pictures, the CSV, SVG files
// and other programs: characters that are invisible there, or that reorder
// what is drawn around them, would let a name hide or pass for another, and
// those that XML forbids would make an SVG file unreadable.
class DText
{
public:
    enum class Kind
    {
        // A name, a question, a description: no control character at all.
        Plain,
        // A note: tabs may lay it out.
        Tabbed
    };

    // Line breaks (CR and LF) are kept where a test file holds them, so that
    // the file reads and writes back as it was; typed into a one-line field
    // or imported line by line, they cannot be meant.
    enum class Breaks
    {
        Remove,
        Keep
    };

    // The text without control characters (U+0000 to U+001F, tab kept in
    // Tabbed texts, CR and LF kept when breaks are, and U+007F), without
    // bidirectional overrides and isolates (U+202A to U+202E, U+2066 to
    // U+2069) and without noncharacters (U+FDD0 to U+FDEF and the last two
    // code points of every plane, U+FFFE and U+FFFF among them); a surrogate
    // that is not half of a pair becomes U+FFFD. A text that holds none of
    // these comes back as it is, sharing its data.
    static QString Clean(const QString& text, Kind kind, Breaks breaks = Breaks::Remove);
};
