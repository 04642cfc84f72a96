#include "document/DFileKalCir.h"

#include "document/DTest.h"
#include "model/DFileKalCirSec.h"
#include "model/DFileReader.h"
#include "model/DFileStream.h"
#include "model/DFileWriter.h"
#include "model/EError.h"

#include <QBuffer>
#include <QFile>
#include <QtEndian>

#include <memory>

const QString DFileKalCir::kMagic = QStringLiteral("Zelvor71Kaleidocircle");

namespace
{
// Keeps the stream pointer set exactly while one operation runs.
class StreamScope
{
public:
    StreamScope(DFileStream*& member, DFileStream& stream) : member_(member) { member_ = &stream; }
    ~StreamScope() { member_ = nullptr; }
    StreamScope(const StreamScope&) = delete;
    StreamScope& operator=(const StreamScope&) = delete;

private:
    DFileStream*& member_;
};
} // namespace

DFileKalCir::DFileKalCir(DTest& test) : test_(test)
{
}

void DFileKalCir::New()
{
    EError::Guard("DFileKalCir::New()", [&] { fileName_.clear(); });
}

void DFileKalCir::Write(const QString& path)
{
    EError::Guard("DFileKalCir::Write()",
                  [&]
                  {
                      QBuffer buffer;
                      buffer.open(QIODevice::ReadWrite);
                      DFileStream stream(&buffer, path, /*deferSaved=*/true);
                      WriteTo(stream);
                      DFileWriter::Write(path, buffer.data());
                      // Only a file that is safely on the disk makes the test unchanged.
                      stream.CommitSaved();
                      fileName_ = path;
                  });
}

QByteArray DFileKalCir::ToBytes()
{
    // Never committed: the test stays as changed as it was.
    return EError::Guard("DFileKalCir::Write()", [&] { return WriteInMemory(false); });
}

void DFileKalCir::MarkUnchanged()
{
    // The elements that the writer saves are exactly those whose change
    // states count: clearing them the writer's way keeps the two in step.
    EError::Guard("DFileKalCir::MarkUnchanged()", [&] { WriteInMemory(true); });
}

QByteArray DFileKalCir::WriteInMemory(bool commitSaved)
{
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    DFileStream stream(&buffer, fileName_, /*deferSaved=*/true);
    WriteTo(stream);
    if (commitSaved)
        stream.CommitSaved();
    return buffer.data();
}

void DFileKalCir::WriteTo(DFileStream& stream)
{
    QByteArray magic(kMagic.size() * 2, Qt::Uninitialized);
    qToLittleEndian<char16_t>(kMagic.utf16(), kMagic.size(), magic.data());
    const QByteArray table(DFileKalCirSec::kSlots * 8, '\0');
    if (!stream.Write(magic.constData(), magic.size()) || !stream.WriteInt32(kVersion) ||
        !stream.Write(table.constData(), table.size()))
        throw EError(60000, {"DFileKalCir::Write()"});
    test_.SectionsToFile(stream);
}

void DFileKalCir::Read(const QString& path)
{
    EError::Guard("DFileKalCir::Read()", [&] { ReadPart(path, Part::Whole); });
}

void DFileKalCir::ReadOnlyQuestions(const QString& path)
{
    EError::Guard("DFileKalCir::ReadOnlyQuestions()", [&] { ReadPart(path, Part::Questions); });
}

void DFileKalCir::ReadOnlySubjects(const QString& path)
{
    EError::Guard("DFileKalCir::ReadOnlySubjects()", [&] { ReadPart(path, Part::Subjects); });
}

void DFileKalCir::Read(QIODevice& device, const QString& name)
{
    EError::Guard("DFileKalCir::Read()", [&] { ReadPart(device, name, Part::Whole); });
}

void DFileKalCir::ReadOnlyQuestions(QIODevice& device, const QString& name)
{
    EError::Guard("DFileKalCir::ReadOnlyQuestions()", [&] { ReadPart(device, name, Part::Questions); });
}

void DFileKalCir::ReadOnlySubjects(QIODevice& device, const QString& name)
{
    EError::Guard("DFileKalCir::ReadOnlySubjects()", [&] { ReadPart(device, name, Part::Subjects); });
}

void DFileKalCir::ReadPart(const QString& path, Part part)
{
    QFile file;
    DFileReader::Open(file, path);
    ReadPart(file, path, part);
}

void DFileKalCir::ReadPart(QIODevice& device, const QString& path, Part part)
{
    // Nothing valid is that large: refuse it before it costs any memory.
    if (device.size() > MaxFileSize())
        throw EError(60020, {path});
    DFileStream stream(&device, path);
    StreamScope scope(stream_, stream);

    ReadHeader();
    ReadVersion();

    // Read into a fresh document; the test takes it over only on success.
    auto fresh = std::make_unique<DTest>();
    switch (part)
    {
    case Part::Whole:
        fresh->SectionsFromFile(stream, version_);
        test_.TakeOver(*fresh);
        fileName_ = path;
        break;
    case Part::Questions:
        fresh->QuestionsFromFile(stream, version_);
        test_.TakeQuestions(*fresh);
        break;
    case Part::Subjects:
        fresh->SubjectsFromFile(stream);
        test_.TakeSubjects(*fresh);
        break;
    }
}

void DFileKalCir::ReadHeader()
{
    char bytes[42];
    if (!stream_ || !stream_->Read(bytes, sizeof bytes))
        throw EError(60010, {"DFileKalCir::ReadHeader()"});
    QString magic(21, Qt::Uninitialized);
    qFromLittleEndian<char16_t>(bytes, 21, magic.data());
    magic_ = magic;
    if (magic_ != kMagic)
        throw EError(60020, {stream_->Path()});
}

void DFileKalCir::ReadVersion()
{
    qint32 version = 0;
    if (!stream_ || !stream_->ReadInt32(version))
        throw EError(60010, {"DFileKalCir::ReadVersion()"});
    version_ = version;
    if (version_ != 1 && version_ != 2)
        throw EError(60030);
}
