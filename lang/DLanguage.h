#pragma once

#include "model/EError.h"

#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;

// The language of the user interface, the string table lookup, message
// formatting and the two message boxes. One object lives for the whole run;
// the most recently constructed one is the active one that errors use.
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

    void ShowErr(const QString& text) const;
    QMessageBox::StandardButton ShowQuestion(int id) const;
    // A question whose answers are buttons of its own, labelled with the
    // texts of the ids; returns the index of the button pressed. The last
    // button is both the default and the escape (Enter, Escape and closing
    // the box choose it), so it must be the answer that changes nothing.
    int ShowChoice(const QString& text, const QList<int>& buttons) const;

    QString GetHelpFile() const;
    void ToListBox(QListWidget* list) const;
    void FromListBox(QListWidget* list);

    void Load();
    void Save() const;

    // Replaceable message boxes, so tests can answer them without a screen.
    using ErrorBox = std::function<void(const QString& title, const QString& text)>;
    using QuestionBox = std::function<QMessageBox::StandardButton(const QString& title, const QString& text)>;
    void SetErrorBox(ErrorBox box) { errorBox_ = std::move(box); }
    void SetQuestionBox(QuestionBox box) { questionBox_ = std::move(box); }
    using ChoiceBox = std::function<int(const QString& title, const QString& text, const QStringList& buttons)>;
    void SetChoiceBox(ChoiceBox box) { choiceBox_ = std::move(box); }

    // Showing convention of user-interface handlers: run the work; show an
    // EError's own message, and any other failure as 50020 naming the handler.
    template <class F>
    void Handle(const char* module, F&& work) const
    {
        Run(module, std::forward<F>(work), true);
    }
    // The same for handlers that only show dialogs or hand work on: every
    // failure, an EError included, is shown as 50020 naming the handler.
    template <class F>
    void HandleAsFailure(const char* module, F&& work) const
    {
        Run(module, std::forward<F>(work), false);
    }

    // Formats %d and %s placeholders in order; false when the arguments
    // don't match them.
    static bool Format(const QString& text, const DArgs& args, QString& result);

private:
    template <class F>
    void Run(const char* module, F&& work, bool ownMessages) const
    {
        try
        {
            std::forward<F>(work)();
        }
        catch (const EError& e)
        {
            ShowErr(ownMessages ? e.Message() : GetErr(50020, {module}));
        }
        catch (...)
        {
            ShowErr(GetErr(50020, {module}));
        }
    }

    QString Formatted(int id, const DArgs& args, const char* function) const;

    int language_ = English;
    Store store_ = Store::Off;
    DLanguage* previous_ = nullptr;
    ErrorBox errorBox_;
    QuestionBox questionBox_;
    ChoiceBox choiceBox_;
};
