#pragma once

#include "model/DChange.h"
#include "model/DFileKalCirSec.h"

#include <QByteArray>
#include <QtGlobal>

#include <optional>
#include <vector>

class DFileStream;

// The tagged section of the test file: the one place where features added
// after the first file layout store their data, so that every earlier reader,
// which never looks at its slot, still reads the file.
//
// In the file (slot 5 of the section-position table; little-endian):
//   int32 count, then count records of: uint32 tag, int32 length, length bytes.
// A test without records writes no section and leaves the slot at 0, so such
// files stay exactly as the writers before this section made them.
//
// The records are kept in file order whatever their tag: a feature reads and
// replaces its own record by its tag, and every record no feature of this
// build knows is written back exactly as it was read.
class DFileKalCirTags
{
public:
    static constexpr int kSlot = 5;
    // The whole section (count included) and a record's data: caps that bound
    // the memory any file can make the reader take.
    static constexpr qint64 kMaxSectionBytes = 1 << 20;
    static constexpr qint64 kMaxRecordBytes = 64 << 10;
    // Bytes of the count, and of a record's tag and length.
    static constexpr qint64 kCountBytes = 4;
    static constexpr qint64 kRecordHeadBytes = 8;

    // A tag spelled as four ASCII letters, which show in that order in the file.
    static constexpr quint32 Tag(const char (&letters)[5])
    {
        return quint32(quint8(letters[0])) | quint32(quint8(letters[1])) << 8 | quint32(quint8(letters[2])) << 16 |
               quint32(quint8(letters[3])) << 24;
    }

    struct Record
    {
        quint32 tag;
        QByteArray data;
        bool operator==(const Record&) const = default;
    };

    DFileKalCirTags();
    DFileKalCirTags(const DFileKalCirTags&) = delete;
    DFileKalCirTags& operator=(const DFileKalCirTags&) = delete;

    // A new test has no records, and so nothing left to save of this section.
    void New();
    bool IsChangedByUser() const { return change_.IsFromUser(); }

    // The data of the record with the tag; nothing when the test has none.
    std::optional<QByteArray> Get(quint32 tag) const;
    // Replaces the record's data where it stands, or appends a new record.
    // Equal data changes nothing; a different one is a user change when
    // byUser says so. Data that would break a cap raises error 50020.
    void Set(quint32 tag, const QByteArray& data, bool byUser);
    // Drops the record, if the test has one.
    void Remove(quint32 tag, bool byUser);
    const std::vector<Record>& Records() const { return records_; }
    // What the section takes in the file; 0 when it is not written.
    qint64 SectionBytes() const;

    // Write nothing without records; refuse (error 60010) a section that is
    // damaged: a negative count or length, a record over its cap, a section
    // over its cap or past the end of the file, a tag that occurs twice.
    void ToFile(DFileStream& stream);
    void FromFile(DFileStream& stream);

    // Copies the records of another document; the change state stays.
    void TakeData(const DFileKalCirTags& other);

private:
    std::vector<Record> records_;
    DChange change_;
    DFileKalCirSec sec_;
};
