#include "model/DElemString.h"

#include "model/DFileStream.h"
#include "model/EError.h"

#include <QtEndian>

void DElemString::UserUpdate(const QString& text)
{
    if (text == text_)
        return;
    text_ = text;
    change_.FromUser();
}

QString DElemString::ToString(qint32 maxLength) const
{
    if (!text_.isEmpty() && maxLength >= 0 && text_.size() > maxLength)
        return text_.left(maxLength);
    return text_;
}

void DElemString::ToFile(DFileStream& stream)
{
    const qint32 count = static_cast<qint32>(text_.size());
    QByteArray bytes(count * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(text_.utf16(), count, bytes.data());
    if (!stream.WriteInt32(count) || !stream.Write(bytes.constData(), bytes.size()))
        throw EError(60000, {"DElemString::ToFile()"});
    stream.Saved(change_);
}

void DElemString::FromFile(DFileStream& stream)
{
    // The count comes from the file: a negative one, or one whose code units
    // run past the end of the file, is a damaged file, not an allocation.
    qint32 count = 0;
    if (!stream.ReadInt32(count) || count < 0 || count > stream.Remaining() / 2)
        throw EError(60010, {"DElemString::FromFile()"});
    QByteArray bytes(qsizetype(count) * 2, Qt::Uninitialized);
    if (!stream.Read(bytes.data(), bytes.size()))
        throw EError(60010, {"DElemString::FromFile()"});
    QString text(count, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes.constData(), count, text.data());
    text_ = text;
}
