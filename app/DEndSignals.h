#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// The signals that end a run from outside: SIGTERM (a shutdown, kill, the
// session's end), SIGHUP (the terminal closed) and SIGINT (Ctrl+C). Left to
// their defaults they kill the program at once, losing the work since the
// last recovery copy and leaving the test's lock behind.
//
// A signal handler may only make async-signal-safe calls: it writes the
// signal's number into a socket pair, and the event loop reads it and calls
// the handler given here, where anything may run. One object at a time;
// its end gives the signals their default action again.
class DEndSignals : public QObject
{
public:
    explicit DEndSignals(std::function<void(int signal)> handler, QObject* parent = nullptr);
    ~DEndSignals() override;
    DEndSignals(const DEndSignals&) = delete;
    DEndSignals& operator=(const DEndSignals&) = delete;

private:
    void Read();

    std::function<void(int)> handler_;
    QSocketNotifier* notifier_ = nullptr;
};
