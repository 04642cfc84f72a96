#include "model/DText.h"

namespace
{
bool IsDropped(char16_t c, DText::Kind kind)
{
    if (c < 0x20)
        return !(c == u'\t' && kind == DText::Kind::Tabbed);
    return c == 0x7F || (c >= 0x202A && c <= 0x202E) || (c >= 0x2066 && c <= 0x2069);
}
} // namespace

QString DText::Clean(const QString& text, Kind kind)
{
    const qsizetype size = text.size();
    const QChar* units = text.constData();
    // Built only from the first unit that changes: most texts are clean and
    // come back without a copy.
    QString clean;
    bool changed = false;
    for (qsizetype i = 0; i < size; ++i)
    {
        const char16_t c = units[i].unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < size && QChar::isLowSurrogate(units[i + 1].unicode()))
        {
            if (changed)
                clean.append(units + i, 2);
            ++i;
            continue;
        }
        const bool drop = IsDropped(c, kind);
        const char16_t kept = QChar::isSurrogate(c) ? char16_t(0xFFFD) : c;
        if (!changed && (drop || kept != c))
        {
            changed = true;
            clean.reserve(size);
            clean.append(units, i);
        }
        if (changed && !drop)
            clean.append(QChar(kept));
    }
    return changed ? clean : text;
}
