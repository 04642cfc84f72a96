#include "model/DText.h"

namespace
{
bool IsDropped(char16_t c, DText::Kind kind, DText::Breaks breaks)
{
    if (c < 0x20)
    {
        if (c == u'\t')
            return kind != DText::Kind::Tabbed;
        return !((c == u'\r' || c == u'\n') && breaks == DText::Breaks::Keep);
    }
    return c == 0x7F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069) || QChar::isNonCharacter(c);
}
} // namespace

QString DText::Clean(const QString& text, Kind kind, Breaks breaks)
{
    const qsizetype size = text.size();
    const QChar* units = text.constData();
    // Built only from the first unit that changes: most texts are clean and
    // come back without a copy.
    QString clean;
    bool changed = false;
    const auto change = [&](qsizetype at)
    {
        if (changed)
            return;
        changed = true;
        clean.reserve(size);
        clean.append(units, at);
    };
    for (qsizetype i = 0; i < size; ++i)
    {
        const char16_t c = units[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(units[i + 1].unicode()))
        {
            if (QChar::isNonCharacter(QChar::surrogateToUcs4(c, units[i + 1].unicode())))
                change(i);
            else if (changed)
                clean.append(units + i, 2);
            ++i;
            continue;
        }
        const bool drop = IsDropped(c, kind, breaks);
        const char16_t kept = QChar::isSurrogate(c) ? char16_t(0xFFFD) : c;
        if (drop || kept != c)
            change(i);
        if (changed && !drop)
            clean.append(QChar(kept));
    }
    return changed ? clean : text;
}
