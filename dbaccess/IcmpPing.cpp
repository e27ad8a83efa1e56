#include "IcmpPing.h"

#include "Trim.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstring>
#include <optional>

namespace {

using Clock = std::chrono::steady_clock;

constexpr std::size_t kPayloadSize = 32;

class IcmpSocket {
public:
    // The datagram kind when the system lets this user have it, else raw.
    IcmpSocket() {
        fd_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_ICMP);
        if (fd_ < 0) {
            fd_ = socket(AF_INET, SOCK_RAW, IPPROTO_ICMP);
            raw_ = true;
        }
    }
    ~IcmpSocket() {
        if (fd_ >= 0)
            close(fd_);
    }
    IcmpSocket(const IcmpSocket&) = delete;
    IcmpSocket& operator=(const IcmpSocket&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // A raw socket delivers the IP header ahead of the ICMP message and
    // leaves the identifier to us; a datagram socket does neither.
    bool Raw() const { return raw_; }
    int Descriptor() const { return fd_; }

private:
    int fd_ = -1;
    bool raw_ = false;
};

std::optional<in_addr> Resolve(const std::string& host) {
    addrinfo hints{};
    hints.ai_family = AF_INET;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &found) != 0 || !found)
        return std::nullopt;
    const in_addr address = reinterpret_cast<const sockaddr_in*>(found->ai_addr)->sin_addr;
    freeaddrinfo(found);
    return address;
}

std::uint16_t Checksum(const unsigned char* data, std::size_t size) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < size; i += 2)
        sum += static_cast<std::uint32_t>(data[i] << 8 | data[i + 1]);
    if (size % 2)
        sum += static_cast<std::uint32_t>(data[size - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return htons(static_cast<std::uint16_t>(~sum));
}

struct EchoId {
    std::uint16_t identifier;
    std::uint16_t sequence;
};

EchoId NextEchoId() {
    static std::atomic<std::uint16_t> sequence{0};
    return {static_cast<std::uint16_t>(getpid()), ++sequence};
}

std::array<unsigned char, sizeof(icmphdr) + kPayloadSize> EchoRequest(EchoId id) {
    std::array<unsigned char, sizeof(icmphdr) + kPayloadSize> packet{};
    icmphdr header{};
    header.type = ICMP_ECHO;
    header.un.echo.id = htons(id.identifier);
    header.un.echo.sequence = htons(id.sequence);
    std::memcpy(packet.data(), &header, sizeof header);
    for (std::size_t i = 0; i < kPayloadSize; ++i)
        packet[sizeof header + i] = static_cast<unsigned char>('a' + i % 26);
    const std::uint16_t checksum = Checksum(packet.data(), packet.size());
    std::memcpy(packet.data() + offsetof(icmphdr, checksum), &checksum, sizeof checksum);
    return packet;
}

// Whether a received packet is the reply to our request.
bool IsOurReply(const IcmpSocket& socket, const unsigned char* data, std::size_t size, EchoId id) {
    if (socket.Raw()) {
        if (size < sizeof(iphdr))
            return false;
        const std::size_t headerSize = static_cast<std::size_t>(data[0] & 0x0F) * 4;
        if (size < headerSize)
            return false;
        data += headerSize;
        size -= headerSize;
    }
    if (size < sizeof(icmphdr))
        return false;
    icmphdr header;
    std::memcpy(&header, data, sizeof header);
    return header.type == ICMP_ECHOREPLY && ntohs(header.un.echo.sequence) == id.sequence &&
           (!socket.Raw() || ntohs(header.un.echo.id) == id.identifier);
}

}  // namespace

int PingMilliseconds(const std::string& host, int timeoutMs) {
    if (quorvel::IsBlank(host))
        return -1;
    const std::optional<in_addr> address = Resolve(host);
    if (!address)
        return -1;
    IcmpSocket socket;
    if (!socket.IsOpen())
        return -1;

    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr = *address;
    const EchoId id = NextEchoId();
    const auto request = EchoRequest(id);
    const Clock::time_point sent = Clock::now();
    if (sendto(socket.Descriptor(), request.data(), request.size(), 0, reinterpret_cast<const sockaddr*>(&target),
               sizeof target) < 0)
        return -1;

    const Clock::time_point deadline = sent + std::chrono::milliseconds(timeoutMs);
    std::array<unsigned char, 1024> reply;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left < 0)
            return -1;
        pollfd waiting{socket.Descriptor(), POLLIN, 0};
        const int ready = poll(&waiting, 1, static_cast<int>(left));
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready <= 0)
            return -1;
        sockaddr_in from{};
        socklen_t fromSize = sizeof from;
        const ssize_t received =
            recvfrom(socket.Descriptor(), reply.data(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (received < 0)
            return -1;
        if (from.sin_addr.s_addr == address->s_addr &&
            IsOurReply(socket, reply.data(), static_cast<std::size_t>(received), id))
            return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - sent).count());
    }
}
