#pragma once
// How one key code read from the terminal changes the command line: comma,
// full stop and digits are appended as they come, letters through their
// mapping box, every other non-zero code is offered to the eight special
// code pairs in order (all pairs that match act).
#include <cstdint>
#include <functional>
#include <string>

class KeyMapping;

// The special actions by their position in the action lists CbC1 to CbC8.
enum TSpecialAction : int {
    saOpenTab = 0,         // append "C"
    saPriceQuery = 1,      // append "R"
    saSelectClient = 2,    // append "B"
    saSelectEmployee = 3,  // append "U"
    saPriceTable = 4,      // append "T"
    saQuantity = 5,        // append "Q"
    saTabTotal = 6,        // append "V"
    saClearDisplay = 7,    // empty the command line and show the prompt
    saCommission = 8,      // append "S"
};

constexpr std::uint16_t kEnterKey = 13;

// The text a letter key appends: the box's text trimmed, or the letter
// itself when that is empty. Every "#13" is taken out of the text and then
// sets currentCode to Enter, so the command completes right away.
std::string MapLetterKey(char upperLetter, const std::string& boxText, std::uint16_t& currentCode);

// True when the code box's text is an integer (see ParseInteger) equal to
// the key code.
bool MatchesSpecialCode(const std::string& codeText, std::uint16_t keyCode);

// Applies the pair's action when its code matches; positions outside 0 to 8
// do nothing. showPrompt puts the prompt back on the display (action 7).
void ApplySpecialAction(std::uint16_t keyCode, const std::string& codeText, int action, std::string& commandLine,
                        const std::function<void()>& showPrompt);

// One key of the reading loop; may turn currentCode into Enter.
void TranslateKey(std::uint16_t& currentCode, const KeyMapping& mapping, std::string& commandLine,
                  const std::function<void()>& showPrompt);
