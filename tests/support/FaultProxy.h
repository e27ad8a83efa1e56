#pragma once
// A TCP proxy on a loopback address between a test's client and a server on
// another loopback address, which the test tells to misbehave as a network
// or a server does: delay every chunk, stall (hold every byte both ways for
// a while), reset every live connection, reset right after the client's
// next packet (or its n-th, to land in the middle of a command or on its
// commit) in three forms, and refuse new connections for a while.
// Connections made after a reset are passed on as before.
//
// Every socket is handled on the proxy's own thread; the calls below hand
// their request to that thread and return once it has been carried out.
#include <chrono>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class FaultProxy {
public:
    using Clock = std::chrono::steady_clock;

    // A numeric IPv4 loopback address and a port.
    struct Endpoint {
        std::string address;
        int port = 0;
    };

    // What happens to the client packet a reset waits for.
    enum class PacketFate {
        Dropped,           // it never reaches the server; both sides are reset
        AnswerLost,        // it reaches the server; the server's answer is dropped and both sides reset
        ServerClosedBehind,  // it is passed on and the server's side closed right behind it; the client reset
    };

    // Listens on `listen` (port 0: a free port of that address) and
    // connects each client to `target`. Throws std::runtime_error when it
    // cannot listen.
    FaultProxy(const Endpoint& listen, const Endpoint& target);
    ~FaultProxy();
    FaultProxy(const FaultProxy&) = delete;
    FaultProxy& operator=(const FaultProxy&) = delete;

    int Port() const { return port_; }
    // "<address>/<port>", the host part of a Firebird connection string.
    std::string FirebirdHost() const;

    // Every chunk read from either side is passed on `delay` after it came.
    void SetLatency(std::chrono::milliseconds delay);
    // Holds every byte both ways until `length` has passed (or EndStall);
    // then passes them on in order. The connections stay open.
    void Stall(std::chrono::milliseconds length);
    void EndStall();
    // Resets every live connection: both peers find theirs reset. Bytes held
    // are lost.
    void ResetAll();
    // The `nth` client packet from now (1: the next one), on whichever
    // connection sends it, meets `fate`; from that moment new connections
    // are refused for `refuseAfter` (as a server that went down with the
    // link). Replaces a reset still waiting.
    void ResetAtClientPacket(PacketFate fate, int nth = 1,
                             std::chrono::milliseconds refuseAfter = std::chrono::milliseconds(0));
    // Forgets a reset still waiting.
    void CancelReset();
    // New connections are refused (the listening socket is closed) until
    // `length` has passed; live connections go on.
    void Refuse(std::chrono::milliseconds length);
    // Takes new connections again at once.
    void Admit();

    // Client packets (chunks read from clients) since the proxy started.
    long ClientPackets();
    // Whether a reset asked by ResetAtClientPacket is still waiting.
    bool ResetWaiting();
    // Whether bytes are being held by a stall.
    bool Stalling();

private:
    struct Held {
        std::vector<char> bytes;
        Clock::time_point came;
    };
    struct Link;

    // Runs `request` on the proxy's thread and waits until it has run.
    void OnProxyThread(const std::function<void()>& request);
    void StartRefusing(std::chrono::milliseconds length);
    void Serve();
    void RunRequests();
    bool OpenListener();
    void Accept();
    // Reads what `from` has; false when the link is to be closed.
    bool ReadClient(Link& link);
    bool ReadServer(Link& link);
    // Passes on the held bytes that are due; false when a send failed.
    bool PassDue(Link& link, Clock::time_point now);
    Clock::time_point DueAt(const Held& held) const;
    int PollTimeout(Clock::time_point now) const;

    const Endpoint listenAt_;
    const Endpoint target_;
    int port_ = 0;
    int listener_ = -1;
    int wake_[2] = {-1, -1};

    // State of the proxy's thread, touched only there.
    std::vector<std::unique_ptr<Link>> links_;
    std::chrono::milliseconds latency_{0};
    Clock::time_point stallUntil_{};
    Clock::time_point refuseUntil_{};
    PacketFate fate_ = PacketFate::Dropped;
    int packetsToReset_ = 0;  // 0: none waiting
    std::chrono::milliseconds refuseAfterReset_{0};
    long clientPackets_ = 0;
    bool stopping_ = false;

    // Requests handed to the thread.
    std::mutex requestsGuard_;
    std::condition_variable requestsDone_;
    std::vector<std::function<void()>> requests_;
    long requestsAsked_ = 0;
    long requestsRun_ = 0;
    std::thread thread_;
};
