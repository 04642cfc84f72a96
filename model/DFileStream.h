#pragma once

#include <QIODevice>
#include <QString>

#include <vector>

class DChange;

// The open test file as the elements see it: exact little-endian reads and
// writes at the current position, plus the bookkeeping of written elements.
//
// A stream that defers its saved states collects the change states of the
// elements written through it and clears them only in CommitSaved(), once the
// whole file is safely on disk; a failed save then leaves the test changed.
class DFileStream
{
public:
    explicit DFileStream(QIODevice* device, const QString& path = {}, bool deferSaved = false);

    // The path given to the read or write, for messages that name the file.
    const QString& Path() const { return path_; }

    bool Write(const void* data, qint64 size);
    // A read the system fails (not a file too short) raises the file error
    // naming the path and the reason.
    bool Read(void* data, qint64 size);
    bool WriteInt32(qint32 value);
    bool ReadInt32(qint32& value);
    bool WriteInt64(qint64 value);
    bool ReadInt64(qint64& value);

    bool Seek(qint64 position);
    qint64 Pos() const;
    qint64 Size() const;
    // Bytes between the current position and the end of the file.
    qint64 Remaining() const;

    // Called by an element after its bytes were written.
    void Saved(DChange& change);
    // Clears every change state collected so far (deferring streams only).
    void CommitSaved();

private:
    QIODevice* device_;
    QString path_;
    bool deferSaved_;
    std::vector<DChange*> pending_;
};
