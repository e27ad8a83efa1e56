#pragma once
// A TCP relay on 127.0.0.1 between a test's client and a server on another
// loopback port, which the test can tell to break its connections, as a
// network cut or a server going away would: at once, at the client's next
// request (which then never reaches the server) or at the server's next
// reply (the request reached the server; its answer never comes back).
// Connections made after a cut are relayed as before. It can also hold every
// byte (a link that stalls: the server end simply stops answering) and refuse
// new connections for a while (a server that is not back yet).
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
    // From now on every byte is held where it is, both ways, on every link
    // (new ones included), until Resume: the connections stay open and
    // nothing moves.
    void Stall();
    void Resume();
    // While on, a new connection is closed as soon as it is accepted; the
    // open ones go on.
    void RefuseConnections(bool refuse);

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
    // Has the relay's thread look at the state again.
    void Wake(char why);

    int serverPort_;
    int listener_ = -1;
    int port_ = 0;
    int wake_[2] = {-1, -1};  // kEnd here ends the relay, kLook has it look again
    std::mutex guard_;        // links_ and armed_
    std::vector<Link> links_;
    Armed armed_ = Armed::Nothing;
    bool stalled_ = false;
    bool refusing_ = false;
    std::thread thread_;
};
