#pragma once
// A fresh, empty folder of its own under the system's temporary folder,
// removed with everything in it when the object goes.
#include <filesystem>
#include <string>

class TemporaryFolder {
public:
    // The folder's name starts with `prefix` (a leftover one then says which
    // test made it). Throws std::runtime_error when it cannot be made.
    explicit TemporaryFolder(const std::string& prefix = "quorvel-test");
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A file or folder inside it.
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};
