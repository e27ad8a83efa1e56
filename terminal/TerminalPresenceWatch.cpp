#include "TerminalPresenceWatch.h"

int TerminalPresenceWatch::LerBuffer(unsigned char terminal) {
    const int result = library_.LerBuffer(terminal);
    away_ = (result & 0xFFFF) == kNoConnectionCode;
    return result;
}
