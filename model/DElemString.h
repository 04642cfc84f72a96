#pragma once

#include "model/DChange.h"

#include <QString>

class DFileStream;

// A stored UTF-16 text with its change state. In the file: a signed 32-bit
// count of code units, then the code units, little-endian, no terminator.
class DElemString
{
public:
    // Stores the text as a user change when it differs (case-sensitive).
    void UserUpdate(const QString& text);
    // Stores the text without touching the change state (program changes).
    void SetText(const QString& text) { text_ = text; }

    bool HasText() const { return !text_.isEmpty(); }
    QString ToString() const { return text_; }
    // The first maxLength code units of a longer text; otherwise the whole text.
    QString ToString(qint32 maxLength) const;

    bool IsChangedByUser() const { return change_.IsFromUser(); }
    const DChange& Change() const { return change_; }

    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

private:
    QString text_;
    DChange change_;
};
