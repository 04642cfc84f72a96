#pragma once

#include <QString>

#include <functional>
#include <memory>

class QSettings;

// The per-user settings store (organisation "Zelvor", application
// "Kaleidocircle"), opened for a single read or write. It reports its own
// failures at once, in English, without the string table.
//
// A settings file that is not a regular file (a FIFO, a device) or is
// larger than kMaxFileBytes is ignored: reads give their defaults, writes
// do nothing, and the file is left as it is.
class DRegistry
{
public:
    // A store opened only to read, by a run that never writes settings (an
    // export), says nothing about them: a setting it cannot read keeps its
    // default, and the settings are not what that run was asked about.
    enum class Use
    {
        ReadAndWrite,
        ReadQuietly
    };

    explicit DRegistry(Use use = Use::ReadAndWrite);
    ~DRegistry();
    DRegistry(const DRegistry&) = delete;
    DRegistry& operator=(const DRegistry&) = delete;

    int ReadInt(const QString& section, const QString& key, int defaultValue);
    void WriteInt(const QString& section, const QString& key, int value);

    // Where failure messages go: the reporter when one is set (tests set
    // one), else the default reporter, which the user interface sets to an
    // error box; without either, a warning on stderr.
    using Reporter = std::function<void(const QString& text)>;
    static void SetReporter(Reporter reporter);
    static void SetDefaultReporter(Reporter reporter);
    static void Report(const QString& text);

    // The settings file, and whether it may be opened: absent, or a regular
    // file of at most kMaxFileBytes.
    static QString FilePath();
    static bool IsUsable(const QString& path);
    // A few settings take a few hundred bytes.
    static constexpr qint64 kMaxFileBytes = 1 << 20;

private:
    void Complain(const QString& text) const;

    std::unique_ptr<QSettings> settings_;
    QString work_;
    bool ignored_ = false;
    bool quiet_ = false;
};
