// The fault proxy against a small echo server on loopback: what each fault
// lets through to the server and back to the client.
#include "ChildProcess.h"
#include "FaultProxy.h"
#include "WaitUntil.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <functional>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
using Fate = FaultProxy::PacketFate;

sockaddr_in Loopback(int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port));
    return address;
}

// Answers every chunk with the same bytes and keeps what it received.
class EchoServer {
public:
    EchoServer() {
        sockaddr_in address = Loopback(0);
        socklen_t length = sizeof address;
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 8);
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~EchoServer() {
        shutdown(listener_, SHUT_RDWR);  // ends the accept
        thread_.join();
        close(listener_);
    }
    int Port() const { return port_; }
    std::string Received() {
        const std::lock_guard lock(guard_);
        return received_;
    }

private:
    void Serve() {
        for (int connection; (connection = accept(listener_, nullptr, nullptr)) >= 0;) {
            char buffer[256];
            for (ssize_t got; (got = recv(connection, buffer, sizeof buffer, 0)) > 0;) {
                {
                    const std::lock_guard lock(guard_);
                    received_.append(buffer, static_cast<size_t>(got));
                }
                send(connection, buffer, static_cast<size_t>(got), MSG_NOSIGNAL);
            }
            close(connection);
        }
    }

    int listener_ = socket(AF_INET, SOCK_STREAM, 0);
    int port_ = 0;
    std::mutex guard_;
    std::string received_;
    std::thread thread_;
};

int Connect(int port) {
    const int client = socket(AF_INET, SOCK_STREAM, 0);
    const sockaddr_in address = Loopback(port);
    if (connect(client, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        close(client);
        return -1;
    }
    return client;
}

// What the client reads until it has `size` bytes, its connection ends or
// a generous deadline passes.
std::string Read(int client, size_t size) {
    std::string text;
    const auto deadline = std::chrono::steady_clock::now() + 30s;
    while (text.size() < size && std::chrono::steady_clock::now() < deadline) {
        pollfd watched{client, POLLIN, 0};
        if (poll(&watched, 1, 100) <= 0)
            continue;
        char buffer[256];
        const ssize_t got = recv(client, buffer, sizeof buffer, 0);
        if (got <= 0)
            break;
        text.append(buffer, static_cast<size_t>(got));
    }
    return text;
}

struct PacketCase {
    const char* name;
    std::function<void(FaultProxy&)> fault;
    bool serverGetsIt;
    bool clientGetsAnswer;
};

TEST(FaultProxy, EachFaultLetsThroughWhatItSays) {
    const PacketCase cases[] = {
        {"no fault", [](FaultProxy&) {}, true, true},
        {"latency", [](FaultProxy& proxy) { proxy.SetLatency(30ms); }, true, true},
        {"reset of every connection", [](FaultProxy& proxy) { proxy.ResetAll(); }, false, false},
        {"next packet dropped", [](FaultProxy& proxy) { proxy.ResetAtClientPacket(Fate::Dropped); }, false, false},
        {"next packet's answer lost", [](FaultProxy& proxy) { proxy.ResetAtClientPacket(Fate::AnswerLost); }, true,
         false},
        {"server closed behind the next packet",
         [](FaultProxy& proxy) { proxy.ResetAtClientPacket(Fate::ServerClosedBehind); }, true, false},
        {"the second packet dropped, the first passed",
         [](FaultProxy& proxy) { proxy.ResetAtClientPacket(Fate::Dropped, 2); }, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EchoServer server;
        FaultProxy proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()});
        const int client = Connect(proxy.Port());
        ASSERT_GE(client, 0);
        send(client, "hello", 5, MSG_NOSIGNAL);
        ASSERT_EQ(Read(client, 5), "hello");

        c.fault(proxy);
        send(client, "ping", 4, MSG_NOSIGNAL);
        EXPECT_EQ(Read(client, 4), c.clientGetsAnswer ? "ping" : "");
        if (c.serverGetsIt)
            EXPECT_TRUE(WaitUntil([&] { return server.Received() == "helloping"; }, 30s)) << server.Received();
        else
            EXPECT_EQ(server.Received(), "hello");
        close(client);
    }
}

TEST(FaultProxy, StallHoldsEveryByteUntilItEnds) {
    EchoServer server;
    FaultProxy proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()});
    const int client = Connect(proxy.Port());
    proxy.Stall(600s);
    send(client, "ping", 4, MSG_NOSIGNAL);
    EXPECT_TRUE(proxy.Stalling());
    EXPECT_EQ(server.Received(), "");
    proxy.EndStall();
    EXPECT_EQ(Read(client, 4), "ping");
    EXPECT_FALSE(proxy.Stalling());
    close(client);
}

TEST(FaultProxy, RefusesNewConnectionsForAWhileAndKeepsTheLiveOnes) {
    EchoServer server;
    FaultProxy proxy({"127.0.0.1", 0}, {"127.0.0.1", server.Port()});
    const int live = Connect(proxy.Port());
    send(live, "hello", 5, MSG_NOSIGNAL);
    ASSERT_EQ(Read(live, 5), "hello");  // taken by the proxy, not waiting in its backlog
    proxy.Refuse(1500ms);
    EXPECT_EQ(Connect(proxy.Port()), -1);
    send(live, "ping", 4, MSG_NOSIGNAL);
    EXPECT_EQ(Read(live, 4), "ping");
    int later = -1;
    EXPECT_TRUE(WaitUntil([&] { return (later = Connect(proxy.Port())) >= 0; }, 30s));
    close(later);
    close(live);
}

}  // namespace
