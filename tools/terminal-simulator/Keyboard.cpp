#include "Keyboard.h"

#include <charconv>

Keyboard::Keyboard() {
    for (const char* characters : {"1234567890", "QWERTYUIOP", "ASDFGHJKL,", "ZXCVBNM."}) {
        std::vector<Key>& row = rows_.emplace_back();
        for (const char* c = characters; *c; ++c)
            row.push_back({std::string(1, *c), static_cast<uint16_t>(*c)});
    }
    rows_.back().push_back({"ENTER", 13});
    rows_.push_back(
        {{"F1", 201}, {"F2", 202}, {"F3", 203}, {"F4", 204}, {"F5", 205}, {"FX", 206}, {"DEL", 127}, {"ESC", 27}});
}

bool Keyboard::SetSpecialCode(const std::string& assignment) {
    size_t equals = assignment.find('=');
    if (equals == std::string::npos)
        return false;
    const std::string name = assignment.substr(0, equals);
    const char* first = assignment.data() + equals + 1;
    const char* last = assignment.data() + assignment.size();
    unsigned code = 0;
    auto [end, error] = std::from_chars(first, last, code);
    if (first == last || error != std::errc{} || end != last || code > 0xffff)
        return false;
    for (Key& key : rows_.back()) {
        if (key.label == name) {
            key.code = static_cast<uint16_t>(code);
            return true;
        }
    }
    return false;
}

std::optional<uint16_t> Keyboard::Code(const std::string& label) const {
    for (const std::vector<Key>& row : rows_) {
        for (const Key& key : row) {
            if (key.label == label)
                return key.code;
        }
    }
    return std::nullopt;
}
