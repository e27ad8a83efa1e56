// The six calls the program binds by name. One link serves the whole
// process; a lock keeps calls from several threads apart.
#include "TerminalLink.h"

#include <mutex>

#define FIT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex callLock;

TerminalLink& Link() {
    static TerminalLink link;
    return link;
}

} // namespace

FIT_EXPORT int Bematech_FIT_IniciaComunicacao(void) {
    std::lock_guard lock(callLock);
    return Link().IniciaComunicacao();
}

FIT_EXPORT int Bematech_FIT_SelecionaProtocolo(int protocol) {
    std::lock_guard lock(callLock);
    return Link().SelecionaProtocolo(protocol);
}

FIT_EXPORT int Bematech_FIT_LimpaDisplay(unsigned char terminal) {
    std::lock_guard lock(callLock);
    return Link().LimpaDisplay(terminal);
}

FIT_EXPORT int Bematech_FIT_PosicionaCursor(unsigned char terminal, int line, int column) {
    std::lock_guard lock(callLock);
    return Link().PosicionaCursor(terminal, line, column);
}

FIT_EXPORT int Bematech_FIT_EscreveDisplay(unsigned char terminal, const char* text) {
    std::lock_guard lock(callLock);
    return Link().EscreveDisplay(terminal, text);
}

FIT_EXPORT int Bematech_FIT_LerBuffer(unsigned char terminal) {
    std::lock_guard lock(callLock);
    return Link().LerBuffer(terminal);
}
