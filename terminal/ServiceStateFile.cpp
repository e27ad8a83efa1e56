#include "ServiceStateFile.h"

#include "ProgramFiles.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <stdexcept>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr mode_t kStateMode = 0640;

[[noreturn]] void Fail(const std::string& what, const std::string& path) {
    throw std::runtime_error(what + " " + path + ": " + std::strerror(errno));
}

// The file a link of that name leads to (a relative link read from the
// link's folder); the path itself when it is no link.
std::string LinkTarget(const std::string& path) {
    std::error_code error;
    if (!fs::is_symlink(path, error))
        return path;
    const fs::path target = fs::read_symlink(path, error);
    if (error)
        return path;
    return (target.is_absolute() ? target : fs::path(path).parent_path() / target).string();
}

std::string FolderOf(const std::string& path) {
    const std::string folder = fs::path(path).parent_path().string();
    return folder.empty() ? "." : folder;
}

int OpenFolder(const std::string& folder) { return open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC); }

void WriteAll(int descriptor, const std::string& text, const std::string& path) {
    size_t done = 0;
    while (done < text.size()) {
        const ssize_t written = write(descriptor, text.data() + done, text.size() - done);
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            Fail("não foi possível gravar", path);
        done += static_cast<size_t>(written);
    }
}

std::string ReadAll(int descriptor, const std::string& path) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = read(descriptor, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            Fail("não foi possível ler", path);
        if (got == 0)
            return text;
        text.append(buffer, static_cast<size_t>(got));
    }
}

}  // namespace

std::string ServiceStatePathOf(const std::string& programPath) { return FileBesideProgram(programPath, "estado.txt"); }

ServiceStateFile::~ServiceStateFile() {
    if (published_)
        unlink(Path().c_str());
    if (folderLock_ >= 0)
        close(folderLock_);
}

const std::string& ServiceStateFile::Path() const {
    if (!target_)
        target_ = LinkTarget(path_);
    return *target_;
}

bool ServiceStateFile::Claim() {
    if (folderLock_ >= 0)
        return true;
    const std::string folder = FolderOf(Path());
    const int descriptor = OpenFolder(folder);
    if (descriptor < 0)
        Fail("não foi possível abrir a pasta", folder);
    if (flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        close(descriptor);
        return false;
    }
    folderLock_ = descriptor;
    return true;
}

void ServiceStateFile::Replace(const std::string& text) {
    const std::string& path = Path();
    std::string temporary = path + ".XXXXXX";
    const int descriptor = mkstemp(temporary.data());
    if (descriptor < 0)
        Fail("não foi possível criar", temporary);
    try {
        if (fchmod(descriptor, kStateMode) != 0)
            Fail("não foi possível ajustar o modo de", temporary);
        WriteAll(descriptor, text, temporary);
    } catch (...) {
        close(descriptor);
        unlink(temporary.c_str());
        throw;
    }
    if (close(descriptor) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
        Fail("não foi possível gravar", temporary);
    }
    if (rename(temporary.c_str(), path.c_str()) != 0) {
        const int error = errno;
        unlink(temporary.c_str());
        errno = error;
        Fail("não foi possível substituir", path);
    }
    published_ = true;
}

std::optional<std::string> ReadPublishedState(const std::string& path) {
    const std::string target = LinkTarget(path);
    const std::string folder = FolderOf(target);
    const int lock = OpenFolder(folder);
    if (lock < 0) {
        if (errno == ENOENT)
            return std::nullopt;  // the runtime folder goes with the service
        Fail("não foi possível abrir a pasta", folder);
    }
    // A lock this side can take is held by no service.
    const bool free = flock(lock, LOCK_SH | LOCK_NB) == 0;
    close(lock);
    if (free)
        return std::nullopt;
    const int file = open(target.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0) {
        if (errno == ENOENT)
            return std::string();
        Fail("não foi possível ler", target);
    }
    try {
        std::string text = ReadAll(file, target);
        close(file);
        return text;
    } catch (...) {
        close(file);
        throw;
    }
}
