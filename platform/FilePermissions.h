#pragma once
// Who may read a file: the checks and changes that keep a file which holds
// secrets to its owner and, at most, its group. Paths are followed through
// symbolic links to the file they lead to.
#include <string>

// Whether users other than the file's owner and its group may read it;
// false for a missing file.
bool ReadableByOthers(const std::string& path);

// Keeps the owner's read and write and the group's read permission, where
// the file has them, and removes every other one (0644 becomes 0640, 0666
// becomes 0640, 0604 becomes 0600). Throws std::filesystem::filesystem_error
// when the mode cannot be changed (a file of another user).
void NarrowToOwnerAndGroupRead(const std::string& path);
