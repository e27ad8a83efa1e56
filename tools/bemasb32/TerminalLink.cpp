#include "TerminalLink.h"

#include "DisplayEncoder.h"

namespace {

constexpr int kSuccess = 1;
constexpr int kFailure = 0;
constexpr int kLines = 4;

} // namespace

int TerminalLink::IniciaComunicacao() {
    connections_.clear();
    settings_ = TerminalSettings::Load(TerminalSettings::FilePath());
    loaded_ = true;
    if (!settings_)
        return kFailure;
    framing_ = settings_->framing;
    return kSuccess;
}

int TerminalLink::SelecionaProtocolo(int protocol) {
    if (protocol != static_cast<int>(Framing::StxEtx) && protocol != static_cast<int>(Framing::Escape))
        return kFailure;
    framing_ = static_cast<Framing>(protocol);
    return kSuccess;
}

int TerminalLink::LimpaDisplay(unsigned char terminal) {
    return Send(terminal, EncodeClear(framing_));
}

int TerminalLink::PosicionaCursor(unsigned char terminal, int line, int column) {
    if (line < 1 || line > kLines || column < 1)
        return kFailure;
    return Send(terminal, EncodeMoveCursor(framing_, line, column));
}

int TerminalLink::EscreveDisplay(unsigned char terminal, const char* text) {
    if (!text)
        return kFailure;
    return Send(terminal, EncodeWrite(framing_, text));
}

int TerminalLink::LerBuffer(unsigned char terminal) {
    TerminalConnection* connection = Connection(terminal);
    return connection ? connection->NextKey() : TerminalConnection::kNoConnection;
}

TerminalConnection* TerminalLink::Connection(unsigned char terminal) {
    if (!loaded_)
        IniciaComunicacao();
    if (!settings_)
        return nullptr;
    auto address = settings_->addresses.find(terminal);
    if (address == settings_->addresses.end())
        return nullptr;
    auto& connection = connections_[terminal];
    if (!connection)
        connection = std::make_unique<TerminalConnection>(address->second, settings_->port);
    return connection.get();
}

int TerminalLink::Send(unsigned char terminal, const std::string& bytes) {
    TerminalConnection* connection = Connection(terminal);
    return connection && connection->Send(bytes) ? kSuccess : kFailure;
}
