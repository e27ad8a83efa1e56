#include "KeyScript.h"

#include <charconv>

namespace {

bool IsKeyCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == ',' || c == '.';
}

// A whole decimal number within the limit.
bool ReadNumber(std::string_view text, int limit, int& number) {
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return !text.empty() && error == std::errc{} && end == text.data() + text.size() && number >= 0 && number <= limit;
}

// The step a bracketed token ("13", "wait 500") stands for.
bool ReadBracketed(std::string_view token, ScriptStep& step) {
    constexpr std::string_view kWait = "wait ";
    if (token.starts_with(kWait)) {
        step.kind = ScriptStep::Kind::Wait;
        return ReadNumber(token.substr(kWait.size()), 24 * 60 * 60 * 1000, step.value);
    }
    step.kind = ScriptStep::Kind::Press;
    return ReadNumber(token, 0xffff, step.value);
}

}  // namespace

std::vector<ScriptStep> ParseScriptLine(std::string_view line, std::vector<std::string>& rejected) {
    std::vector<ScriptStep> steps;
    size_t i = 0;
    while (i < line.size()) {
        char c = line[i];
        if (c == '<') {
            size_t close = line.find('>', i);
            size_t end = close == std::string_view::npos ? line.size() : close + 1;
            ScriptStep step{};
            if (close != std::string_view::npos && ReadBracketed(line.substr(i + 1, close - i - 1), step))
                steps.push_back(step);
            else
                rejected.emplace_back(line.substr(i, end - i));
            i = end;
        } else {
            if (IsKeyCharacter(c))
                steps.push_back({ScriptStep::Kind::Press, static_cast<unsigned char>(c)});
            else if (c != ' ' && c != '\t' && c != '\r')
                rejected.emplace_back(1, c);
            ++i;
        }
    }
    return steps;
}
