#include "model/DCsvReader.h"

#include "model/DFileReader.h"
#include "model/EError.h"

#include <QHash>
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
    return *Parse(bytes, name, Progress());
}

std::optional<QList<DCsvReader::Record>> DCsvReader::Parse(const QByteArray& bytes, const QString& name,
                                                           const Progress& progress)
{
    return EError::Guard("DCsvReader::Parse()", [&] { return Records(bytes, name, progress); });
}

std::optional<QList<DCsvReader::Record>> DCsvReader::Records(const QByteArray& bytes, const QString& name,
                                                             const Progress& progress)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        throw EError(27600, {name, FirstBadLine(bytes)});
    const QChar separator = DetectSeparator(text);
    const QChar* const data = text.constData();
    const qsizetype size = text.size();
    // A form writes the same few names in cell after cell: equal cells share
    // one copy, so that a long form takes the memory of the texts it holds
    // rather than of every cell. They are looked up by the characters
    // themselves, so that a cell met before costs no copy: the key views the
    // file's text or, for a quoted cell, the kept copy. Past a bound, texts
    // not met before are kept apart, so that a file of different cells does
    // not fill a table besides.
    constexpr qsizetype kMaxShared = 1 << 16;
    QHash<QStringView, QString> shared;
    const auto share = [&](QStringView view, QString&& made, bool quoted)
    {
        if (const auto found = shared.constFind(view); found != shared.constEnd())
            return *found;
        QString cell = quoted ? std::move(made) : view.toString();
        if (shared.size() < kMaxShared)
            shared.insert(quoted ? QStringView(cell) : view, cell);
        return cell;
    };
    constexpr qsizetype kReportEvery = 1 << 16;
    qsizetype report = 0;

    QList<Record> records;
    qsizetype width = 0;
    qint32 line = 1;
    qsizetype i = text.startsWith(QChar(0xFEFF)) ? 1 : 0;
    while (i < size)
    {
        if (progress && i >= report)
        {
            if (!progress(i, size))
                return std::nullopt;
            report = i + kReportEvery;
        }
        Record record;
        record.line = line;
        // The rows of a form are as wide as each other.
        record.cells.reserve(width);
        for (;;)
        {
            const qint32 column = qint32(record.cells.size()) + 1;
            QString quoted;
            bool isQuoted = false;
            QStringView cell;
            if (i < size && data[i] == kQuote)
            {
                // A quoted cell runs to the quote that is not doubled; it is
                // taken in runs between quotes.
                const qint32 openLine = line;
                qsizetype start = ++i;
                isQuoted = true;
                for (;;)
                {
                    if (i >= size)
                        throw EError(27610, {name, openLine, column});
                    const QChar q = data[i];
                    if (q == kQuote)
                    {
                        quoted.append(data + start, i - start);
                        if (i + 1 < size && data[i + 1] == kQuote)
                        {
                            quoted += kQuote;
                            i += 2;
                            start = i;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (IsLineEnd(q))
                    {
                        i = SkipLineEnd(text, i);
                        ++line;
                        continue;
                    }
                    ++i;
                }
                if (i < size && data[i] != separator && !IsLineEnd(data[i]))
                {
                    qsizetype end = i;
                    while (end < size && data[end] != separator && !IsLineEnd(data[end]))
                        ++end;
                    throw EError(27620, {name, line, column, text.mid(i, end - i)});
                }
                cell = quoted;
            }
            else
            {
                const qsizetype start = i;
                while (i < size && data[i] != separator && !IsLineEnd(data[i]))
                    ++i;
                cell = QStringView(data + start, i - start);
            }
            record.cells << share(cell, std::move(quoted), isQuoted);
            if (i < size && data[i] == separator)
            {
                ++i;
                continue;
            }
            break;
        }
        // A record ends at a line end outside quotes; an empty line is none.
        if (i < size)
        {
            i = SkipLineEnd(text, i);
            ++line;
        }
        width = qMax(width, record.cells.size());
        if (record.cells.size() > 1 || !record.cells.first().isEmpty())
            records << std::move(record);
    }
    return records;
}

QList<DCsvReader::Record> DCsvReader::ReadFile(const QString& path)
{
    return EError::Guard("DCsvReader::ReadFile()", [&] { return Parse(DFileReader::ReadAll(path), path); });
}
