#include "JournalStream.h"

#include <cinttypes>
#include <cstdio>
#include <sys/stat.h>

bool IsJournalStream(int descriptor, const char* journalStream) {
    if (!journalStream)
        return false;
    std::uintmax_t device = 0;
    std::uintmax_t inode = 0;
    int used = 0;
    if (std::sscanf(journalStream, "%" SCNuMAX ":%" SCNuMAX "%n", &device, &inode, &used) != 2 ||
        journalStream[used] != '\0')
        return false;
    struct stat status {};
    return fstat(descriptor, &status) == 0 && status.st_dev == device && status.st_ino == inode;
}
