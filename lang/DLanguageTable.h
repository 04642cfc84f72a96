#pragma once

#include <cstddef>

// One row of the compiled-in string table: an id with its English and
// Italian text side by side, so a missing translation shows up in review.
struct DLanguageEntry
{
    int id;
    const char16_t* eng;
    const char16_t* ita;
};

// The whole table, sorted by id (ascending, no duplicates).
extern const DLanguageEntry kLanguageTable[];
extern const std::size_t kLanguageTableSize;
