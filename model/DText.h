#pragma once

#include <QString>

// What a stored text may hold. Texts reach the pictures, the CSV and other
// programs: characters that are invisible there, or that reorder what is
// drawn around them, would let a name hide or pass for another.
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

    // The text without control characters (U+0000 to U+001F, tab kept in
    // Tabbed texts, and U+007F) and without bidirectional overrides and
    // isolates (U+202A to U+202E, U+2066 to U+2069); a surrogate that is not
    // half of a pair becomes U+FFFD. A text that holds none of these comes
    // back as it is, sharing its data.
    static QString Clean(const QString& text, Kind kind);
};
