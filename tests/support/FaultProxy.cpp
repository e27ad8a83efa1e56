#include "FaultProxy.h"

#include <algorithm>
#include <cerrno>
#include <arpa/inet.h>
#include <deque>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace {

sockaddr_in AddressOf(const FaultProxy::Endpoint& endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(endpoint.port));
    if (inet_pton(AF_INET, endpoint.address.c_str(), &address.sin_addr) != 1 ||
        (ntohl(address.sin_addr.s_addr) >> 24) != 127)
        throw std::runtime_error("the fault proxy works on loopback addresses only: " + endpoint.address);
    return address;
}

// Small requests and answers go out at once, as the peers' own sockets send them.
void SendAtOnce(int socket) {
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

// Closes with a reset instead of an orderly end: the peer's next read or
// write fails at once.
void CloseWithReset(int socket) {
    const linger now{1, 0};
    setsockopt(socket, SOL_SOCKET, SO_LINGER, &now, sizeof now);
    close(socket);
}

bool SendAll(int socket, const std::vector<char>& bytes) {
    for (size_t sent = 0; sent < bytes.size();) {
        const ssize_t now = send(socket, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (now <= 0)
            return false;
        sent += static_cast<size_t>(now);
    }
    return true;
}

// What the socket has, without waiting (none yet leaves `bytes` empty);
// false when the connection has ended.
bool Receive(int socket, std::vector<char>& bytes) {
    bytes.resize(65536);
    const ssize_t got = recv(socket, bytes.data(), bytes.size(), MSG_DONTWAIT);
    bytes.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return got > 0 || (got < 0 && (errno == EAGAIN || errno == EINTR));
}

}  // namespace

struct FaultProxy::Link {
    int client = -1;
    int server = -1;
    std::deque<Held> toServer;
    std::deque<Held> toClient;
    // The client's packet went on to the server; its answer is to be lost.
    bool answerLost = false;

    ~Link() {
        if (client >= 0)
            close(client);
        if (server >= 0)
            close(server);
    }
    void Reset() {
        CloseWithReset(client);
        CloseWithReset(server);
        client = server = -1;
    }
};

FaultProxy::FaultProxy(const Endpoint& listen, const Endpoint& target) : listenAt_(listen), target_(target) {
    AddressOf(target_);
    if (pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0 || !OpenListener()) {
        for (int fd : {wake_[0], wake_[1], listener_})
            if (fd >= 0)
                close(fd);
        throw std::runtime_error("the fault proxy cannot listen on " + listen.address + ":" +
                                 std::to_string(listen.port));
    }
    thread_ = std::thread([this] { Serve(); });
}

FaultProxy::~FaultProxy() {
    OnProxyThread([this] { stopping_ = true; });
    thread_.join();
    links_.clear();
    if (listener_ >= 0)
        close(listener_);
    close(wake_[0]);
    close(wake_[1]);
}

std::string FaultProxy::FirebirdHost() const { return listenAt_.address + "/" + std::to_string(port_); }

void FaultProxy::SetLatency(std::chrono::milliseconds delay) {
    OnProxyThread([this, delay] { latency_ = delay; });
}

void FaultProxy::Stall(std::chrono::milliseconds length) {
    OnProxyThread([this, length] { stallUntil_ = Clock::now() + length; });
}

void FaultProxy::EndStall() {
    OnProxyThread([this] { stallUntil_ = Clock::now(); });
}

void FaultProxy::ResetAll() {
    OnProxyThread([this] {
        for (auto& link : links_)
            link->Reset();
        links_.clear();
    });
}

void FaultProxy::ResetAtClientPacket(PacketFate fate, int nth, std::chrono::milliseconds refuseAfter) {
    OnProxyThread([this, fate, nth, refuseAfter] {
        fate_ = fate;
        packetsToReset_ = std::max(nth, 1);
        refuseAfterReset_ = refuseAfter;
    });
}

void FaultProxy::CancelReset() {
    OnProxyThread([this] { packetsToReset_ = 0; });
}

void FaultProxy::Refuse(std::chrono::milliseconds length) {
    OnProxyThread([this, length] { StartRefusing(length); });
}

void FaultProxy::Admit() {
    OnProxyThread([this] {
        refuseUntil_ = Clock::now();
        if (listener_ < 0)
            OpenListener();
    });
}

void FaultProxy::StartRefusing(std::chrono::milliseconds length) {
    if (length <= std::chrono::milliseconds(0))
        return;
    refuseUntil_ = Clock::now() + length;
    if (listener_ >= 0)
        close(listener_);
    listener_ = -1;
}

long FaultProxy::ClientPackets() {
    long packets = 0;
    OnProxyThread([this, &packets] { packets = clientPackets_; });
    return packets;
}

bool FaultProxy::ResetWaiting() {
    bool waiting = false;
    OnProxyThread([this, &waiting] { waiting = packetsToReset_ > 0; });
    return waiting;
}

bool FaultProxy::Stalling() {
    bool stalling = false;
    OnProxyThread([this, &stalling] { stalling = Clock::now() < stallUntil_; });
    return stalling;
}

void FaultProxy::OnProxyThread(const std::function<void()>& request) {
    std::unique_lock lock(requestsGuard_);
    requests_.push_back(request);
    const long ticket = ++requestsAsked_;
    const char wake = 1;
    static_cast<void>(!write(wake_[1], &wake, 1));
    requestsDone_.wait(lock, [&] { return requestsRun_ >= ticket; });
}

void FaultProxy::RunRequests() {
    char drained[64];
    while (read(wake_[0], drained, sizeof drained) > 0) {
    }
    const std::lock_guard lock(requestsGuard_);
    for (const auto& request : requests_)
        request();
    requestsRun_ += static_cast<long>(requests_.size());
    requests_.clear();
    requestsDone_.notify_all();
}

bool FaultProxy::OpenListener() {
    const sockaddr_in address = AddressOf({listenAt_.address, port_ ? port_ : listenAt_.port});
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const int on = 1;
    sockaddr_in bound{};
    socklen_t length = sizeof bound;
    if (listener_ < 0 || setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        bind(listener_, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0 ||
        listen(listener_, 64) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&bound), &length) != 0) {
        if (listener_ >= 0)
            close(listener_);
        listener_ = -1;
        return false;
    }
    if (port_ == 0)  // the first time, before the proxy's thread runs; later it opens that same port
        port_ = ntohs(bound.sin_port);
    return true;
}

