// The readers of a terminal command line, on any line the keyboard can send.
#include "FuzzInput.h"
#include "InterpreterArguments.h"

#include <cmath>
#include <optional>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);

    const char letter = CommandLetter(line);
    FuzzCheck(line.empty() ? letter == '\0' : !(letter >= 'a' && letter <= 'z'), "the command letter is upper case");

    // A number read back from its printed form is the same number.
    const std::optional<int> whole = IntArgument(line);
    FuzzCheck(!whole || IntArgument("C" + std::to_string(*whole)) == whole, "a whole number reads back");

    const std::optional<double> decimal = DecimalArgument(line);
    FuzzCheck(!decimal || std::isfinite(*decimal), "a decimal argument is a finite number");

    FuzzCheck(TextArgument(line) == (line.empty() ? "" : line.substr(1)), "the text argument is the rest of the line");
    return 0;
}
