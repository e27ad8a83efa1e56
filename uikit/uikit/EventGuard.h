#pragma once
// The exception barrier around every event handler (timer tick, button,
// dialog): an error that no handler caught is shown in the default error
// box and the program goes on with its next event.
#include <exception>
#include <functional>

// Thrown to end the current event handler silently after its error has
// already been shown (a failed terminal library call, for example).
class OperationAbandoned : public std::exception {
public:
    const char* what() const noexcept override { return "operation abandoned"; }
};

// Runs one event handler. OperationAbandoned ends it silently; any other
// exception is shown by ErrorBox with the program's title and its message.
// Nothing escapes.
void RunGuarded(const std::function<void()>& handler) noexcept;
