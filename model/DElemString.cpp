#include "model/DElemString.h"

#include "model/DFileStream.h"
#include "model/EError.h"

#include <QtEndian>

QString DElemString::Accepted(const QString& text) const
{
    if (text.size() <= kMaxLength)
        return DText::Clean(text, kind_);
    // Cut before a pair that the limit would split rather than leave half of it.
    qsizetype length = kMaxLength;
    if (text.at(length - 1).isHighSurrogate() && text.at(length).isLowSurrogate())
        --length;
    return DText::Clean(text.left(length), kind_);
}

void DElemString::UserUpdate(const QString& text)
{
    const QString accepted = Accepted(text);
    if (accepted == text_)
        return;
    text_ = accepted;
    change_.FromUser();
}

void DElemString::SetText(const QString& text)
{
    text_ = Accepted(text);
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
    text_ = DText::Clean(text, kind_);
}
