#include "model/DFileError.h"

#include "lang/DLanguage.h"

#include <QFile>

#include <cerrno>
#include <sys/stat.h>

namespace
{
// The reasons users meet when a file is opened, read or written, in the
// string table so that they read in the interface's language.
struct ReasonId
{
    int error;
    int id;
};
constexpr ReasonId kReasons[] = {
    {ENOSPC, 36050},
    {EDQUOT, 36060},
    {EFBIG, 36070},
    {EACCES, 36080},
    {EPERM, 36090},
    {EROFS, 36100},
    {ENOENT, 36110},
    {ENOTDIR, 36120},
    {EISDIR, 36130},
    {EEXIST, 36140},
    {ENAMETOOLONG, 36150},
    {EIO, 36160},
    {DFileError::kNotRegular, 36170},
    {DFileError::kSameAsInput, 36180},
    {DFileError::kSameAsCompared, 37300},
};

int MessageId(DFileError::Action action)
{
    switch (action)
    {
    case DFileError::Action::Open:
        return 36000;
    case DFileError::Action::Read:
        return 36010;
    case DFileError::Action::Write:
        break;
    }
    return 36020;
}

bool Status(const QString& path, struct stat& status)
{
    const QByteArray name = QFile::encodeName(path);
    return !name.isEmpty() && ::stat(name.constData(), &status) == 0;
}
} // namespace

QString DFileError::Reason(int error)
{
    // A failure that left no errno behind is still a failure of the device.
    if (error == 0)
        error = EIO;
    for (const ReasonId& reason : kReasons)
        if (reason.error == error)
            return DLanguage::Active().GetStr(reason.id);
    return qt_error_string(error);
}

EError DFileError::Error(Action action, const QString& path, int error)
{
    return Error(action, path, Reason(error));
}

EError DFileError::Error(Action action, const QString& path, const QString& reason)
{
    return EError(MessageId(action), {path, reason});
}

void DFileError::RefuseNonRegular(Action action, const QString& path)
{
    struct stat status = {};
    if (Status(path, status) && !S_ISREG(status.st_mode))
        throw Error(action, path, kNotRegular);
}

bool DFileError::IsSameFile(const QString& first, const QString& second)
{
    struct stat one = {};
    struct stat two = {};
    return Status(first, one) && Status(second, two) && one.st_dev == two.st_dev && one.st_ino == two.st_ino;
}
