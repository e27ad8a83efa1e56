// Settings files of any content. The input's first line names a section, a
// key and a value, separated by tabs; the rest is the file. Reading never
// fails, every key a section lists reads back as listed, and writing or
// deleting a key changes that key and nothing else.
#include "FuzzInput.h"
#include "IniFile.h"
#include "Trim.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// One scratch file for the whole run, removed at its end. It lives in
// memory where the system offers a folder for that: every write truncates
// and rewrites it, which on a disk file system sends it to the disk each time.
class ScratchFile {
public:
    ScratchFile() {
        const fs::path folder = fs::is_directory("/dev/shm") ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (folder / "quorvel-inifuzz-XXXXXX").string();
        const int fd = mkstemp(pattern.data());
        if (fd >= 0)
            close(fd);
        path_ = pattern;
    }
    ~ScratchFile() {
        std::error_code ignored;
        fs::remove(path_, ignored);
    }

    const std::string& Path() const { return path_; }
    void Put(std::string_view content) const {
        std::ofstream(path_, std::ios::binary | std::ios::trunc).write(content.data(), std::streamsize(content.size()));
    }

private:
    std::string path_;
};

bool HasAny(std::string_view text, std::string_view bytes) {
    return text.find_first_of(bytes) != std::string_view::npos;
}

// Names and values that a file line carries unchanged: nothing that Trim
// would take off their ends, no line break, no bracket closing a section
// name, no "=" in a key, no key that reads as a comment or header, no value
// in quotes, none longer than a read returns.
bool PlainSection(std::string_view name) { return name == quorvel::Trim(name) && !HasAny(name, "]\r\n"); }
bool PlainKey(std::string_view name) {
    return name == quorvel::Trim(name) && !HasAny(name, "=\r\n") && !name.starts_with(';') && !name.starts_with('[');
}
bool PlainValue(std::string_view value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return value == quorvel::Trim(value) && !HasAny(value, "\r\n") && !quoted && value.size() <= 2047;
}

std::string_view KeyOf(std::string_view entry) { return entry.substr(0, entry.find('=')); }

// The same keys in the same order, and every value the same but at most
// one, which became `value`.
bool OneValueBecame(const std::vector<std::string>& before, const std::vector<std::string>& after,
                    const std::string& value) {
    if (before.size() != after.size())
        return false;
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i) {
        if (before[i] == after[i])
            continue;
        const std::string_view key = KeyOf(before[i]);
        if (++changed > 1 || KeyOf(after[i]) != key || after[i].substr(key.size() + 1) != value)
            return false;
    }
    return true;
}

// `after` is `before` with one entry taken out.
bool OneEntryRemoved(const std::vector<std::string>& before, const std::vector<std::string>& after) {
    if (after.size() + 1 != before.size())
        return false;
    const auto [stop, rest] = std::mismatch(after.begin(), after.end(), before.begin());
    return std::equal(stop, after.end(), rest + 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const ScratchFile scratch;
    FuzzInput input(data, size);
    FuzzInput names(input.Until('\n'));
    const std::string section(names.Until('\t'));
    const std::string key(names.Until('\t'));
    const std::string value(names.Rest());
    scratch.Put(input.Rest());

    IniFile ini(scratch.Path());
    ini.ReadInteger(section, key, 0);
    const std::vector<std::string> before = ini.ReadSectionValues(section);
    for (const auto& entry : before) {
        FuzzCheck(entry.find('=') != std::string::npos, "a listed key comes as key=value");
        const std::string_view listed = KeyOf(entry);
        const std::string read = ini.ReadString(section, std::string(listed), "\x01");
        FuzzCheck(read.size() <= 2047, "a value is at most 2047 characters");
        FuzzCheck(read == entry.substr(listed.size() + 1), "a listed key reads back as listed");
    }

    if (!PlainSection(section) || !PlainKey(key) || !PlainValue(value))
        return 0;

    const bool existed = ini.ReadString(section, key, "\x01") != "\x01";
    ini.WriteString(section, key, value);
    const std::vector<std::string> written = ini.ReadSectionValues(section);
    std::vector<std::string> added = before;
    added.push_back(key + "=" + value);
    FuzzCheck(existed ? OneValueBecame(before, written, value) : written == added,
              "writing a key changes that key alone");
    FuzzCheck(ini.ReadString(section, key, "\x01") == value, "a written value reads back");

    ini.DeleteKey(section, key);
    FuzzCheck(OneEntryRemoved(written, ini.ReadSectionValues(section)), "deleting a key removes that key alone");
    FuzzCheck(ini.ReadString(section, key, "\x01") == "\x01", "a deleted key reads as missing");
    return 0;
}
