#include "TerminalServer.h"

#include <cerrno>
#include <cstring>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

TerminalServer::TerminalServer(SimulatedTerminal& terminal, const std::string& address, int port)
    : terminal_(terminal) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV | AI_PASSIVE;
    addrinfo* found = nullptr;
    if (int error = getaddrinfo(address.c_str(), std::to_string(port).c_str(), &hints, &found))
        throw std::runtime_error("cannot listen on " + address + ": " + gai_strerror(error));
    listener_ = socket(found->ai_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    int on = 1;
    bool listening = listener_ >= 0 && setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) == 0 &&
                     bind(listener_, found->ai_addr, found->ai_addrlen) == 0 && listen(listener_, 4) == 0;
    int error = errno;
    freeaddrinfo(found);
    if (!listening) {
        if (listener_ >= 0)
            close(listener_);
        throw std::runtime_error("cannot listen on " + address + ":" + std::to_string(port) + ": " +
                                 std::strerror(error));
    }
    sockaddr_storage bound{};
    socklen_t length = sizeof bound;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length);
    port_ = ntohs(bound.ss_family == AF_INET6 ? reinterpret_cast<sockaddr_in6*>(&bound)->sin6_port
                                              : reinterpret_cast<sockaddr_in*>(&bound)->sin_port);
}

TerminalServer::~TerminalServer() {
    DropHost();
    close(listener_);
}

bool TerminalServer::Serve(std::chrono::milliseconds wait, int otherDescriptor) {
    SendKeys();
    pollfd entries[3] = {{listener_, POLLIN, 0}, {host_, POLLIN, 0}, {otherDescriptor, POLLIN, 0}};
    if (!unsent_.empty())
        entries[1].events |= POLLOUT;
    if (poll(entries, 3, static_cast<int>(wait.count())) <= 0)
        return false;
    if (entries[0].revents & POLLIN)
        Accept();
    else if (entries[1].revents & (POLLIN | POLLHUP | POLLERR))
        ReceiveFromHost();
    SendKeys();
    return entries[2].revents != 0;
}

void TerminalServer::Accept() {
    int host = accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (host < 0)
        return;
    DropHost();
    int on = 1;
    setsockopt(host, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
    host_ = host;
    terminal_.HostConnected();
}

void TerminalServer::ReceiveFromHost() {
    char buffer[4096];
    ssize_t received = recv(host_, buffer, sizeof buffer, 0);
    if (received > 0)
        terminal_.ReceiveFromHost(std::string_view(buffer, static_cast<size_t>(received)));
    else if (received == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR))
        DropHost();
}

void TerminalServer::SendKeys() {
    if (host_ < 0)
        return;
    unsent_ += terminal_.TakeKeys();
    while (!unsent_.empty()) {
        ssize_t sent = send(host_, unsent_.data(), unsent_.size(), MSG_NOSIGNAL);
        if (sent > 0) {
            unsent_.erase(0, static_cast<size_t>(sent));
        } else if (sent < 0 && errno == EINTR) {
            continue;
        } else {
            if (sent < 0 && errno != EAGAIN && errno != EWOULDBLOCK)
                DropHost();
            return;
        }
    }
}

void TerminalServer::DropHost() {
    if (host_ >= 0)
        close(host_);
    host_ = -1;
    // Keys the host never took wait for the next one; a code cut in half
    // loses its sent half.
    if (unsent_.size() % 2)
        unsent_.erase(0, 1);
}

bool SplitListenAddress(const std::string& text, std::string& address, int& port) {
    size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size())
        return false;
    const std::string portText = text.substr(colon + 1);
    if (portText.size() > 5 || portText.find_first_not_of("0123456789") != std::string::npos)
        return false;
    port = std::stoi(portText);
    address = text.substr(0, colon);
    if (address.size() > 2 && address.front() == '[' && address.back() == ']')
        address = address.substr(1, address.size() - 2);
    return port <= 65535;
}
