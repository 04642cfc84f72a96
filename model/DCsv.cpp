#include "model/DCsv.h"

#include <QRegularExpression>

namespace
{
// A negative number in a numeric column (a score below the mean, say) starts
// with a minus, yet a spreadsheet reads it as the number it is: it stays.
bool IsNegativeNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("\\A-[0-9]+(\\.[0-9]+)?\\z"));
    return number.match(text).hasMatch();
}

bool RunsAsFormula(const QString& text)
{
    if (text.isEmpty())
        return false;
    switch (text.front().unicode())
    {
    case u'-':
        return !IsNegativeNumber(text);
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

QString DCsv::Cell(const QString& text)
{
    if (RunsAsFormula(text))
        return Quoted(QLatin1Char('\'') + text);
    const bool splits = text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('"')) ||
                        text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
    return splits ? Quoted(text) : text;
}

QString DCsv::Line(const QStringList& cells)
{
    QStringList written;
    written.reserve(cells.size());
    for (const QString& cell : cells)
        written << Cell(cell);
    return written.join(QLatin1Char(','));
}

QByteArray DCsv::Bytes(const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
    {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    return bytes;
}
