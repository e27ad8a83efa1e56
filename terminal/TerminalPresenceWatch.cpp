#include "TerminalPresenceWatch.h"

namespace {

constexpr int kNoConnectionCode = 65280;

}  // namespace

int TerminalPresenceWatch::LerBuffer(unsigned char terminal) {
    const int result = library_.LerBuffer(terminal);
    away_ = (result & 0xFFFF) == kNoConnectionCode;
    return result;
}
