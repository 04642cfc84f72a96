#pragma once

#include "lang/DArgs.h"

#include <QByteArray>
#include <QString>

#include <exception>
#include <utility>

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
    template <class F> static decltype(auto) Guard(const char* module, F&& body)
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
