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

QString ReadName(const QString& path)
{
    QFile file(DRecovery::NamePath(path));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll());
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
    QFile::remove(path);
    QFile::remove(NamePath(path));
}

void DRecovery::Claim()
{
    // mkpath leaves the errno of the mkdir that failed: a parent that is a
    // file is no matter of permissions.
    errno = 0;
    if (!QDir().mkpath(folder_))
        throw EError(26850, {folder_, DFileError::Reason(errno)});
    for (int slot = 1; slot <= kMaxSlots; ++slot)
    {
        const QString path = SlotPath(folder_, slot);
        DFileLock lock;
        const DFileLock::State state = lock.Lock(path);
        if (state == DFileLock::State::Unavailable)
            throw EError(26850, {folder_, lock.Reason()});
        // A slot locked elsewhere belongs to a running instance, one with a
        // copy but no holder waits to be offered at a start-up.
        if (state == DFileLock::State::Held && !QFileInfo::exists(path) && !left_.count(path))
        {
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
                          DFileWriter::Write(NamePath(ownPath_), name.toUtf8());
                          ownName_ = name;
                      }
                      if (!written_ || bytes != ownBytes_)
                      {
                          DFileWriter::Write(ownPath_, bytes);
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

QList<DRecovery::Copy> DRecovery::Left()
{
    return EError::Guard("DRecovery::Left()",
                         [&]
                         {
                             QStringList names = QDir(folder_).entryList({kPrefix + u'*' + kSuffix}, QDir::Files);
                             QCollator collator;
                             collator.setNumericMode(true);
                             std::sort(names.begin(), names.end(), collator);
                             QList<Copy> copies;
                             for (const QString& name : names)
                             {
                                 const QString path = QDir(folder_).filePath(name);
                                 if (path == ownPath_ || left_.count(path))
                                     continue;
                                 DFileLock lock;
                                 if (lock.Lock(path) != DFileLock::State::Held)
                                     continue;
                                 left_.emplace(path, std::move(lock));
                                 copies << Copy{path, ReadName(path), QFileInfo(path).lastModified()};
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
