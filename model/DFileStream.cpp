#include "model/DFileStream.h"

#include "model/DChange.h"
#include "model/DFileError.h"

#include <QFileDevice>

#include <QtEndian>

DFileStream::DFileStream(QIODevice* device, const QString& path, bool deferSaved)
    : device_(device), path_(path), deferSaved_(deferSaved)
{
}

bool DFileStream::Write(const void* data, qint64 size)
{
    return device_->write(static_cast<const char*>(data), size) == size;
}

bool DFileStream::Read(void* data, qint64 size)
{
    if (size >= 0 && device_->read(static_cast<char*>(data), size) == size)
        return true;
    // A file the system fails to read is no damaged file: say which and why.
    const auto* file = qobject_cast<const QFileDevice*>(device_);
    if (file && file->error() == QFileDevice::ReadError)
        throw DFileError::Error(DFileError::Action::Read, path_, file->errorString());
    return false;
}

bool DFileStream::WriteInt32(qint32 value)
{
    const qint32 le = qToLittleEndian(value);
    return Write(&le, sizeof le);
}

bool DFileStream::ReadInt32(qint32& value)
{
    qint32 le = 0;
    if (!Read(&le, sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool DFileStream::WriteInt64(qint64 value)
{
    const qint64 le = qToLittleEndian(value);
    return Write(&le, sizeof le);
}

bool DFileStream::ReadInt64(qint64& value)
{
    qint64 le = 0;
    if (!Read(&le, sizeof le))
        return false;
    value = qFromLittleEndian(le);
    return true;
}

bool DFileStream::Seek(qint64 position)
{
    return position >= 0 && device_->seek(position);
}

qint64 DFileStream::Pos() const
{
    return device_->pos();
}

qint64 DFileStream::Size() const
{
    return device_->size();
}

qint64 DFileStream::Remaining() const
{
    return device_->size() - device_->pos();
}

void DFileStream::Saved(DChange& change)
{
    if (deferSaved_)
        pending_.push_back(&change);
    else
        change.Saved();
}

void DFileStream::CommitSaved()
{
    for (DChange* change : pending_)
        change->Saved();
    pending_.clear();
}
