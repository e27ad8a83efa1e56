#pragma once
// A TCP relay on 127.0.0.1 between a test's client and a server on another
// loopback port, which the test can tell to break its connections, as a
// network cut or a server going away would: at once, at the client's next
// request (which then never reaches the server) or at the server's next
// reply (the request reached the server; its answer never comes back).
// Connections made after a cut are relayed as before.
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LoopbackRelay {
public:
    // Listens on a free loopback port. Throws std::runtime_error when it cannot.
    explicit LoopbackRelay(int serverPort);
    ~LoopbackRelay();
    LoopbackRelay(const LoopbackRelay&) = delete;
    LoopbackRelay& operator=(const LoopbackRelay&) = delete;

    // "127.0.0.1/<port>", the host part of a connection string.
    std::string Address() const;

    // Breaks every open connection; when this returns, the client's next
    // read finds its connection closed.
    void CutNow();
    // The next bytes a client sends are dropped and every connection broken.
    void CutAtNextRequest();
    // The client's bytes go on to the server; the next bytes the server
    // sends back are dropped and every connection broken.
    void CutAtNextReply();

private:
    enum class Armed { Nothing, Request, Reply };
    struct Link {
        int client;
        int server;
    };

    void Relay();
    void Accept();
    // Passes what `from` has to `to`; false when the link is to be closed.
    bool Pass(int from, int to, Armed cutsHere);
    void BreakAllLocked();

    int serverPort_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};  // a byte here ends the relay
    std::mutex guard_;        // links_ and armed_
    std::vector<Link> links_;
    Armed armed_ = Armed::Nothing;
    std::thread thread_;
};
