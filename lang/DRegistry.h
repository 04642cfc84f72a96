#pragma once

#include <QString>

#include <functional>
#include <memory>

class QSettings;

// The per-user settings store (organisation "Zelvor", application
// "Kaleidocircle"), opened for a single read or write. It reports its own
// failures at once, in English, without the string table.
class DRegistry
{
public:
    DRegistry();
    ~DRegistry();
    DRegistry(const DRegistry&) = delete;
    DRegistry& operator=(const DRegistry&) = delete;

    int ReadInt(const QString& section, const QString& key, int defaultValue);
    void WriteInt(const QString& section, const QString& key, int value);

    // Where failure messages go; by default an error box titled "ERROR" when
    // widgets are available, else a warning on stderr. Tests replace it.
    using Reporter = std::function<void(const QString& text)>;
    static void SetReporter(Reporter reporter);
    static void Report(const QString& text);

private:
    std::unique_ptr<QSettings> settings_;
    QString work_;
};
