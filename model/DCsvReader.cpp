#include "model/DCsvReader.h"

#include "model/DFileReader.h"
#include "model/EError.h"

#include <QStringDecoder>

namespace
{
constexpr QChar kQuote = u'"';

bool IsLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

// Steps over one line end (CR LF counts as one) at i; the index after it.
qsizetype SkipLineEnd(const QString& text, qsizetype i)
{
    if (text[i] == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n')
        return i + 2;
    return i + 1;
}

// The line of the first byte that is not UTF-8, from 1; 0 when all are.
qint32 FirstBadLine(const QByteArray& bytes)
{
    qint32 line = 1;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= bytes.size(); ++i)
    {
        if (i < bytes.size() && bytes[i] != '\n')
            continue;
        QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        const QString decoded = decoder.decode(QByteArrayView(bytes).sliced(start, i - start));
        if (decoder.hasError())
            return line;
        ++line;
        start = i + 1;
    }
    return 0;
}
} // namespace

QChar DCsvReader::DetectSeparator(const QString& text)
{
    int commas = 0, semicolons = 0, tabs = 0;
    bool quoted = false;
    for (const QChar c : text)
    {
        if (c == kQuote)
            quoted = !quoted;
        else if (!quoted && IsLineEnd(c))
            break;
        else if (!quoted)
        {
            commas += c == u',';
            semicolons += c == u';';
            tabs += c == u'\t';
        }
    }
    // A tab is the rarest character inside a text, the comma the commonest:
    // on a tie the rarer one separates.
    if (tabs > 0 && tabs >= semicolons && tabs >= commas)
        return u'\t';
    if (semicolons > 0 && semicolons >= commas)
        return u';';
    return u',';
}

QList<DCsvReader::Record> DCsvReader::Parse(const QByteArray& bytes, const QString& name)
{
    return EError::Guard("DCsvReader::Parse()",
                         [&]
                         {
                             QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
                             QString text = decoder.decode(bytes);
                             if (decoder.hasError())
                                 throw EError(27600, {name, FirstBadLine(bytes)});
                             if (text.startsWith(QChar(0xFEFF)))
                                 text.remove(0, 1);
                             const QChar separator = DetectSeparator(text);

                             QList<Record> records;
                             Record record;
                             QString cell;
                             qint32 line = 1;
                             qsizetype i = 0;
                             const qsizetype size = text.size();
                             // A record ends at a line end outside quotes; an empty line is none.
                             const auto endRecord = [&]
                             {
                                 record.cells << cell;
                                 cell.clear();
                                 if (record.cells.size() > 1 || !record.cells.first().isEmpty())
                                     records << record;
                                 record = Record();
                             };
                             while (i < size)
                             {
                                 if (record.line == 0)
                                     record.line = line;
                                 const QChar c = text[i];
                                 if (c == kQuote && cell.isEmpty())
                                 {
                                     // A quoted cell runs to the quote that is not doubled.
                                     const qint32 openLine = line;
                                     const qint32 column = qint32(record.cells.size()) + 1;
                                     ++i;
                                     for (;;)
                                     {
                                         if (i >= size)
                                             throw EError(27610, {name, openLine, column});
                                         const QChar q = text[i];
                                         if (q == kQuote)
                                         {
                                             if (i + 1 < size && text[i + 1] == kQuote)
                                             {
                                                 cell += kQuote;
                                                 i += 2;
                                                 continue;
                                             }
                                             ++i;
                                             break;
                                         }
                                         if (IsLineEnd(q))
                                         {
                                             const qsizetype next = SkipLineEnd(text, i);
                                             cell += text.mid(i, next - i);
                                             i = next;
                                             ++line;
                                             continue;
                                         }
                                         cell += q;
                                         ++i;
                                     }
                                     if (i < size && text[i] != separator && !IsLineEnd(text[i]))
                                     {
                                         qsizetype end = i;
                                         while (end < size && text[end] != separator && !IsLineEnd(text[end]))
                                             ++end;
                                         throw EError(27620, {name, line, column, text.mid(i, end - i)});
                                     }
                                     continue;
                                 }
                                 if (c == separator)
                                 {
                                     record.cells << cell;
                                     cell.clear();
                                     ++i;
                                 }
                                 else if (IsLineEnd(c))
                                 {
                                     endRecord();
                                     i = SkipLineEnd(text, i);
                                     ++line;
                                 }
                                 else
                                 {
                                     cell += c;
                                     ++i;
                                 }
                             }
                             if (!record.cells.isEmpty() || !cell.isEmpty())
                                 endRecord();
                             return records;
                         });
}

QList<DCsvReader::Record> DCsvReader::ReadFile(const QString& path)
{
    return EError::Guard("DCsvReader::ReadFile()", [&] { return Parse(DFileReader::ReadAll(path), path); });
}
