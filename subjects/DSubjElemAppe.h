#pragma once

#include "model/DElemString.h"

#include <QString>
#include <QStringList>

class DFileStream;

// The appellation of a subject: surname and name, and the text formats in
// which names are imported from lines of text.
class DSubjElemAppe
{
public:
    // The formats of a text line, in the order of the format combo box.
    enum Format
    {
        SurnameCommaName = 0,
        NameCommaSurname = 1,
        SurnameSpaceName = 2,
        NameSpaceSurname = 3,
        SurnameOnly = 4,
        NameOnly = 5
    };
    static constexpr int kFormats = 6;

    struct Parts
    {
        QString first;
        QString second;
    };

    DElemString& Surname() { return surname_; }
    const DElemString& Surname() const { return surname_; }
    DElemString& Name() { return name_; }
    const DElemString& Name() const { return name_; }

    // The full name in the chosen order; an empty part leaves no stray space.
    QString ToString(bool surnameFirst) const;
    bool IsFilled() const { return surname_.HasText() || name_.HasText(); }
    bool IsChangedByUser() const { return surname_.IsChangedByUser() || name_.IsChangedByUser(); }

    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    // The six format texts in the interface language, in Format order.
    static QStringList Types();

    // Writes one line into surname and name by the format given as an index
    // (the order of Types()). Raises 50040 when the line lacks the
    // format's separator; then nothing is assigned.
    void FromString(int format, const QString& line);

    // Splits at the first separator (a comma or a space); both parts are
    // trimmed of every character up to the space. Raises 50040 with the whole
    // line when the separator is missing.
    static Parts DivideString(const QString& line, QChar separator);

    // Removes every character whose code is 32 or less from both ends: the
    // trimming of names, which also takes away control characters.
    static QString Trim(const QString& text);

private:
    DElemString surname_;
    DElemString name_;
};
