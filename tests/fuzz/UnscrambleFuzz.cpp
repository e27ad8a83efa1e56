// The credential scrambler: any stored value from a settings file, and the
// round trip of any text whose character codes lie in 1..254.
#include "FuzzInput.h"
#include "QZ_CRIPTO.h"

#include <stdexcept>
#include <string>

namespace {

// The one key every caller passes.
constexpr std::string_view kKey = "VELASTRO";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    // Returns a text or throws its documented conversion error; anything
    // else escapes and ends the run.
    try {
        Unscramble(bytes, kKey);
    } catch (const std::invalid_argument&) {
    }

    std::string text;
    for (char c : bytes) {
        const auto code = static_cast<unsigned char>(c);
        if (code >= 1 && code <= 254)
            text += c;
    }
    const std::string stored = Scramble(text, kKey);
    FuzzCheck(stored.size() == (text.empty() ? 0 : 4 + 4 * text.size()), "n characters scramble to 4 + 4n");
    FuzzCheck(Unscramble(stored, kKey) == text, "a scrambled text unscrambles to itself");
    return 0;
}
