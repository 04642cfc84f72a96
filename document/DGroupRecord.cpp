#include "document/DGroupRecord.h"

#include "document/DTest.h"
#include "model/EError.h"

DGroupSettings DGroupRecord::Load(const DTest& test)
{
    return EError::Guard("DGroupRecord::Load()",
                         [&]
                         {
                             const std::optional<QByteArray> data = test.tags.Get(kTag);
                             return data ? DGroupSettings::FromBytes(*data, test.subj.Count()) : DGroupSettings();
                         });
}

void DGroupRecord::Store(DTest& test, const DGroupSettings& settings, bool byUser)
{
    EError::Guard("DGroupRecord::Store()",
                  [&]
                  {
                      if (!test.tags.Get(kTag) && settings == DGroupSettings())
                          return;
                      test.tags.Set(kTag, settings.ToBytes(), byUser);
                  });
}
