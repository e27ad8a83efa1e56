#include "LoopbackRelay.h"

#include <algorithm>
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// Small requests and replies go out at once, as the engine's own sockets send them.
void SendAtOnce(int socket) {
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

constexpr char kEnd = 1;
constexpr char kLook = 2;

}  // namespace

LoopbackRelay::LoopbackRelay(int serverPort) : serverPort_(serverPort) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = Loopback(0);
    socklen_t length = sizeof address;
    if (listener_ < 0 || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 8) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        pipe2(wake_, O_CLOEXEC) != 0) {
        if (listener_ >= 0)
            close(listener_);
        throw std::runtime_error("cannot open the loopback relay");
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Relay(); });
}

LoopbackRelay::~LoopbackRelay() {
    Wake(kEnd);
    thread_.join();
    for (const Link& link : links_) {
        close(link.client);
        close(link.server);
    }
    close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

std::string LoopbackRelay::Address() const { return "127.0.0.1/" + std::to_string(port_); }

void LoopbackRelay::CutNow() {
    const std::lock_guard lock(guard_);
    BreakAllLocked();
}

void LoopbackRelay::CutAtNextRequest() {
    const std::lock_guard lock(guard_);
    armed_ = Armed::Request;
}

void LoopbackRelay::CutAtNextReply() {
    const std::lock_guard lock(guard_);
    armed_ = Armed::Reply;
}

void LoopbackRelay::Stall() {
    {
        const std::lock_guard lock(guard_);
        stalled_ = true;
    }
    Wake(kLook);
}

void LoopbackRelay::Resume() {
    {
        const std::lock_guard lock(guard_);
        stalled_ = false;
    }
    Wake(kLook);
}

void LoopbackRelay::RefuseConnections(bool refuse) {
    const std::lock_guard lock(guard_);
    refusing_ = refuse;
}

void LoopbackRelay::Wake(char why) { static_cast<void>(!write(wake_[1], &why, 1)); }

void LoopbackRelay::BreakAllLocked() {
    // Shut down, not closed: the relay's thread may be watching them; it
    // closes them when it reads their end.
    for (const Link& link : links_) {
        shutdown(link.client, SHUT_RDWR);
        shutdown(link.server, SHUT_RDWR);
    }
}

void LoopbackRelay::Relay() {
    for (;;) {
        std::vector<Link> links;
        {
            const std::lock_guard lock(guard_);
            if (!stalled_)
                links = links_;
        }
        std::vector<pollfd> watched = {{listener_, POLLIN, 0}, {wake_[0], POLLIN, 0}};
        for (const Link& link : links) {
            watched.push_back({link.client, POLLIN, 0});
            watched.push_back({link.server, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), -1) < 0)
            continue;  // interrupted by a signal
        if (watched[1].revents != 0) {
            char why = kEnd;
            if (read(wake_[0], &why, 1) != 1 || why == kEnd)
                return;
            continue;
        }
        if (watched[0].revents & POLLIN)
            Accept();
        for (std::size_t i = 0; i < links.size(); ++i) {
            const Link& link = links[i];
            bool open = true;
            if (watched[2 + 2 * i].revents != 0)
                open = Pass(link.client, link.server, Armed::Request);
            if (open && watched[3 + 2 * i].revents != 0)
                open = Pass(link.server, link.client, Armed::Reply);
            if (open)
                continue;
            const std::lock_guard lock(guard_);
            std::erase_if(links_, [&](const Link& kept) { return kept.client == link.client; });
            close(link.client);
            close(link.server);
        }
    }
}

void LoopbackRelay::Accept() {
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    {
        const std::lock_guard lock(guard_);
        if (refusing_) {
            close(client);
            return;
        }
    }
    const int server = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = Loopback(serverPort_);
    if (server < 0 || connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(client);  // the server is not there: the client finds its connection closed
        if (server >= 0)
            close(server);
        return;
    }
    SendAtOnce(client);
    SendAtOnce(server);
    const std::lock_guard lock(guard_);
    links_.push_back({client, server});
}

bool LoopbackRelay::Pass(int from, int to, Armed cutsHere) {
    char buffer[65536];
    const ssize_t got = recv(from, buffer, sizeof buffer, 0);
    if (got <= 0)
        return false;
    {
        const std::lock_guard lock(guard_);
        if (armed_ == cutsHere) {
            armed_ = Armed::Nothing;
            BreakAllLocked();
            return false;
        }
    }
    for (ssize_t sent = 0; sent < got;) {
        const ssize_t now = send(to, buffer + sent, static_cast<std::size_t>(got - sent), MSG_NOSIGNAL);
        if (now <= 0)
            return false;
        sent += now;
    }
    return true;
}
