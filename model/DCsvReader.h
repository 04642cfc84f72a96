#pragma once

#include <QByteArray>
#include <QChar>
#include <QList>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// Reads the comma-separated files other programs write (form services,
// spreadsheets): quoted cells with doubled quotes, separators and line
// breaks inside quotes, CR LF or LF line ends, UTF-8 with or without a
// byte-order mark. The separator is the comma, the semicolon (spreadsheets
// set to a decimal comma) or the tab, whichever the first record holds most
// of outside quotes. Writing stays with DCsv.
class DCsvReader
{
public:
    struct Record
    {
        // The line of the file on which the record starts, from 1: what the
        // user looks for in an editor or a spreadsheet.
        qint32 line = 0;
        QStringList cells;
    };

    // Told now and then how many of the file's characters are read; answering
    // false stops the reading.
    using Progress = std::function<bool(qint64 done, qint64 total)>;

    // The records of a file's bytes; empty lines are no records. name is the
    // file as messages call it. A cell whose quotes do not close, text after
    // a closing quote or bytes that are not UTF-8 raise an error naming the
    // line and the column.
    static QList<Record> Parse(const QByteArray& bytes, const QString& name);
    // The same, told to progress; none when progress stopped it.
    static std::optional<QList<Record>> Parse(const QByteArray& bytes, const QString& name, const Progress& progress);
    // The same for the file at path, opened by DFileReader.
    static QList<Record> ReadFile(const QString& path);
    // The separator the first record of text uses.
    static QChar DetectSeparator(const QString& text);

private:
    static std::optional<QList<Record>> Records(const QByteArray& bytes, const QString& name, const Progress& progress);
};
