#pragma once
// A Firebird server of the test's own, on a free loopback port, with its own
// configuration, lock folder and user list in a temporary folder: a test can
// stop and start it, as a shop's server goes down and comes back, without
// touching the machine's shared server. It serves only the databases the
// test makes through it.
#include "TemporaryFolder.h"

#include <string>
#include <sys/types.h>

class PrivateFirebirdServer {
public:
    // Configures the server, creates its one login and starts it. Throws
    // std::runtime_error when that fails.
    PrivateFirebirdServer();
    ~PrivateFirebirdServer();  // stops it; its folder goes with it
    PrivateFirebirdServer(const PrivateFirebirdServer&) = delete;
    PrivateFirebirdServer& operator=(const PrivateFirebirdServer&) = delete;

    // Ends the server process (at once when it has not ended five seconds
    // after being asked to); the connections to it break.
    void Stop();
    // Starts it again and waits until it accepts connections.
    void Start();

    // "127.0.0.1/<port>", the host part of a connection string.
    std::string Address() const;
    int Port() const { return port_; }
    const std::string& User() const { return user_; }
    const std::string& Password() const { return password_; }

private:
    TemporaryFolder folder_{"quorvel-server"};
    int port_;
    pid_t process_ = -1;
    std::string user_ = "QUORVEL_PRIVATE";
    std::string password_ = "qzprivate";
};
