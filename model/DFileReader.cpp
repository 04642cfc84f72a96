#include "model/DFileReader.h"

#include "model/DFileError.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

void DFileReader::Open(QFile& file, const QString& path)
{
    constexpr auto kOpen = DFileError::Action::Open;
    DFileError::RefuseNonRegular(kOpen, path);

    // Something else may take the path's place after the check: the open
    // cannot block on a FIFO, and what was opened is checked once more.
    const int handle = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (handle < 0)
        throw DFileError::Error(kOpen, path, errno);
    struct stat status = {};
    if (::fstat(handle, &status) != 0 || !S_ISREG(status.st_mode))
    {
        ::close(handle);
        throw DFileError::Error(kOpen, path, DFileError::kNotRegular);
    }
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
    {
        ::close(handle);
        throw DFileError::Error(kOpen, path, file.errorString());
    }
}

QByteArray DFileReader::ReadAll(const QString& path)
{
    QFile file;
    Open(file, path);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw DFileError::Error(DFileError::Action::Read, path, file.errorString());
    return bytes;
}
