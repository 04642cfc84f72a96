#include "document/DRecovery.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"
#include "model/DFileError.h"
#include "model/DFileReader.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QBuffer>
#include <QCollator>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace
{
const QString kPrefix = QStringLiteral("copy-");
const QString kSuffix = QStringLiteral(".KalCir");
const QString kNameSuffix = QStringLiteral(".name");
// More instances than anyone runs at once; beyond, something is wrong with
// the folder.
constexpr int kMaxSlots = 1000;

QString SlotPath(const QString& folder, int slot)
{
    return QDir(folder).filePath(kPrefix + QString::number(slot) + kSuffix);
}

// Whether anything at all stands at path, a link to nothing included.
bool Occupied(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0;
}

bool IsFolder(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISDIR(status.st_mode);
}

bool IsRegular(const QString& path)
{
    struct stat status = {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode);
}

// The copy at path as Left offers it: its test's file name and whether it can
// be restored. Its files are opened as inputs are, so a FIFO or a device in
// their place is refused, never read.
DRecovery::Copy Inspect(const QString& path)
{
    DRecovery::Copy copy{path, {}, QFileInfo(path).lastModified(), {}};
    try
    {
        // A missing name file leaves a copy of an unknown test, which is
        // still worth restoring as a new one.
        const QString namePath = DRecovery::NamePath(path);
        if (Occupied(namePath))
            copy.fileName = QString::fromUtf8(DFileReader::ReadAll(namePath));
        QBuffer buffer;
        buffer.setData(DFileReader::ReadAll(path));
        buffer.open(QIODevice::ReadOnly);
        DTest test;
        test.file.Read(buffer, path);
    }
    catch (const EError& e)
    {
        copy.damage = e.Message();
    }
    return copy;
}

// Only this user may read the copies: they hold a class's names and answers.
void MakePrivate(const QString& path, mode_t mode)
{
    if (::chmod(QFile::encodeName(path).constData(), mode) != 0)
        throw EError(26850, {path, DFileError::Reason(errno)});
}
} // namespace

DRecovery::DRecovery(const QString& folder) : folder_(folder)
{
}

DRecovery::~DRecovery() = default;

QString DRecovery::DefaultFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).filePath(QStringLiteral("recovery"));
}

QString DRecovery::NamePath(const QString& path)
{
    QString name = path;
    if (name.endsWith(kSuffix))
        name.chop(kSuffix.size());
    return name + kNameSuffix;
}

void DRecovery::RemoveFiles(const QString& path)
{
    // The entries themselves, whatever they are: a link goes, not what it
    // leads to.
    ::unlink(QFile::encodeName(path).constData());
    ::unlink(QFile::encodeName(NamePath(path)).constData());
}

void DRecovery::Claim()
{
    // mkpath leaves the errno of the mkdir that failed: a parent that is a
    // file is no matter of permissions.
    errno = 0;
    if (!QDir().mkpath(folder_))
        throw EError(26850, {folder_, DFileError::Reason(errno)});
    MakePrivate(folder_, S_IRWXU);
    for (int slot = 1; slot <= kMaxSlots; ++slot)
    {
        const QString path = SlotPath(folder_, slot);
        // Anything at the place of a slot's copy keeps the slot from being
        // used: it is offered at a start-up or left alone. A name file alone
        // is what a run left that ended before its first copy.
        const QString namePath = NamePath(path);
        if (left_.count(path) || Occupied(path) || (Occupied(namePath) && !IsRegular(namePath)))
            continue;
        DFileLock lock;
        const DFileLock::State state = lock.Lock(path);
        // A lock file that is something else than a file blocks its slot
        // only; a folder where no lock can be made blocks them all.
        if (state == DFileLock::State::Unavailable && !Occupied(DFileLock::LockPath(path)))
            throw EError(26850, {folder_, lock.Reason()});
        // A slot locked elsewhere belongs to a running instance; one whose
        // copy appeared meanwhile waits to be offered at a start-up.
        if (state == DFileLock::State::Held && !Occupied(path))
        {
            MakePrivate(DFileLock::LockPath(path), S_IRUSR | S_IWUSR);
            own_ = std::move(lock);
            ownPath_ = path;
            return;
        }
    }
    throw EError(26850, {folder_, DLanguage::Active().GetStr(36140)});
}

