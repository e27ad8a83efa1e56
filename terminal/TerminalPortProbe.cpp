#include "TerminalPortProbe.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

std::string Reason(int error) {
    if (error == ECONNREFUSED)
        return "conexão recusada";
    return std::strerror(error);
}

// Connects one socket of the address's family; nothing when connected.
std::optional<std::string> Connect(const addrinfo& target, std::chrono::milliseconds limit) {
    const int socket =
        ::socket(target.ai_family, target.ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, target.ai_protocol);
    if (socket < 0)
        return Reason(errno);
    std::optional<std::string> failure;
    if (connect(socket, target.ai_addr, target.ai_addrlen) != 0) {
        if (errno != EINPROGRESS) {
            failure = Reason(errno);
        } else {
            pollfd wait{socket, POLLOUT, 0};
            const int ready = poll(&wait, 1, static_cast<int>(limit.count()));
            int error = 0;
            socklen_t size = sizeof error;
            if (ready == 0)
                failure = "sem resposta em " + std::to_string(limit.count() / 1000) + " s";
            else if (ready < 0)
                failure = Reason(errno);
            else if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &size) != 0 || error != 0)
                failure = Reason(error != 0 ? error : errno);
        }
    }
    close(socket);
    return failure;
}

}  // namespace

std::optional<std::string> ProbeTerminalPort(const std::string& address, int port, std::chrono::milliseconds limit) {
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* found = nullptr;
    const std::string service = std::to_string(port);
    if (const int error = getaddrinfo(address.c_str(), service.c_str(), &hints, &found); error != 0)
        return std::string("endereço desconhecido: ") + gai_strerror(error);
    std::optional<std::string> failure = Connect(*found, limit);
    freeaddrinfo(found);
    return failure;
}
