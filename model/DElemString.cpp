#include "model/DElemString.h"

#include "model/DFileStream.h"
#include "model/EError.h"

#include <QtEndian>

#include <algorithm>

QString DElemString::Accepted(const QString& text, DText::Breaks breaks) const
{
    // Cleaned before it is cut: what the cleaning drops leaves room for more
    // of the text.
    QString clean = DText::Clean(text, kind_, breaks);
    if (clean.size() <= kMaxLength)
        return clean;
    // Cut before a pair that the limit would split rather than leave half of it.
    qsizetype length = kMaxLength;
    if (clean.at(length - 1).isHighSurrogate() && clean.at(length).isLowSurrogate())
        --length;
    clean.truncate(length);
    return clean;
}

QString DElemString::Typed(const QString& text) const
{
    QString clean = DText::Clean(text, kind_, DText::Breaks::Keep);
    // What the edit brought lies between the start and the end that the
    // text shares with the stored one.
    const qsizetype most = std::min(clean.size(), text_.size());
    qsizetype head = 0;
    while (head < most && clean.at(head) == text_.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && clean.at(clean.size() - 1 - tail) == text_.at(text_.size() - 1 - tail))
        ++tail;
    const QStringView brought = QStringView(clean).mid(head, clean.size() - head - tail);
    if (brought.contains(u'\r') || brought.contains(u'\n'))
    {
        QString kept = brought.toString();
        kept.remove(u'\r');
        kept.remove(u'\n');
        clean = clean.left(head) + kept + clean.right(tail);
    }
    return Accepted(clean, DText::Breaks::Keep);
}

void DElemString::Store(const QString& accepted)
{
    if (accepted == text_)
        return;
    text_ = accepted;
    change_.FromUser();
}

void DElemString::UserUpdate(const QString& text)
{
    Store(Typed(text));
}

void DElemString::UserRestore(const QString& text)
{
    Store(Accepted(text, DText::Breaks::Keep));
}

void DElemString::SetText(const QString& text)
{
    text_ = Accepted(text, DText::Breaks::Keep);
}

QString DElemString::ToString(qint32 maxLength) const
{
    if (!text_.isEmpty() && maxLength >= 0 && text_.size() > maxLength)
        return text_.left(maxLength);
    return text_;
}

void DElemString::ToFile(DFileStream& stream)
{
    // Sizes in 64 bits: a count times two must never wrap, whatever the text.
    const qsizetype count = text_.size();
    if (count > kMaxLength)
        throw EError(60000, {"DElemString::ToFile()"});
    QByteArray bytes(count * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text_.utf16(), count, bytes.data());
    if (!stream.WriteInt32(qint32(count)) || !stream.Write(bytes.constData(), bytes.size()))
        throw EError(60000, {"DElemString::ToFile()"});
    stream.Saved(change_);
}

void DElemString::FromFile(DFileStream& stream)
{
    // The count comes from the file: a negative one, one above the limit or
    // one whose code units run past the end of the file is a damaged file,
    // not an allocation.
    qint32 count = 0;
    if (!stream.ReadInt32(count) || count < 0 || count > kMaxLength || count > stream.Remaining() / 2)
        throw EError(60010, {"DElemString::FromFile()"});
    QString text(count, Qt::Uninitialized);
    if (!stream.Read(text.data(), qint64(count) * 2))
        throw EError(60010, {"DElemString::FromFile()"});
    qFromLittleEndian<char16_t>(text.constData(), count, text.data());
    text_ = DText::Clean(text, kind_, DText::Breaks::Keep);
}
