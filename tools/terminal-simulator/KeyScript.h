#pragma once
// The key lines of the scripted mode: each of A-Z, a-z, 0-9, "," and "."
// presses the key with that character's code, "<N>" presses the key with
// code N, "<wait MS>" waits. Blanks separate nothing and are skipped.
#include <string>
#include <string_view>
#include <vector>

struct ScriptStep {
    enum class Kind { Press, Wait };
    Kind kind;
    int value;  // key code, or milliseconds

    bool operator==(const ScriptStep&) const = default;
};

// The steps of one line; anything else on the line is put in "rejected",
// one entry per unknown token, and skipped.
std::vector<ScriptStep> ParseScriptLine(std::string_view line, std::vector<std::string>& rejected);
