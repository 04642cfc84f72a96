#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <QStringList>

// How a table's file is written. Every table takes it, so that a choice of
// separator, decimal mark or byte-order mark reaches all of them alike; the
// defaults are the comma, the full stop and no mark. (Outside DCsv because
// DCsv's functions take it as a default argument.)
struct DCsvOptions
{
    enum class Separator
    {
        Comma,
        Semicolon,
        Tab
    };
    enum class Decimal
    {
        Point,
        Comma
    };
    Separator separator = Separator::Comma;
    Decimal decimal = Decimal::Point;
    // A UTF-8 byte-order mark first: without it spreadsheets read the file
    // in the system's old code page and garble accented names.
    bool byteOrderMark = false;

    QChar SeparatorChar() const;
    QChar DecimalMark() const;
    // What spreadsheets of the language expect (DLanguage::English or
    // Italian): where the comma is the decimal mark, the semicolon
    // separates; a file for a spreadsheet starts with the mark.
    static DCsvOptions ForSpreadsheet(int language);
    bool operator==(const DCsvOptions&) const = default;
};

// The one way the program writes comma-separated text, for every table it
// exports. A cell is written as it is unless it has to be protected:
// - the separator, a double quote or a line break would split it, so it is
//   enclosed in double quotes with inner quotes doubled;
// - a text that begins with =, +, -, @, tab or carriage return would run as a
//   formula when the file is opened in a spreadsheet (a subject named
//   =HYPERLINK(...) would send other cells away), so it gets a leading ' and
//   is always enclosed in double quotes, which spreadsheets show as text.
// A negative number (a minus, digits, optional decimals after the options'
// decimal mark) is data, not a formula, and stays exactly as it is.
class DCsv
{
public:
    using Options = DCsvOptions;

    // A number with decimals as a table cell holds it: the options' decimal
    // mark and no grouping, whatever the regional settings; a value that
    // rounds to zero shows no minus sign.
    static QString Number(double value, int decimals, const Options& options = {});

    static QString Cell(const QString& text, const Options& options = {});
    // The cells joined by the separator.
    static QString Line(const QStringList& cells, const Options& options = {});
    // A row of a table copied as text: the cells joined by tabs, as
    // spreadsheets take a paste. A cell that would run as a formula is
    // written as the files write it (quoted, after a '); every other cell
    // stays as it is, so a copy still reads as the table shows it.
    static QString ClipboardLine(const QStringList& cells);
    // The bytes of a file of such lines: UTF-8, the byte-order mark only when
    // asked for, every line (the last included) ended by CR LF.
    static QByteArray Bytes(const QStringList& lines, const Options& options = {});
};
