#include "TerminationSignals.h"

#include "EventGuard.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>
#include <utility>

namespace {

// The pipe's write end for the handler; one program has one such pipe.
volatile sig_atomic_t gWriteEnd = -1;

void WriteWakeUp(int) {
    const int savedErrno = errno;
    const char byte = 1;
    // A full pipe already holds a wake-up, so a failed write loses nothing.
    [[maybe_unused]] const ssize_t written = write(gWriteEnd, &byte, 1);
    errno = savedErrno;
}

void SetAction(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

}  // namespace

TerminationSignals::TerminationSignals(std::function<void()> onRequest) : onRequest_(std::move(onRequest)) {
    int ends[2];
    if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0)
        throw std::runtime_error("Não foi possível preparar o fim do programa por sinal.");
    readEnd_ = ends[0];
    writeEnd_ = ends[1];
    gWriteEnd = writeEnd_;
    notifier_ = std::make_unique<QSocketNotifier>(readEnd_, QSocketNotifier::Read);
    QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { Take(); });
    Install();
}

TerminationSignals::~TerminationSignals() {
    SetAction(SIG_DFL);
    gWriteEnd = -1;
    notifier_.reset();
    close(readEnd_);
    close(writeEnd_);
}

void TerminationSignals::Install() { SetAction(WriteWakeUp); }

void TerminationSignals::Take() {
    char bytes[16];
    while (read(readEnd_, bytes, sizeof bytes) > 0) {
    }
    if (requested_)
        return;
    requested_ = true;
    RunGuarded(onRequest_);
}
