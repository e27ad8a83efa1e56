#include "KeyLog.h"

#include "ProgramFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Each line of the text followed by CR LF; a line ends at CR, LF or the
// pair, and a last line without a line end is a line too.
std::string WithCrLfLineEnds(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 2);
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        out.append(text.substr(start, end - start));
        out += "\r\n";
        start = end;
        if (start < text.size() && text[start] == '\r')
            ++start;
        if (start < text.size() && text[start] == '\n')
            ++start;
    }
    return out;
}

[[noreturn]] void Fail(const char* what, const std::string& path) {
    throw std::runtime_error(std::string(what) + " \"" + path + "\". " + std::strerror(errno));
}

// Closes the file first, keeping the error of the call that failed.
[[noreturn]] void CloseAndFail(int descriptor, const char* what, const std::string& path) {
    const int error = errno;
    close(descriptor);
    errno = error;
    Fail(what, path);
}

void WriteAll(int descriptor, std::string_view bytes, const std::string& path) {
    while (!bytes.empty()) {
        ssize_t written = write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            CloseAndFail(descriptor, "Cannot create file", path);
        bytes.remove_prefix(static_cast<size_t>(written));
    }
}

int OpenForReading(const std::string& path) {
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        Fail("Cannot open file", path);
    return descriptor;
}

// Reads the whole file in pieces, handing each to the consumer.
template <typename Consumer>
void ReadPieces(const std::string& path, Consumer consume) {
    int descriptor = OpenForReading(path);
    char buffer[64 * 1024];
    for (;;) {
        ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            CloseAndFail(descriptor, "Cannot open file", path);
        if (got == 0)
            break;
        consume(std::string_view(buffer, static_cast<size_t>(got)));
    }
    close(descriptor);
}

// True when every line of the file already ends with CR LF, so the rebuild
// would leave it as it is. Reads the file once without keeping it.
bool InRebuiltForm(const std::string& path) {
    bool rebuilt = true;
    char previous = '\n';
    ReadPieces(path, [&](std::string_view piece) {
        for (char c : piece) {
            if ((previous == '\r') != (c == '\n'))
                rebuilt = false;
            previous = c;
        }
    });
    return rebuilt && previous == '\n';
}

std::string ReadAll(const std::string& path) {
    std::string content;
    ReadPieces(path, [&](std::string_view piece) { content.append(piece); });
    return content;
}

}  // namespace

std::string KeyLogPathOf(const std::string& programPath) { return FileBesideProgram(programPath, "teclas.txt"); }

void KeyLog::Write(const std::string& entry) {
    const std::string lines = WithCrLfLineEnds(std::string_view(entry.c_str()));
    struct stat status;
    if (stat(path_.c_str(), &status) != 0) {
        if (errno != ENOENT)
            Fail("Cannot open file", path_);
        Rewrite(lines);
        return;
    }
    if (Unchanged(status)) {
        Append(lines);
        return;
    }
    if (InRebuiltForm(path_))
        Append(lines);
    else
        Rewrite(WithCrLfLineEnds(ReadAll(path_)) + lines);
}

void KeyLog::Append(const std::string& lines) {
    int descriptor = open(path_.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
    if (descriptor < 0)
        Fail("Cannot create file", path_);
    WriteAll(descriptor, lines, path_);
    Remember(descriptor);
}

void KeyLog::Rewrite(const std::string& content) {
    int descriptor = open(path_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (descriptor < 0)
        Fail("Cannot create file", path_);
    WriteAll(descriptor, content, path_);
    Remember(descriptor);
}

void KeyLog::Remember(int descriptor) {
    struct stat status;
    if (fstat(descriptor, &status) == 0)
        written_ = FileState{status.st_dev, status.st_ino, status.st_size, status.st_mtim};
    else
        written_.reset();
    close(descriptor);
}

bool KeyLog::Unchanged(const struct stat& status) const {
    return written_ && written_->device == status.st_dev && written_->inode == status.st_ino &&
           written_->size == status.st_size && written_->modified.tv_sec == status.st_mtim.tv_sec &&
           written_->modified.tv_nsec == status.st_mtim.tv_nsec;
}
