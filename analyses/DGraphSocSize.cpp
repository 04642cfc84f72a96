#include "analyses/DGraphSocSize.h"

#include "model/DFileStream.h"
#include "model/EError.h"

DGraphSocSize::DGraphSocSize()
{
    width_.SetValue(800, false);
    height_.SetValue(600, false);
}

void DGraphSocSize::Set(qint32 width, qint32 height, bool byUser)
{
    width_.SetValue(width, byUser);
    height_.SetValue(height, byUser);
}

void DGraphSocSize::Store(DElemInt32& element, const QString& text)
{
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    if (!ok || value < kMin || value > kMax)
        throw EError(50080, {kMin, kMax});
    element.SetValue(value, true);
}

void DGraphSocSize::UpdateWidth(const QString& text)
{
    EError::Guard("DGraphSocSize::Update()", [&] { Store(width_, text); });
}

void DGraphSocSize::UpdateHeight(const QString& text)
{
    EError::Guard("DGraphSocSize::Update()", [&] { Store(height_, text); });
}

bool DGraphSocSize::IsChangedByUser() const
{
    return EError::Guard("DGraphSocSize::IsChangedByUser()",
                         [&] { return width_.IsChangedByUser() || height_.IsChangedByUser(); });
}

void DGraphSocSize::ToFile(DFileStream& stream)
{
    EError::Guard("DGraphSocSize::ToFile()",
                  [&]
                  {
                      width_.ToFile(stream);
                      height_.ToFile(stream);
                  });
}

void DGraphSocSize::FromFile(DFileStream& stream)
{
    EError::Guard("DGraphSocSize::FromFile()",
                  [&]
                  {
                      // Sizes are only ever stored from 400..4000; anything else would
                      // make the picture unusable or impossibly large.
                      for (DElemInt32* element : {&width_, &height_})
                      {
                          DElemInt32 read;
                          read.FromFile(stream);
                          if (read.GetValue() < kMin || read.GetValue() > kMax)
                              throw EError(60020, {stream.Path()});
                          element->SetValue(read.GetValue(), false); // the change state stays as it was
                      }
                  });
}
