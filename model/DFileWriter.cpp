#include "model/DFileWriter.h"

#include "model/DFileError.h"

#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <unistd.h>

namespace
{
using Step = DFileWriter::Step;

struct Injected
{
    bool active = false;
    Step step = Step::Write;
    int error = 0;
};
Injected g_fault;

int InjectedAt(Step step)
{
    return g_fault.active && g_fault.step == step ? g_fault.error : 0;
}

// Writes every byte to the descriptor; the errno of the first failure, 0 when
// all bytes were taken.
int WriteAll(int handle, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    const int injected = InjectedAt(Step::Write);
    qint64 left = injected ? bytes.size() / 2 : bytes.size();
    while (left > 0)
    {
        // A single write() never takes more than about 2 GB.
        const ssize_t written = ::write(handle, data, static_cast<size_t>(std::min<qint64>(left, 1 << 30)));
        if (written < 0)
        {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (written == 0)
            return EIO;
        data += written;
        left -= written;
    }
    return injected;
}

int Sync(int handle)
{
    // Qt 6.4 ignores a failed sync inside commit(): a data error first seen
    // here must stop the rename.
    if (::fdatasync(handle) != 0)
        return errno;
    return InjectedAt(Step::Sync);
}

// The error of a QSaveFile call that failed: the system's errno when the call
// left one, Qt's own words otherwise.
EError Failure(const QString& path, int error, const QSaveFile& file)
{
    constexpr auto kWrite = DFileError::Action::Write;
    return error != 0 ? DFileError::Error(kWrite, path, error) : DFileError::Error(kWrite, path, file.errorString());
}
} // namespace

void DFileWriter::Write(const QString& path, const QByteArray& bytes)
{
    DFileError::RefuseNonRegular(DFileError::Action::Write, path);

    QSaveFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw Failure(path, errno, file);

    // The bytes go through the descriptor itself, so that the errno of every
    // failure is the system's own.
    int error = WriteAll(file.handle(), bytes);
    if (error == 0)
        error = Sync(file.handle());
    if (error == 0)
        error = InjectedAt(Step::Commit);
    if (error != 0)
    {
        file.cancelWriting();
        throw Failure(path, error, file);
    }
    errno = 0;
    if (!file.commit())
        throw Failure(path, errno, file);
}

DFileWriter::Fault::Fault(Step step, int error)
{
    g_fault = {true, step, error};
}

DFileWriter::Fault::~Fault()
{
    g_fault = {};
}
