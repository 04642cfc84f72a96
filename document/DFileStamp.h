#pragma once

#include <QString>

// What a file looked like on disk at one moment: its size and modification
// time, enough to tell that something else wrote it since.
class DFileStamp
{
public:
    DFileStamp() = default;
    static DFileStamp Of(const QString& path);

    bool Exists() const { return exists_; }
    bool operator==(const DFileStamp&) const = default;

private:
    bool exists_ = false;
    qint64 size_ = -1;
    qint64 modified_ = 0; // milliseconds since the epoch
};
