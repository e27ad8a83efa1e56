#pragma once
// Windows-style INI files read and written one key at a time, the way the
// platform's profile-string functions do it: section and key names compared
// without regard to case, an existing key rewritten in place, a new key at
// the end of its section, a new section at the end of the file, blanks
// around a value and then one pair of matching double or single quotes
// around it dropped on reading. When a section or a key appears twice, the
// first one counts. Every call goes to the file; nothing is cached. Other
// lines, comments included, are kept as they stand.
#include <string>
#include <vector>

class IniFile {
public:
    // The mode of a file that a writer creates. Shared: 0666 less the
    // process's umask, as any program's files. Private: 0600 whatever the
    // umask, for a file that holds a user name and password. An existing
    // file keeps its mode either way.
    enum class NewFileMode { Shared, Private };

    explicit IniFile(std::string path, NewFileMode newFileMode = NewFileMode::Shared);

    const std::string& Path() const { return path_; }

    // The value (at most 2047 characters), or the default when the file,
    // the section or the key is missing. A key present with an empty value
    // reads as empty text.
    std::string ReadString(const std::string& section, const std::string& key, const std::string& defaultValue) const;
    // The value as an integer (decimal, or hexadecimal after "$", "x" or
    // "0x"); the default when missing, empty or not an integer.
    int ReadInteger(const std::string& section, const std::string& key, int defaultValue) const;
    // Whether the section holds the key (with any value, empty too).
    bool ValueExists(const std::string& section, const std::string& key) const;
    // Every key of the section as "key=value", the value as ReadString gives
    // it, in file order; comments, blank lines and the later lines of a key
    // that appears twice are left out.
    std::vector<std::string> ReadSectionValues(const std::string& section) const;

    // Writers create the file and the section when missing. A value ends at
    // its first line break. A file that cannot be written throws
    // std::runtime_error "Unable to write to <path>".
    void WriteString(const std::string& section, const std::string& key, const std::string& value);
    void WriteInteger(const std::string& section, const std::string& key, int value);
    // Removes the key: every line of it in its section, so that a later
    // copy cannot take its place. A missing file, section or key is left
    // alone.
    void DeleteKey(const std::string& section, const std::string& key);

private:
    std::string path_;
    NewFileMode newFileMode_;
};
