#include "KeyTranslation.h"

#include "CommandLetters.h"
#include "IntegerText.h"
#include "KeyMapping.h"
#include "Trim.h"

namespace {

bool IsAppendedAsItComes(std::uint16_t code) { return code == ',' || code == '.' || (code >= '0' && code <= '9'); }

bool IsLetter(std::uint16_t code) { return (code >= 'A' && code <= 'Z') || (code >= 'a' && code <= 'z'); }

char UpperLetter(std::uint16_t code) {
    return code >= 'a' ? static_cast<char>(code - 'a' + 'A') : static_cast<char>(code);
}

}  // namespace

std::string MapLetterKey(char upperLetter, const std::string& boxText, std::uint16_t& currentCode) {
    std::string text = quorvel::Trim(boxText);
    if (text.empty())
        return std::string(1, upperLetter);
    static const std::string kAutoEnter = "#13";
    bool autoEnter = false;
    for (size_t at = text.find(kAutoEnter); at != std::string::npos; at = text.find(kAutoEnter, at)) {
        text.erase(at, kAutoEnter.size());
        autoEnter = true;
    }
    if (autoEnter)
        currentCode = kEnterKey;
    return text;
}

bool MatchesSpecialCode(const std::string& codeText, std::uint16_t keyCode) {
    auto number = ParseInteger(codeText);
    return number && *number == keyCode;
}

void ApplySpecialAction(std::uint16_t keyCode, const std::string& codeText, int action, std::string& commandLine,
                        const std::function<void()>& showPrompt) {
    if (!MatchesSpecialCode(codeText, keyCode))
        return;
    // In the order of TSpecialAction; clearing the display appends nothing.
    static constexpr char kAppendedLetter[] = {clOpenTab,  clPriceQuery, clSelectClient, clSelectEmployee, clPriceTable,
                                               clQuantity, clTabTotal,   '\0',           clCommission};
    if (action == saClearDisplay) {
        commandLine.clear();
        showPrompt();
    } else if (action >= saOpenTab && action <= saCommission) {
        commandLine += kAppendedLetter[action];
    }
}

void TranslateKey(std::uint16_t& currentCode, const KeyMapping& mapping, std::string& commandLine,
                  const std::function<void()>& showPrompt) {
    if (IsAppendedAsItComes(currentCode)) {
        commandLine += static_cast<char>(currentCode);
    } else if (IsLetter(currentCode)) {
        const char letter = UpperLetter(currentCode);
        commandLine += MapLetterKey(letter, mapping.LetterMapping(letter).Bytes(), currentCode);
    } else if (currentCode != 0) {
        const std::uint16_t code = currentCode;
        for (int pair = 1; pair <= KeyMapping::kSpecialPairs; ++pair)
            ApplySpecialAction(code, mapping.SpecialCode(pair).Bytes(), mapping.SpecialAction(pair), commandLine,
                               showPrompt);
    }
}
