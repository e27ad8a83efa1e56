#pragma once
// The key log "teclas.txt": one Windows-1252 line per entry, every line
// ended by CR LF. An entry's own line breaks (CR, LF or the pair) split it
// into several lines, text from a NUL on is dropped, and a file whose lines
// end otherwise (a bare CR or LF, or no line end after the last line) gets
// CR LF line ends before the entry is added.
//
// Appending is all an entry costs while the file stays as this log left it.
// A file this log did not write last (first entry of the run, or changed by
// someone else) is read through once to check its line ends, and rewritten
// only when they are not all CR LF. So an entry costs the same on an empty
// log and on a large one.
#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>
#include <utility>

// "teclas.txt" beside the program at `programPath`.
std::string KeyLogPathOf(const std::string& programPath);

class KeyLog {
public:
    explicit KeyLog(std::string path) : path_(std::move(path)) {}

    // Adds one entry, creating the file when missing. Throws
    // std::runtime_error "Cannot open file "<path>". <reason>" when the file
    // cannot be read and "Cannot create file "<path>". <reason>" when it
    // cannot be written.
    void Write(const std::string& entry);

private:
    // What tells whether the file is still as this log left it.
    struct FileState {
        dev_t device;
        ino_t inode;
        off_t size;
        timespec modified;
    };

    void Append(const std::string& lines);
    void Rewrite(const std::string& content);
    void Remember(int descriptor);
    bool Unchanged(const struct stat& status) const;

    std::string path_;
    std::optional<FileState> written_;
};
