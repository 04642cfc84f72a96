#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The one way the program writes comma-separated text, for every table it
// exports. A cell is written as it is unless it has to be protected:
// - a comma, a double quote or a line break would split it, so it is enclosed
//   in double quotes with inner quotes doubled;
// - a text that begins with =, +, -, @, tab or carriage return would run as a
//   formula when the file is opened in a spreadsheet (a subject named
//   =HYPERLINK(...) would send other cells away), so it gets a leading ' and
//   is always enclosed in double quotes, which spreadsheets show as text.
// A negative number (a minus, digits, optional decimals after a full stop) is
// data, not a formula, and stays exactly as it is.
class DCsv
{
public:
    // How a table's file is written. Every table takes it, so that a choice of
    // separator, decimal mark or byte-order mark reaches all of them alike;
    // the defaults are the comma, the full stop and no mark.
    struct Options
    {
    };

    static QString Cell(const QString& text);
    // The cells joined by commas.
    static QString Line(const QStringList& cells);
    // The bytes of a file of such lines: UTF-8 without byte-order mark, every
    // line (the last included) ended by CR LF.
    static QByteArray Bytes(const QStringList& lines);
};
