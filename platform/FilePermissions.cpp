#include "FilePermissions.h"

#include <filesystem>

namespace fs = std::filesystem;

bool ReadableByOthers(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return !error && fs::exists(status) && (status.permissions() & fs::perms::others_read) != fs::perms::none;
}

void NarrowToOwnerAndGroupRead(const std::string& path) {
    constexpr fs::perms kKept = fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read;
    fs::permissions(path, fs::status(path).permissions() & kKept, fs::perm_options::replace);
}
