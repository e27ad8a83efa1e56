#pragma once
// SIGINT and SIGTERM as a request to end the program, run on the window
// thread by the Qt event loop. The handler itself only writes one byte to a
// pipe; a socket notifier on the pipe's other end then runs the request, so
// nothing but a write happens inside the handler.
//
// Another library may put a handler of its own in place of this one: the
// database client does so on its first connection attempt (and then passes
// the signals on to the handler it found). Install puts this handler back;
// call it again once the program has attached to the database.
#include <functional>
#include <memory>

class QSocketNotifier;

class TerminationSignals {
public:
    // `onRequest` runs once, on the first of the signals; later ones are
    // ignored while it ends the program. Needs the application object.
    explicit TerminationSignals(std::function<void()> onRequest);
    // Gives both signals back their default action.
    ~TerminationSignals();
    TerminationSignals(const TerminationSignals&) = delete;
    TerminationSignals& operator=(const TerminationSignals&) = delete;

    void Install();
    bool Requested() const { return requested_; }

private:
    void Take();

    int readEnd_ = -1;
    int writeEnd_ = -1;
    std::unique_ptr<QSocketNotifier> notifier_;
    std::function<void()> onRequest_;
    bool requested_ = false;
};