void FaultProxy::Serve() {
    while (!stopping_) {
        const auto now = Clock::now();
        if (listener_ < 0 && now >= refuseUntil_)
            OpenListener();  // when the port is taken meanwhile, tried again at the next round
        std::vector<pollfd> watched = {{wake_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
        for (const auto& link : links_) {
            watched.push_back({link->client, POLLIN, 0});
            watched.push_back({link->server, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), PollTimeout(now)) < 0)
            continue;  // interrupted by a signal
        if (watched[0].revents != 0)
            RunRequests();
        if (listener_ >= 0 && watched[1].fd == listener_ && (watched[1].revents & POLLIN))
            Accept();
        // Links the requests reset are gone: only the ones watched and still
        // there are read.
        std::vector<Link*> closing;
        for (size_t i = 2; i + 1 < watched.size(); i += 2) {
            const auto found = std::find_if(links_.begin(), links_.end(),
                                            [&](const auto& link) { return link->client == watched[i].fd; });
            if (found == links_.end())
                continue;
            Link& link = **found;
            bool open = true;
            if (watched[i].revents != 0)
                open = ReadClient(link);
            if (open && link.client >= 0 && watched[i + 1].revents != 0)
                open = ReadServer(link);
            if (!open)
                closing.push_back(&link);
        }
        const auto later = Clock::now();
        for (const auto& link : links_)
            if (link->client >= 0 && !PassDue(*link, later))
                closing.push_back(link.get());
        std::erase_if(links_, [&](const auto& link) {
            return link->client < 0 || std::find(closing.begin(), closing.end(), link.get()) != closing.end();
        });
    }
}

void FaultProxy::Accept() {
    const int client = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client < 0)
        return;
    const int server = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_in address = AddressOf(target_);
    if (server < 0 || connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        CloseWithReset(client);  // the server is not there: the client finds its connection reset
        if (server >= 0)
            close(server);
        return;
    }
    SendAtOnce(client);
    SendAtOnce(server);
    auto link = std::make_unique<Link>();
    link->client = client;
    link->server = server;
    links_.push_back(std::move(link));
}

bool FaultProxy::ReadClient(Link& link) {
    std::vector<char> bytes;
    if (const auto open = Receive(link.client, bytes); !open || bytes.empty())
        return open;
    ++clientPackets_;
    if (packetsToReset_ == 0 || --packetsToReset_ > 0) {
        link.toServer.push_back({std::move(bytes), Clock::now()});
        return true;
    }
    StartRefusing(refuseAfterReset_);
    switch (fate_) {
    case PacketFate::Dropped: link.Reset(); return false;
    case PacketFate::AnswerLost:
        link.toServer.push_back({std::move(bytes), Clock::now()});
        link.answerLost = true;
        return true;
    case PacketFate::ServerClosedBehind:
        for (const Held& held : link.toServer)
            SendAll(link.server, held.bytes);
        SendAll(link.server, bytes);
        close(link.server);
        link.server = -1;
        CloseWithReset(link.client);
        link.client = -1;
        return false;
    }
    return false;
}

bool FaultProxy::ReadServer(Link& link) {
    std::vector<char> bytes;
    if (const auto open = Receive(link.server, bytes); !open || bytes.empty())
        return open;
    if (link.answerLost) {
        link.Reset();
        return false;
    }
    link.toClient.push_back({std::move(bytes), Clock::now()});
    return true;
}

FaultProxy::Clock::time_point FaultProxy::DueAt(const Held& held) const {
    return std::max(held.came + latency_, stallUntil_);
}

bool FaultProxy::PassDue(Link& link, Clock::time_point now) {
    for (auto [queue, to] : {std::pair{&link.toServer, link.server}, std::pair{&link.toClient, link.client}}) {
        while (!queue->empty() && DueAt(queue->front()) <= now) {
            if (!SendAll(to, queue->front().bytes))
                return false;
            queue->pop_front();
        }
    }
    return true;
}

int FaultProxy::PollTimeout(Clock::time_point now) const {
    auto next = Clock::time_point::max();
    for (const auto& link : links_)
        for (const auto* queue : {&link->toServer, &link->toClient})
            if (!queue->empty())
                next = std::min(next, DueAt(queue->front()));
    if (listener_ < 0)
        next = std::min(next, std::max(refuseUntil_, now + std::chrono::milliseconds(50)));
    if (next == Clock::time_point::max())
        return -1;
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(next - now).count();
    return static_cast<int>(std::clamp<long long>(wait, 0, 60000));
}
