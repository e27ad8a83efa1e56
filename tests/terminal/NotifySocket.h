#pragma once
// The service manager's end of sd_notify for a test: a datagram socket of
// the test's own, bound to a path in a temporary folder, and the variables
// that point a program at it (NOTIFY_SOCKET, and WATCHDOG_USEC for a
// watchdog) while the object lives. Programs started meanwhile inherit them.
#include "TemporaryFolder.h"

#include <chrono>
#include <optional>
#include <string>
#include <vector>

class NotifySocket {
public:
    // watchdog: the interval to ask for; none asks for no watchdog.
    explicit NotifySocket(std::optional<std::chrono::microseconds> watchdog = std::nullopt);
    ~NotifySocket();
    NotifySocket(const NotifySocket&) = delete;
    NotifySocket& operator=(const NotifySocket&) = delete;

    // Every message received so far, each as sent ("READY=1\nSTATUS=...").
    const std::vector<std::string>& Messages();
    // Waits until a message holds the text as one of its lines.
    bool WaitForLine(const std::string& line, std::chrono::seconds limit);
    // Forgets the messages received so far (and any waiting).
    void Clear();

private:
    void Receive(int waitMs);

    TemporaryFolder folder_{"quorvel-notify"};
    int socket_ = -1;
    std::vector<std::string> messages_;
};

// Whether the message holds the text as one of its lines.
bool HasLine(const std::string& message, const std::string& line);
