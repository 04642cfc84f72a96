#pragma once

#include "model/DChange.h"
#include "model/DText.h"

#include <QString>

class DFileStream;

// A stored UTF-16 text with its change state. In the file: a signed 32-bit
// count of code units, then the code units, little-endian, no terminator.
//
// Every text that enters the element, typed, imported or read, is cleaned
// for its kind (DText::Clean) and holds at most kMaxLength code units, so
// the element never writes a text that its reader would refuse. Line breaks
// stay where a file or the program put them; typing brings none.
class DElemString
{
public:
    explicit DElemString(DText::Kind kind = DText::Kind::Plain) : kind_(kind) {}

    // Stores a typed or imported text as a user change when it differs
    // (case-sensitive) from the stored one once cleaned and cut to
    // kMaxLength. The line breaks the edit brought are dropped, those the
    // stored text holds are kept: a one-line editor hands them back with
    // every key.
    void UserUpdate(const QString& text);
    // Stores a text the element held before (undo, redo) as a user change,
    // line breaks and all.
    void UserRestore(const QString& text);
    // Stores the text, cleaned and cut the same way, line breaks kept,
    // without touching the change state (program changes).
    void SetText(const QString& text);

    bool HasText() const { return !text_.isEmpty(); }
    QString ToString() const { return text_; }
    // The first maxLength code units of a longer text; otherwise the whole text.
    QString ToString(qint32 maxLength) const;

    bool IsChangedByUser() const { return change_.IsFromUser(); }
    const DChange& Change() const { return change_; }

    void ToFile(DFileStream& stream);
    // A count above kMaxLength is a damaged file (error 60010), like a
    // count past the end of the file. Line breaks are kept, so that the
    // file writes back as it was.
    void FromFile(DFileStream& stream);

    // Far above any real question, name or note, and low enough that no
    // file can make a text cost more than a few hundred kilobytes.
    static constexpr qint32 kMaxLength = 65536;
    // The most bytes a text takes in the file: its count and its code units.
    static constexpr qint64 kMaxFileBytes = 4 + 2 * qint64(kMaxLength);

private:
    QString Accepted(const QString& text, DText::Breaks breaks) const;
    // The text as typing may store it over the stored one.
    QString Typed(const QString& text) const;
    void Store(const QString& accepted);

    QString text_;
    DChange change_;
    DText::Kind kind_;
};
