#include "document/DFileKalCirTags.h"

#include "model/DFileStream.h"
#include "model/EError.h"

#include <algorithm>
#include <unordered_set>

namespace
{
template <class Records> auto FindTag(Records& records, quint32 tag)
{
    return std::find_if(records.begin(), records.end(), [&](const auto& r) { return r.tag == tag; });
}

EError Damaged()
{
    return EError(60010, {"DFileKalCirTags::FromFile()"});
}
} // namespace

DFileKalCirTags::DFileKalCirTags() : sec_(kSlot)
{
}

void DFileKalCirTags::New()
{
    EError::Guard("DFileKalCirTags::New()",
                  [&]
                  {
                      records_.clear();
                      change_.Saved();
                  });
}

std::optional<QByteArray> DFileKalCirTags::Get(quint32 tag) const
{
    const auto it = FindTag(records_, tag);
    if (it == records_.end())
        return std::nullopt;
    return it->data;
}

void DFileKalCirTags::Set(quint32 tag, const QByteArray& data, bool byUser)
{
    EError::Guard("DFileKalCirTags::Set()",
                  [&]
                  {
                      const auto it = FindTag(records_, tag);
                      const qint64 before = it == records_.end() ? 0 : kRecordHeadBytes + it->data.size();
                      const qint64 section =
                          std::max(SectionBytes(), kCountBytes) - before + kRecordHeadBytes + data.size();
                      if (data.size() > kMaxRecordBytes || section > kMaxSectionBytes)
                          throw EError(50020, {"DFileKalCirTags::Set()"});
                      if (it != records_.end())
                      {
                          if (it->data == data)
                              return;
                          it->data = data;
                      }
                      else
                          records_.push_back({tag, data});
                      if (byUser)
                          change_.FromUser();
                  });
}

void DFileKalCirTags::Remove(quint32 tag, bool byUser)
{
    EError::Guard("DFileKalCirTags::Remove()",
                  [&]
                  {
                      const auto it = FindTag(records_, tag);
                      if (it == records_.end())
                          return;
                      records_.erase(it);
                      if (byUser)
                          change_.FromUser();
                  });
}

qint64 DFileKalCirTags::SectionBytes() const
{
    if (records_.empty())
        return 0;
    qint64 bytes = kCountBytes;
    for (const Record& record : records_)
        bytes += kRecordHeadBytes + record.data.size();
    return bytes;
}

void DFileKalCirTags::ToFile(DFileStream& stream)
{
    EError::Guard("DFileKalCirTags::ToFile()",
                  [&]
                  {
                      if (!records_.empty())
                      {
                          sec_.PositionToFile(stream);
                          bool ok = stream.WriteInt32(static_cast<qint32>(records_.size()));
                          for (const Record& record : records_)
                              ok = ok && stream.WriteInt32(static_cast<qint32>(record.tag)) &&
                                   stream.WriteInt32(static_cast<qint32>(record.data.size())) &&
                                   stream.Write(record.data.constData(), record.data.size());
                          if (!ok)
                              throw EError(60000, {"DFileKalCirTags::ToFile()"});
                      }
                      stream.Saved(change_);
                  });
}

void DFileKalCirTags::FromFile(DFileStream& stream)
{
    EError::Guard("DFileKalCirTags::FromFile()",
                  [&]
                  {
                      std::vector<Record> records;
                      // A start inside the header or the table is refused
                      // with the other sections' starts.
                      if (sec_.OptionalPositionFromFile(stream))
                      {
                          // Every value is checked against the caps and the
                          // bytes left before anything is allocated for it.
                          qint32 count = 0;
                          if (!stream.ReadInt32(count) || count < 0 ||
                              count > (kMaxSectionBytes - kCountBytes) / kRecordHeadBytes ||
                              count > stream.Remaining() / kRecordHeadBytes)
                              throw Damaged();
                          records.reserve(count);
                          std::unordered_set<quint32> tags;
                          qint64 section = kCountBytes;
                          for (qint32 i = 0; i < count; ++i)
                          {
                              qint32 tag = 0;
                              qint32 length = 0;
                              if (!stream.ReadInt32(tag) || !stream.ReadInt32(length) || length < 0 ||
                                  length > kMaxRecordBytes || length > stream.Remaining())
                                  throw Damaged();
                              section += kRecordHeadBytes + length;
                              // Two records of one tag: which one a feature
                              // should take is unknowable.
                              if (section > kMaxSectionBytes || !tags.insert(static_cast<quint32>(tag)).second)
                                  throw Damaged();
                              QByteArray data(length, Qt::Uninitialized);
                              if (!stream.Read(data.data(), length))
                                  throw Damaged();
                              records.push_back({static_cast<quint32>(tag), data});
                          }
                      }
                      records_ = std::move(records);
                  });
}

void DFileKalCirTags::TakeData(const DFileKalCirTags& other)
{
    EError::Guard("DFileKalCirTags::TakeData()", [&] { records_ = other.records_; });
}
