#pragma once

#include <QList>
#include <QMetaType>
#include <QString>
#include <QByteArray>

#include <exception>
#include <utility>

// One argument of a formatted message: an integer for %d or a text for %s.
class DArg
{
public:
    DArg(int value) : isInt_(true), int_(value) {}
    DArg(const QString& text) : isInt_(false), int_(0), text_(text) {}
    DArg(const char* text) : isInt_(false), int_(0), text_(QString::fromUtf8(text)) {}

    bool IsInt() const { return isInt_; }
    int Int() const { return int_; }
    const QString& Text() const { return text_; }

private:
    bool isInt_;
    int int_;
    QString text_;
};

using DArgs = QList<DArg>;
Q_DECLARE_METATYPE(DArgs)

// The one exception type of the application. Its message is fixed in the
// language that is current when it is raised.
class EError : public std::exception
{
public:
    explicit EError(int code);
    EError(int code, const DArgs& args);

    const QString& Message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

    // Runs body; an EError passes unchanged, any other failure becomes
    // error 50020 naming the operation (e.g. "DQuesList::SetSize()").
    template <class F>
    static decltype(auto) Guard(const char* module, F&& body)
    {
        try
        {
            return std::forward<F>(body)();
        }
        catch (const EError&)
        {
            throw;
        }
        catch (...)
        {
            throw EError(50020, {module});
        }
    }

private:
    QString message_;
    QByteArray utf8_;
};
