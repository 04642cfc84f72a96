#pragma once

#include <QString>

#include <optional>

// One line of a names list pasted or typed by the user, split into what it
// gives a subject. Columns copied from a spreadsheet arrive separated by
// tabs: the names (surname and name in two columns, or both in one column
// split by the chosen format), then an optional sex and an optional note.
// A line without tabs holds the names alone, in the chosen format.
struct DSubjNameLine
{
    QString surname;
    QString name;
    // Absent when the line gives no sex or no note: the subject keeps its own.
    std::optional<bool> female;
    std::optional<QString> note;

    // A line that holds only blanks is no subject: the lists people paste
    // often end with one.
    static bool IsBlank(const QString& line);
    // Splits a line by a format of DSubjElemAppe. Raises 27000 naming the
    // line's number (from 1) and the line, and saying why it was refused.
    static DSubjNameLine Parse(int format, const QString& line, qsizetype number);
    // F/M, female/male, femmina/maschio in any case; nullopt for any other
    // word.
    static std::optional<bool> ParseSex(const QString& word);
};
