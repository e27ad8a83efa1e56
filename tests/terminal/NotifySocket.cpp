#include "NotifySocket.h"

#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

NotifySocket::NotifySocket(std::optional<std::chrono::microseconds> watchdog) {
    const std::string path = folder_.PathOf("notify");
    socket_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (socket_ < 0 || bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0)
        throw std::runtime_error("cannot bind the notify socket " + path);
    setenv("NOTIFY_SOCKET", path.c_str(), 1);
    if (watchdog)
        setenv("WATCHDOG_USEC", std::to_string(watchdog->count()).c_str(), 1);
}

NotifySocket::~NotifySocket() {
    unsetenv("NOTIFY_SOCKET");
    unsetenv("WATCHDOG_USEC");
    close(socket_);
}

void NotifySocket::Receive(int waitMs) {
    pollfd ready{socket_, POLLIN, 0};
    while (poll(&ready, 1, waitMs) > 0) {
        char buffer[4096];
        const ssize_t got = recv(socket_, buffer, sizeof buffer, 0);
        if (got < 0)
            return;
        messages_.emplace_back(buffer, static_cast<size_t>(got));
        waitMs = 0;
    }
}

const std::vector<std::string>& NotifySocket::Messages() {
    Receive(0);
    return messages_;
}

bool NotifySocket::WaitForLine(const std::string& line, std::chrono::seconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    Receive(0);
    for (size_t seen = 0;;) {
        for (; seen < messages_.size(); ++seen)
            if (HasLine(messages_[seen], line))
                return true;
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero())
            return false;
        Receive(static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(left).count()) + 1);
    }
}

void NotifySocket::Clear() {
    Receive(0);
    messages_.clear();
}

bool HasLine(const std::string& message, const std::string& line) {
    return ("\n" + message + "\n").find("\n" + line + "\n") != std::string::npos;
}
