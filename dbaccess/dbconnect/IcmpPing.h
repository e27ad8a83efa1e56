#pragma once
// An ICMP echo (ping) to one host, as the connection dialog's ping button
// uses it. IPv4 only: the name is resolved to its first IPv4 address.
#include <string>

// Sends one echo request to `host` (an address or a host name, as typed,
// UTF-8 like the connection string) and waits up to `timeoutMs` for the
// reply. Returns the time from request to reply in whole milliseconds, or -1
// when no reply came in time, the name does not resolve (a blank one
// included) or no ICMP socket can be opened. Uses the unprivileged ICMP datagram socket where the system
// allows it, a raw socket otherwise.
int PingMilliseconds(const std::string& host, int timeoutMs);
