#include "pages/commands/DCommandWhole.h"

#include "document/DTest.h"
#include "lang/DLanguage.h"

#include <QBuffer>

void DCommandWhole::Run(DTest& test, int textId, const std::function<void()>& change, const Push& push)
{
    QByteArray before = test.file.ToBytes();
    auto record = [&]
    {
        QByteArray after = test.file.ToBytes();
        if (after != before)
            push(new DCommandWhole(test, textId, std::move(before), std::move(after)));
    };
    try
    {
        change();
    }
    catch (...)
    {
        record();
        throw;
    }
    record();
}

DCommandWhole::DCommandWhole(DTest& test, int textId, QByteArray before, QByteArray after)
    : test_(test), before_(std::move(before)), after_(std::move(after))
{
    SetText(textId);
}

void DCommandWhole::redo()
{
    if (applied_)
    {
        applied_ = false;
        return;
    }
    Restore(after_);
}

void DCommandWhole::Restore(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    // The test keeps its file name; the bytes are read as a file of its own.
    test_.file.Read(buffer, test_.file.FileName());
    // Read as from a file, every part counts as saved: the step is the
    // user's, and whether it lands on the saved state is the history's call.
    test_.MarkChangedByUser();
}
