#include "TerminalConnection.h"

#include <algorithm>
#include <cerrno>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// Time given to a connection attempt, and to the terminal to take the bytes
// of one command.
constexpr std::chrono::milliseconds kConnectTime{500};
constexpr std::chrono::milliseconds kSendTime{500};

// A terminal that loses its power sends nothing to say so, and after its
// restart it no longer knows the connection. Probes on an idle connection
// (after 2 s, then every second, 3 unanswered end it) and a limit on bytes
// left unacknowledged (5 s) make such a connection fail, so that the next
// call connects again instead of talking into the void.
constexpr int kKeepAliveIdleSeconds = 2;
constexpr int kKeepAliveIntervalSeconds = 1;
constexpr int kKeepAliveProbes = 3;
constexpr unsigned kUnacknowledgedMilliseconds = 5000;

void WatchForSilentLoss(int socket) {
    const int on = 1;
    setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
    setsockopt(socket, IPPROTO_TCP, TCP_KEEPIDLE, &kKeepAliveIdleSeconds, sizeof kKeepAliveIdleSeconds);
    setsockopt(socket, IPPROTO_TCP, TCP_KEEPINTVL, &kKeepAliveIntervalSeconds, sizeof kKeepAliveIntervalSeconds);
    setsockopt(socket, IPPROTO_TCP, TCP_KEEPCNT, &kKeepAliveProbes, sizeof kKeepAliveProbes);
    setsockopt(socket, IPPROTO_TCP, TCP_USER_TIMEOUT, &kUnacknowledgedMilliseconds, sizeof kUnacknowledgedMilliseconds);
}

int MillisecondsUntil(TerminalConnection::Clock::time_point deadline) {
    auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - TerminalConnection::Clock::now());
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(0, left.count()));
}

// Waits until the socket is ready for the events or the deadline passes.
bool WaitFor(int socket, short events, TerminalConnection::Clock::time_point deadline) {
    pollfd entry{socket, events, 0};
    int ready;
    do {
        ready = poll(&entry, 1, MillisecondsUntil(deadline));
    } while (ready < 0 && errno == EINTR);
    return ready > 0;
}

}  // namespace

TerminalConnection::TerminalConnection(std::string address, int port) : address_(std::move(address)), port_(port) {}

TerminalConnection::~TerminalConnection() { Close(); }

bool TerminalConnection::Send(std::string_view bytes) {
    Receive();
    if (state_ == State::Closed)
        StartConnecting();
    FinishConnecting(attemptDeadline_);
    if (state_ != State::Connected)
        return false;

    const auto deadline = Clock::now() + kSendTime;
    while (!bytes.empty()) {
        ssize_t sent = send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            bytes.remove_prefix(static_cast<size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(socket_, POLLOUT, deadline)) {
            continue;
        } else {
            Lose();
            return false;
        }
    }
    return true;
}

uint16_t TerminalConnection::NextKey() {
    Receive();
    if (keys_.HasCode())
        return keys_.TakeCode();
    if (!lossUnreported_) {
        if (state_ == State::Closed)
            StartConnecting();
        FinishConnecting(Clock::now());
        Receive();
        if (keys_.HasCode())
            return keys_.TakeCode();
        if (state_ == State::Connected)
            return 0;
    }
    lossUnreported_ = false;
    return kNoConnectionCode;
}

void TerminalConnection::StartConnecting() {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;  // never a blocking name look-up
    addrinfo* found = nullptr;
    if (getaddrinfo(address_.c_str(), std::to_string(port_).c_str(), &hints, &found) != 0) {
        Lose();
        return;
    }
    socket_ = socket(found->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (socket_ >= 0) {
        int on = 1;
        setsockopt(socket_, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
        WatchForSilentLoss(socket_);
        if (connect(socket_, found->ai_addr, found->ai_addrlen) == 0) {
            state_ = State::Connected;
        } else if (errno == EINPROGRESS) {
            state_ = State::Connecting;
            attemptDeadline_ = Clock::now() + kConnectTime;
        } else {
            Lose();
        }
    } else {
        Lose();
    }
    freeaddrinfo(found);
}

void TerminalConnection::FinishConnecting(Clock::time_point deadline) {
    if (state_ != State::Connecting)
        return;
    if (!WaitFor(socket_, POLLOUT, std::min(deadline, attemptDeadline_))) {
        if (Clock::now() >= attemptDeadline_)
            Lose();
        return;
    }
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        Lose();
        return;
    }
    state_ = State::Connected;
}

void TerminalConnection::Receive() {
    char buffer[4096];
    // Each round fills some of the room, so one call reads at most the
    // bytes of kKeyCapacity keys however fast the terminal sends.
    while (state_ == State::Connected && keys_.Room() > 0) {
        ssize_t received = recv(socket_, buffer, std::min(sizeof buffer, keys_.Room()), MSG_DONTWAIT);
        if (received > 0) {
            keys_.Feed(std::string_view(buffer, static_cast<size_t>(received)));
        } else if (received < 0 && errno == EINTR) {
            continue;
        } else {
            if (received == 0 || (errno != EAGAIN && errno != EWOULDBLOCK))
                Lose();
            return;
        }
    }
}

void TerminalConnection::Lose() {
    Close();
    lossUnreported_ = true;
}

void TerminalConnection::Close() {
    if (socket_ >= 0)
        close(socket_);
    socket_ = -1;
    state_ = State::Closed;
    keys_.DropPartialCode();
}
