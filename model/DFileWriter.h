#pragma once

#include <QByteArray>
#include <QString>

// The one way bytes reach a file: the test file, the exports and every
// other output are built in memory and handed over whole.
//
// The old file is replaced only once every byte is on the disk. Qt's own
// buffered writes report a full disk only inside QSaveFile::commit(), which
// ignores it and renames a cut-off file over the old one; here every write
// goes straight to the system and is checked, the data is synced and the
// sync checked, and any failure cancels the write, leaves the old file as it
// was and raises the file error naming the file and the system's reason.
class DFileWriter
{
public:
    // Replaces the file at path with bytes. Something at path that is not a
    // regular file (a FIFO, a device, a folder) is refused before anything
    // is written, so it is never replaced by a file.
    static void Write(const QString& path, const QByteArray& bytes);

    // The steps a disk can fail in.
    enum class Step
    {
        Write,
        Sync,
        Commit
    };
    // While an object lives, every Write fails at step with the errno value
    // error, as a full or failing disk would: a write fails half way, after
    // half of the bytes reached the temporary file. For tests that cannot
    // make a real disk fail.
    class Fault
    {
    public:
        Fault(Step step, int error);
        ~Fault();
        Fault(const Fault&) = delete;
        Fault& operator=(const Fault&) = delete;
    };
};
