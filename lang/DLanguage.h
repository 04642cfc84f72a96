#pragma once

#include "lang/DArgs.h"

#include <QString>
#include <QStringList>

// The language of the user interface, the string table lookup and message
// formatting. One object lives for the whole run; the most recently
// constructed one is the active one that errors use. Showing messages is the
// user interface's part (kit/DMessages).
class DLanguage
{
public:
    enum Language
    {
        English = 0,
        Italian = 1
    };
    // Whether the object reads the language from the settings store at
    // construction and writes it back at destruction.
    enum class Store
    {
        LoadAndSave,
        LoadOnly,
        Off
    };

    explicit DLanguage(Store store = Store::LoadAndSave);
    explicit DLanguage(int language);
    ~DLanguage();
    DLanguage(const DLanguage&) = delete;
    DLanguage& operator=(const DLanguage&) = delete;

    // The active object; an English one without settings when none exists.
    static DLanguage& Active();

    int GetLanguage() const { return language_; }
    void SetLanguage(int language) { language_ = language; }
    bool IsEng() const { return language_ == English; }
    bool IsIta() const { return language_ == Italian; }

    QString GetStr(int id) const;
    static QString GetStrEng(int id);
    static QString GetStrIta(int id);
    QString GetErr(int id, const DArgs& args = {}) const;
    QString GetMsg(int id, const DArgs& args = {}) const;

    QString GetHelpFile() const;
    // The names of the languages, in Language order, each in its own tongue.
    static QStringList Names();

    void Load();
    void Save() const;

    // Formats %d and %s placeholders in order; false when the arguments
    // don't match them.
    static bool Format(const QString& text, const DArgs& args, QString& result);

private:
    QString Formatted(int id, const DArgs& args, const char* function) const;

    int language_ = English;
    Store store_ = Store::Off;
    DLanguage* previous_ = nullptr;
};
