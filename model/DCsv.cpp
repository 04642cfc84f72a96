#include "model/DCsv.h"

#include "lang/DLanguage.h"

#include <QRegularExpression>

namespace
{
// A negative number in a numeric column (a score below the mean, say) starts
// with a minus, yet a spreadsheet reads it as the number it is: it stays.
bool IsNegativeNumber(const QString& text, QChar mark)
{
    static const QRegularExpression point(QStringLiteral("\\A-[0-9]+(\\.[0-9]+)?\\z"));
    static const QRegularExpression comma(QStringLiteral("\\A-[0-9]+(,[0-9]+)?\\z"));
    return (mark == QLatin1Char(',') ? comma : point).match(text).hasMatch();
}

bool RunsAsFormula(const QString& text, QChar mark)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode())
    {
    case u'-':
        return !IsNegativeNumber(text, mark);
    case u'=':
    case u'+':
    case u'@':
    case u'\t':
    case u'\r':
        return true;
    default:
        return false;
    }
}

QString Quoted(const QString& text)
{
    QString inner = text;
    inner.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}
} // namespace

QChar DCsvOptions::SeparatorChar() const
{
    switch (separator)
    {
    case Separator::Semicolon:
        return QLatin1Char(';');
    case Separator::Tab:
        return QLatin1Char('\t');
    case Separator::Comma:
        break;
    }
    return QLatin1Char(',');
}

QChar DCsvOptions::DecimalMark() const
{
    return decimal == Decimal::Comma ? QLatin1Char(',') : QLatin1Char('.');
}

DCsvOptions DCsvOptions::ForSpreadsheet(int language)
{
    DCsvOptions options;
    if (language == DLanguage::Italian)
    {
        options.separator = Separator::Semicolon;
        options.decimal = Decimal::Comma;
    }
    options.byteOrderMark = true;
    return options;
}

QString DCsv::Number(double value, int decimals, const Options& options)
{
    QString text = QString::number(value, 'f', decimals);
    static const QRegularExpression nonZero(QStringLiteral("[1-9]"));
    if (text.startsWith(QLatin1Char('-')) && !text.contains(nonZero))
        text.remove(0, 1);
    // The text is a number that QString::number wrote: its only full stop is
    // the decimal mark.
    return text.replace(QLatin1Char('.'), options.DecimalMark());
}

QString DCsv::Cell(const QString& text, const Options& options)
{
    if (RunsAsFormula(text, options.DecimalMark()))
        return Quoted(QLatin1Char('\'') + text);
    const bool splits = text.contains(options.SeparatorChar()) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    return splits ? Quoted(text) : text;
}

QString DCsv::Line(const QStringList& cells, const Options& options)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString& cell : cells)
        written << Cell(cell, options);
    return written.join(options.SeparatorChar());
}

QString DCsv::ClipboardLine(const QStringList& cells)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString& cell : cells)
        written << (RunsAsFormula(cell, QLatin1Char('.')) ? Quoted(QLatin1Char('\'') + cell) : cell);
    return written.join(QLatin1Char('\t'));
}

QByteArray DCsv::Bytes(const QStringList& lines, const Options& options)
{
    QByteArray bytes;
    if (options.byteOrderMark)
        bytes += "\xEF\xBB\xBF";
    for (const QString& line : lines)
    {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
