#include "IniFile.h"

#include "IntegerText.h"
#include "Trim.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <optional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace {

constexpr size_t kMaxValueLength = 2047;

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return LowerAscii(x) == LowerAscii(y); });
}

std::string LowerName(std::string_view name) {
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

// The file as lines without their line ends, and the line end it uses
// (CR LF unless the file has only bare LFs), so a rewrite keeps its style.
struct IniText {
    std::vector<std::string> lines;
    std::string lineEnd = "\r\n";
    bool exists = false;
};

IniText Load(const std::string& path) {
    IniText text;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return text;
    text.exists = true;
    std::ostringstream content;
    content << in.rdbuf();
    std::istringstream lines(content.str());
    bool sawLineFeed = false;
    bool sawCarriageReturn = false;
    for (std::string line; std::getline(lines, line);) {
        sawLineFeed = true;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
            sawCarriageReturn = true;
        }
        text.lines.push_back(std::move(line));
    }
    if (sawLineFeed && !sawCarriageReturn)
        text.lineEnd = "\n";
    return text;
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<size_t>(written));
    }
    return true;
}

// Rewrites the file. A new private file is made 0600 (the umask can only
// take bits away), a new shared one 0666 less the umask.
void Save(const std::string& path, const IniText& text, IniFile::NewFileMode newFileMode) {
    const mode_t createMode = newFileMode == IniFile::NewFileMode::Private ? 0600 : 0666;
    std::string content;
    for (const auto& line : text.lines)
        content += line + text.lineEnd;
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, createMode);
    const bool written = fd >= 0 && WriteAll(fd, content);
    const bool closed = fd >= 0 && ::close(fd) == 0;
    if (!written || !closed)
        throw std::runtime_error("Unable to write to " + path);
}

std::optional<std::string> SectionName(const std::string& line) {
    const std::string trimmed = quorvel::Trim(line);
    if (trimmed.empty() || trimmed.front() != '[')
        return std::nullopt;
    const size_t close = trimmed.find(']');
    return quorvel::Trim(
        std::string_view(trimmed).substr(1, close == std::string::npos ? std::string::npos : close - 1));
}

struct KeyLine {
    std::string key;
    std::string value;  // as it stands, blanks around it dropped
};

// The value as reading gives it: one pair of matching double or single
// quotes around it dropped (what stands inside them is kept as it is,
// blanks included), then cut to the longest value a read returns.
std::string ReadValue(const KeyLine& line) {
    std::string_view value(line.value);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, kMaxValueLength));
}

// A "key=value" line; comments, section headers and lines without "=" are not.
std::optional<KeyLine> ParseKeyLine(const std::string& line) {
    const std::string trimmed = quorvel::Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '[')
        return std::nullopt;
    const size_t equals = trimmed.find('=');
    if (equals == std::string::npos)
        return std::nullopt;
    std::string_view view(trimmed);
    return KeyLine{quorvel::Trim(view.substr(0, equals)), quorvel::Trim(view.substr(equals + 1))};
}

// Lines [header + 1, end) of the first section of that name.
struct SectionSpan {
    size_t header;
    size_t end;
};

std::optional<SectionSpan> FindSection(const IniText& text, const std::string& section) {
    for (size_t i = 0; i < text.lines.size(); ++i) {
        auto name = SectionName(text.lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        size_t end = i + 1;
        while (end < text.lines.size() && !SectionName(text.lines[end]))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> FindKey(const IniText& text, const SectionSpan& span, const std::string& key) {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        auto line = ParseKeyLine(text.lines[i]);
        if (line && SameName(line->key, key))
            return i;
    }
    return std::nullopt;
}

std::optional<std::string> FindValue(const std::string& path, const std::string& section, const std::string& key) {
    const IniText text = Load(path);
    auto span = FindSection(text, section);
    if (!span)
        return std::nullopt;
    auto index = FindKey(text, *span, key);
    if (!index)
        return std::nullopt;
    return ReadValue(*ParseKeyLine(text.lines[*index]));
}

// Where a new key of the section goes: after its last non-blank line, so
// the blank lines that separate it from the next section stay in place.
size_t EndOfKeys(const IniText& text, const SectionSpan& span) {
    size_t insertAt = span.header + 1;
    for (size_t i = span.header + 1; i < span.end; ++i)
        if (!quorvel::IsBlank(text.lines[i]))
            insertAt = i + 1;
    return insertAt;
}

// A value lives on its key's line: it ends at its first line break, so a
// text pasted with several lines cannot add keys or sections to the file.
std::string OnOneLine(const std::string& value) { return value.substr(0, value.find_first_of("\r\n")); }

}  // namespace

IniFile::IniFile(std::string path, NewFileMode newFileMode) : path_(std::move(path)), newFileMode_(newFileMode) {}

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    return FindValue(path_, section, key).value_or(defaultValue);
}

int IniFile::ReadInteger(const std::string& section, const std::string& key, int defaultValue) const {
    auto value = FindValue(path_, section, key);
    if (!value)
        return defaultValue;
    return ParseInteger(*value).value_or(defaultValue);
}

bool IniFile::ValueExists(const std::string& section, const std::string& key) const {
    return FindValue(path_, section, key).has_value();
}

std::vector<std::string> IniFile::ReadSectionValues(const std::string& section) const {
    std::vector<std::string> values;
    const IniText text = Load(path_);
    auto span = FindSection(text, section);
    if (!span)
        return values;
    std::set<std::string> seen;
    for (size_t i = span->header + 1; i < span->end; ++i) {
        auto line = ParseKeyLine(text.lines[i]);
        if (line && seen.insert(LowerName(line->key)).second)
            values.push_back(line->key + "=" + ReadValue(*line));
    }
    return values;
}

void IniFile::WriteString(const std::string& section, const std::string& key, const std::string& value) {
    const std::string written = OnOneLine(value);
    IniText text = Load(path_);
    auto span = FindSection(text, section);
    if (!span) {
        if (!text.lines.empty() && !quorvel::IsBlank(text.lines.back()))
            text.lines.emplace_back();
        text.lines.push_back("[" + section + "]");
        text.lines.push_back(key + "=" + written);
    } else if (auto index = FindKey(text, *span, key)) {
        text.lines[*index] = ParseKeyLine(text.lines[*index])->key + "=" + written;
    } else {
        text.lines.insert(text.lines.begin() + EndOfKeys(text, *span), key + "=" + written);
    }
    Save(path_, text, newFileMode_);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, int value) {
    WriteString(section, key, std::to_string(value));
}

void IniFile::DeleteKey(const std::string& section, const std::string& key) {
    IniText text = Load(path_);
    auto span = FindSection(text, section);
    if (!span)
        return;
    const auto first = text.lines.begin() + static_cast<std::ptrdiff_t>(span->header + 1);
    const auto end = text.lines.begin() + static_cast<std::ptrdiff_t>(span->end);
    const auto kept = std::remove_if(first, end, [&](const std::string& line) {
        auto keyLine = ParseKeyLine(line);
        return keyLine && SameName(keyLine->key, key);
    });
    if (kept == end)
        return;
    text.lines.erase(kept, end);
    Save(path_, text, newFileMode_);
}