void DRecovery::Write(DTest& test)
{
    EError::Guard("DRecovery::Write()",
                  [&]
                  {
                      const QByteArray bytes = test.file.ToBytes();
                      const QString name = test.file.FileName();
                      if (!own_.IsHeld())
                          Claim();
                      // The name first: a copy is never beside the name of another test.
                      if (!written_ || name != ownName_)
                      {
                          written_ = false;
                          DFileWriter::Write(NamePath(ownPath_), name.toUtf8(), DFileWriter::Access::Private);
                          ownName_ = name;
                      }
                      if (!written_ || bytes != ownBytes_)
                      {
                          DFileWriter::Write(ownPath_, bytes, DFileWriter::Access::Private);
                          ownBytes_ = bytes;
                      }
                      written_ = true;
                  });
}

void DRecovery::Remove()
{
    if (!written_)
        return;
    RemoveFiles(ownPath_);
    written_ = false;
    ownBytes_.clear();
    ownName_.clear();
}

void DRecovery::Leave()
{
    written_ = false;
    ownBytes_.clear();
    ownName_.clear();
    ownPath_.clear();
    own_.Unlock();
}

QList<DRecovery::Copy> DRecovery::Left()
{
    return EError::Guard(
        "DRecovery::Left()",
        [&]
        {
            // A folder an earlier version made for everybody to read becomes
            // private before anything in it is offered; one that cannot is
            // still looked at (the next copy written says why).
            if (IsFolder(folder_))
                ::chmod(QFile::encodeName(folder_).constData(), S_IRWXU);
            // Whatever stands there, FIFOs, devices and links to nothing
            // included: each is offered, and only a copy that can be read is
            // offered for restoring.
            QStringList names = QDir(folder_).entryList({kPrefix + u'*' + kSuffix}, QDir::Files | QDir::System);
            QCollator collator;
            collator.setNumericMode(true);
            std::sort(names.begin(), names.end(), collator);
            QList<Copy> copies;
            for (const QString& name : names)
            {
                const QString path = QDir(folder_).filePath(name);
                if (path == ownPath_ || left_.count(path))
                    continue;
                // Only a copy that is a file of its own was written by a run:
                // anything else is offered for discarding, unopened and
                // unlocked (its lock would follow a link out of the folder).
                if (!IsRegular(path))
                {
                    copies << Copy{
                        path,
                        {},
                        {},
                        DFileError::Error(DFileError::Action::Open, path, DFileError::kNotRegular).Message()};
                    continue;
                }
                DFileLock lock;
                if (lock.Lock(path) != DFileLock::State::Held)
                    continue;
                left_.emplace(path, std::move(lock));
                copies << Inspect(path);
            }
            return copies;
        });
}

void DRecovery::Restore(const Copy& copy, DTest& test)
{
    EError::Guard("DRecovery::Restore()",
                  [&]
                  {
                      QBuffer buffer;
                      buffer.setData(DFileReader::ReadAll(copy.path));
                      buffer.open(QIODevice::ReadOnly);
                      // Read under the copy's own path, so that a damaged copy is named
                      // as what it is; the test takes its file's name afterwards.
                      test.file.Read(buffer, copy.path);
                      test.file.SetFileName(copy.fileName);
                      // None of this is in the test's file yet: closing must ask.
                      test.ques.List().MarkChangedByUser();
                      // The copy stays where it is and is this instance's from now on.
                      Remove();
                      const auto held = left_.find(copy.path);
                      if (held != left_.end())
                      {
                          own_ = std::move(held->second);
                          left_.erase(held);
                      }
                      ownPath_ = copy.path;
                      ownBytes_ = buffer.data();
                      ownName_ = copy.fileName;
                      written_ = true;
                  });
}

void DRecovery::Discard(const Copy& copy)
{
    RemoveFiles(copy.path);
    left_.erase(copy.path);
}

void DRecovery::Keep(const Copy& copy)
{
    left_.erase(copy.path);
}
