// The six calls the program binds by name. One link serves the whole
// process; it keeps calls from several threads apart itself.
#include "TerminalLink.h"

#define FIT_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

TerminalLink& Link() {
    static TerminalLink link;
    return link;
}

}  // namespace

FIT_EXPORT int Bematech_FIT_IniciaComunicacao(void) { return Link().IniciaComunicacao(); }

FIT_EXPORT int Bematech_FIT_SelecionaProtocolo(int protocol) { return Link().SelecionaProtocolo(protocol); }

FIT_EXPORT int Bematech_FIT_LimpaDisplay(unsigned char terminal) { return Link().LimpaDisplay(terminal); }

FIT_EXPORT int Bematech_FIT_PosicionaCursor(unsigned char terminal, int line, int column) {
    return Link().PosicionaCursor(terminal, line, column);
}

FIT_EXPORT int Bematech_FIT_EscreveDisplay(unsigned char terminal, const char* text) {
    return Link().EscreveDisplay(terminal, text);
}

FIT_EXPORT int Bematech_FIT_LerBuffer(unsigned char terminal) { return Link().LerBuffer(terminal); }
