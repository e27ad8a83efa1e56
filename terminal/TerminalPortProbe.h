#pragma once
// Whether something takes a TCP connection at a terminal's address and
// port, without a word said over it: the check of an installation tries
// each terminal this way instead of starting it.
#include <chrono>
#include <optional>
#include <string>

// Nothing when the connection was made (and closed at once); otherwise why
// not, in Portuguese: "conexão recusada", "sem resposta em 3 s", the
// system's reason, or an address that names no host.
std::optional<std::string> ProbeTerminalPort(const std::string& address, int port, std::chrono::milliseconds limit);
