#include "DisplayWriter.h"

#include "LibraryResult.h"
#include "TerminalLibrary.h"
#include "Trim.h"

namespace {
constexpr size_t kLineWidth = 20;
constexpr int kCutLines = 3;
constexpr int kLastLine = 4;
}  // namespace

void DisplayWriter::WriteDisplay(unsigned char terminal, const std::string& text) {
    if (text == lastDisplayText_)
        return;
    lastDisplayText_ = text;
    std::string rest = quorvel::Trim(text);

    CheckResult(library_.LimpaDisplay(terminal));
    auto writeLine = [&](int line, const std::string& characters) {
        CheckResult(library_.PosicionaCursor(terminal, line, 1));
        CheckResult(library_.EscreveDisplay(terminal, characters.c_str()));
        CheckResult(library_.PosicionaCursor(terminal, line, static_cast<int>(rest.size()) + 1));
    };
    for (int line = 1; line <= kCutLines && !rest.empty(); ++line) {
        writeLine(line, rest.substr(0, kLineWidth));
        rest.erase(0, kLineWidth);
    }
    if (!rest.empty())
        writeLine(kLastLine, rest);
}
