#include "TerminalLink.h"

#include "DisplayEncoder.h"

namespace {

constexpr int kSuccess = 1;
constexpr int kFailure = 0;
constexpr int kLines = 4;

// The terminal's address in the settings, or null.
const std::string* Address(const TerminalSettings* settings, unsigned char terminal) {
    if (!settings)
        return nullptr;
    auto address = settings->addresses.find(terminal);
    return address == settings->addresses.end() ? nullptr : &address->second;
}

}  // namespace

int TerminalLink::IniciaComunicacao() {
    std::lock_guard restart(restartLock_);
    std::optional<TerminalSettings> loaded = TerminalSettings::Load(TerminalSettings::FilePath());
    std::shared_ptr<const TerminalSettings> settings;
    if (loaded)
        settings = std::make_shared<const TerminalSettings>(std::move(*loaded));
    {
        std::lock_guard lock(settingsLock_);
        current_.settings = settings;
        if (settings)
            current_.framing = settings->framing;
        loaded_ = true;
    }
    for (size_t number = 0; number < terminals_.size(); ++number) {
        Terminal& terminal = terminals_[number];
        std::lock_guard lock(terminal.lock);
        const std::string* address = Address(settings.get(), static_cast<unsigned char>(number));
        if (terminal.connection && !(address && terminal.connection->Reaches(*address, settings->port)))
            terminal.connection.reset();
    }
    return settings ? kSuccess : kFailure;
}

int TerminalLink::SelecionaProtocolo(int protocol) {
    if (protocol != static_cast<int>(Framing::StxEtx) && protocol != static_cast<int>(Framing::Escape))
        return kFailure;
    std::lock_guard lock(settingsLock_);
    current_.framing = static_cast<Framing>(protocol);
    return kSuccess;
}

void TerminalLink::LoadOnce() {
    bool loaded;
    {
        std::lock_guard lock(settingsLock_);
        loaded = loaded_;
    }
    if (!loaded)
        IniciaComunicacao();
}

TerminalLink::Current TerminalLink::Read() {
    std::lock_guard lock(settingsLock_);
    return current_;
}

template <typename Work>
int TerminalLink::WithConnection(unsigned char terminal, Work work) {
    LoadOnce();
    Terminal& slot = terminals_[terminal];
    std::lock_guard lock(slot.lock);
    // Read under the terminal's lock: a new reading of the settings that
    // comes meanwhile checks this terminal's connection after this call.
    const Current current = Read();
    const std::string* address = Address(current.settings.get(), terminal);
    if (!address)
        return work(nullptr, current.framing);
    if (!slot.connection)
        slot.connection = std::make_unique<TerminalConnection>(*address, current.settings->port);
    return work(slot.connection.get(), current.framing);
}

int TerminalLink::LimpaDisplay(unsigned char terminal) {
    return Send(terminal, [](Framing framing) { return EncodeClear(framing); });
}

int TerminalLink::PosicionaCursor(unsigned char terminal, int line, int column) {
    if (line < 1 || line > kLines || column < 1)
        return kFailure;
    return Send(terminal, [=](Framing framing) { return EncodeMoveCursor(framing, line, column); });
}

int TerminalLink::EscreveDisplay(unsigned char terminal, const char* text) {
    if (!text)
        return kFailure;
    return Send(terminal, [=](Framing framing) { return EncodeWrite(framing, text); });
}

int TerminalLink::LerBuffer(unsigned char terminal) {
    return WithConnection(terminal, [](TerminalConnection* connection, Framing) {
        return connection ? connection->NextKey() : kNoConnectionCode;
    });
}

template <typename Encode>
int TerminalLink::Send(unsigned char terminal, Encode encode) {
    return WithConnection(terminal, [&](TerminalConnection* connection, Framing framing) {
        return connection && connection->Send(encode(framing)) ? kSuccess : kFailure;
    });
}
