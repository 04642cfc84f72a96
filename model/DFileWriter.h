#pragma once

#include <QByteArray>
#include <QString>

// The one way bytes reach a file: the test file, the exports and every
// other output are built in memory and handed over whole.
//
// The old file is replaced only once every byte is on the disk: the bytes go
// to a temporary file beside it, every write straight to the system and
// checked, the data synced and the sync checked, and only then is the
// temporary file renamed over the old one. Any failure removes the temporary
// file, leaves the old file as it was and raises the file error naming the
// file and the system's reason. The temporary file is named after the target
// and the process ("reports/.class.KalCir.part-PID-XXXXXX"), so that the
// next save of the target removes one that a killed save left behind.
// A link is kept and the file it leads to replaced; an existing file keeps
// its permissions, and one its owner cannot write is refused.
class DFileWriter
{
public:
    // Who may read a new file: what the user's umask allows, or its owner only.
    enum class Access
    {
        Shared,
        Private
    };

    // Replaces the file at path with bytes. Something at path that is not a
    // regular file (a FIFO, a device, a folder) is refused before anything
    // is written, so it is never replaced by a file.
    static void Write(const QString& path, const QByteArray& bytes, Access access = Access::Shared);

    // The steps a disk can fail in.
    enum class Step
    {
        Write,
        Sync,
        Commit
    };
    // While an object lives, every Write fails at step with the errno value
    // error, as a full or failing disk would: a write fails half way, after
    // half of the bytes reached the temporary file. With kKilled the process
    // is killed there instead, as a save cut short by a signal or a power
    // cut. For tests that cannot make a real disk fail.
    static constexpr int kKilled = -1;
    class Fault
    {
    public:
        Fault(Step step, int error);
        ~Fault();
        Fault(const Fault&) = delete;
        Fault& operator=(const Fault&) = delete;
    };
};
