#pragma once

#include "analyses/DGroupSettings.h"
#include "document/DFileKalCirTags.h"

class DTest;

// The working-group settings stored with the test, as one record of the
// tagged section. A test without the record has the default settings.
class DGroupRecord
{
public:
    static constexpr quint32 kTag = DFileKalCirTags::Tag("GRPS");

    static DGroupSettings Load(const DTest& test);
    // Settings equal to what the test holds change nothing; the defaults of
    // a test without the record are not written.
    static void Store(DTest& test, const DGroupSettings& settings, bool byUser);
};
