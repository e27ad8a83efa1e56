#include "JournalStream.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

TEST(JournalStream, OnlyTheStreamJOURNAL_STREAMNamesIsTheJournal) {
    TemporaryFolder folder;
    const int file = open(folder.PathOf("stream").c_str(), O_WRONLY | O_CREAT, 0600);
    ASSERT_GE(file, 0);
    struct stat status {};
    ASSERT_EQ(fstat(file, &status), 0);
    const std::string device = std::to_string(status.st_dev);
    const std::string inode = std::to_string(status.st_ino);
    const struct {
        std::string value;
        bool journal;
    } cases[] = {
        {device + ":" + inode, true},
        {device + ":" + std::to_string(status.st_ino + 1), false},
        {device + ":" + inode + "x", false},
        {"", false},
        {"journal", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsJournalStream(file, c.value.c_str()), c.journal) << c.value;
    EXPECT_FALSE(IsJournalStream(file, nullptr));
    close(file);
}

}  // namespace
