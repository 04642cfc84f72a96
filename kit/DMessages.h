#pragma once

#include "lang/DLanguage.h"
#include "model/EError.h"

#include <QList>
#include <QMessageBox>
#include <QString>
#include <QStringList>

#include <functional>

class QListWidget;

// The message boxes of the user interface, titled and labelled from the
// string table in the given language, and the showing convention of the
// handlers. The boxes can be replaced so tests can answer them without a
// screen; a replacement stays until it is replaced again.
class DMessages
{
public:
    static void ShowErr(const DLanguage& language, const QString& text);
    static QMessageBox::StandardButton ShowQuestion(const DLanguage& language, int id);
    static QMessageBox::StandardButton ShowQuestion(const DLanguage& language, const QString& text);
    // Puts a question before an operation: true when there is nothing to ask
    // (an empty text) or the user answered Yes.
    static bool Confirm(const DLanguage& language, const QString& question);
    // A question whose answers are buttons of its own, labelled with the
    // texts of the ids; returns the index of the button pressed. The last
    // button is both the default and the escape (Enter, Escape and closing
    // the box choose it), so it must be the answer that changes nothing.
    static int ShowChoice(const DLanguage& language, const QString& text, const QList<int>& buttons);

    // The language list of the language dialog, and the choice read back
    // (no selection keeps the language).
    static void ToListBox(const DLanguage& language, QListWidget* list);
    static void FromListBox(DLanguage& language, const QListWidget* list);

    using ErrorBox = std::function<void(const QString& title, const QString& text)>;
    using QuestionBox = std::function<QMessageBox::StandardButton(const QString& title, const QString& text)>;
    using ChoiceBox = std::function<int(const QString& title, const QString& text, const QStringList& buttons)>;
    static void SetErrorBox(ErrorBox box);
    static void SetQuestionBox(QuestionBox box);
    static void SetChoiceBox(ChoiceBox box);
    // Puts the real boxes back when it goes: whoever replaces the boxes holds
    // one for as long as the replacements may be called, so that none outlives
    // what it captured.
    class RealBoxesOnExit
    {
    public:
        RealBoxesOnExit() = default;
        ~RealBoxesOnExit();
        RealBoxesOnExit(const RealBoxesOnExit&) = delete;
        RealBoxesOnExit& operator=(const RealBoxesOnExit&) = delete;
    };

    // The settings store reports its failures in an error box titled "ERROR"
    // once widgets exist; before, and without widgets, on stderr.
    static void ReportRegistryInBoxes();

    // Showing convention of user-interface handlers: run the work; show an
    // EError's own message, and any other failure as 50020 naming the handler.
    template <class F> static void Handle(const DLanguage& language, const char* module, F&& work)
    {
        Run(language, module, std::forward<F>(work), true);
    }
    // The same for handlers that only show dialogs or hand work on: every
    // failure, an EError included, is shown as 50020 naming the handler.
    template <class F> static void HandleAsFailure(const DLanguage& language, const char* module, F&& work)
    {
        Run(language, module, std::forward<F>(work), false);
    }

private:
    template <class F> static void Run(const DLanguage& language, const char* module, F&& work, bool ownMessages)
    {
        try
        {
            std::forward<F>(work)();
        }
        catch (const EError& e)
        {
            ShowErr(language, ownMessages ? e.Message() : language.GetErr(50020, {module}));
        }
        catch (...)
        {
            ShowErr(language, language.GetErr(50020, {module}));
        }
    }
};
