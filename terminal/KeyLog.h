#pragma once
// The key log "teclas.txt": one Windows-1252 line per entry, every line
// ended by CR LF. An entry's own line breaks (CR, LF or the pair) split it
// into several lines, text from a NUL on is dropped, and a file whose lines
// end otherwise (a bare CR or LF, or no line end after the last line) gets
// CR LF line ends before the entry is added.
//
// The file is read whole only when this log did not write it last; as long
// as it is left alone, an entry is appended, so an entry costs the same on
// an empty log and on a large one.
#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/types.h>

class KeyLog {
public:
    explicit KeyLog(std::string path) : path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

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
