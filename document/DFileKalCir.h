#pragma once

#include "model/DFileKalCirSec.h"

#include <QString>

class DFileStream;
class QIODevice;
class DTest;

// Reads and writes the whole test file: magic, version, section-position
// table and the components' sections, plus the imports of only the
// questions or only the subjects of another test file.
//
// Saving is safe: the file is built in memory and replaces the old one only
// when complete. Reading is all-or-nothing: the file is read into a fresh
// document that the test takes over only when every section was read.
class DFileKalCir
{
public:
    explicit DFileKalCir(DTest& test);

    void New();
    void Write(const QString& path);
    // The bytes Write would store, built in memory; no change state is cleared.
    QByteArray ToBytes();
    // Clears every change state that Write would clear, writing nothing: the
    // test now counts as what is on disk (undone back to it, or new).
    void MarkUnchanged();
    void Read(const QString& path);
    void ReadOnlyQuestions(const QString& path);
    void ReadOnlySubjects(const QString& path);

    // The same reads from a device that is already open for reading (a file
    // held in memory, for instance); name stands for the path in messages
    // and becomes the file name after a whole read.
    void Read(QIODevice& device, const QString& name);
    void ReadOnlyQuestions(QIODevice& device, const QString& name);
    void ReadOnlySubjects(QIODevice& device, const QString& name);

    // The largest file a valid test can make; a larger one is refused
    // before anything is read.
    static qint64 MaxFileSize();

    // The checks at the start of every read, on the stream being read.
    void ReadHeader();
    void ReadVersion();

    // The path of the file last written or read in full; empty for a new test.
    const QString& FileName() const { return fileName_; }
    // A test read from elsewhere (a recovery copy) that stands for the file
    // at path; empty makes it a new test.
    void SetFileName(const QString& path) { fileName_ = path; }
    qint32 Version() const { return version_; }

    static const QString kMagic;
    static constexpr qint32 kVersion = 2;
    static constexpr qint64 kSectionsStart = DFileKalCirSec::kSectionsStart;

private:
    enum class Part
    {
        Whole,
        Questions,
        Subjects
    };
    // Writes the whole file through stream, which collects the change states
    // of the elements written.
    void WriteTo(DFileStream& stream);
    // The file's bytes built in memory; commitSaved clears the change states
    // of the elements written.
    QByteArray WriteInMemory(bool commitSaved);
    void ReadPart(const QString& path, Part part);
    void ReadPart(QIODevice& device, const QString& path, Part part);

    DTest& test_;
    DFileStream* stream_ = nullptr;
    qint32 version_ = 0;
    QString magic_;
    QString fileName_;
};
