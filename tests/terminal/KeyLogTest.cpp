#include "KeyLog.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;

std::string FileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class KeyLogTest : public ::testing::Test {
protected:
    void Put(const std::string& content) const { std::ofstream(path, std::ios::binary | std::ios::trunc) << content; }
    std::string Content() const { return FileText(path); }

    TemporaryFolder folder{"keylog"};
    std::string path = folder.PathOf("teclas.txt");
};

struct LogCase {
    const char* name;
    bool fileExists;
    std::string before;
    std::vector<std::string> entries;
    std::string after;
};

const LogCase kLogCases[] = {
    {"entry becomes a line", false, "", {"A [65]"}, "A [65]\r\n"},
    {"code 0 adds nothing but makes the file", false, "", {"\0 [0]"s}, ""},
    {"Enter splits into an empty line and its code", true, "", {"\r [13]"}, "\r\n [13]\r\n"},
    {"text from a NUL on is dropped", true, "", {"AB\0CD"s}, "AB\r\n"},
    {"own line end is not doubled", true, "", {"x\r\n", "y\n", "z\r"}, "x\r\ny\r\nz\r\n"},
    {"inner line breaks split", true, "", {"a\rb\nc\n\rd"}, "a\r\nb\r\nc\r\n\r\nd\r\n"},
    {"empty entry adds nothing", true, "A [65]\r\n", {""}, "A [65]\r\n"},
    {"Windows-1252 bytes kept", true, "", {"\xC7 [199]", "? [65280]"}, "\xC7 [199]\r\n? [65280]\r\n"},
    {"last line without line end gets one", true, "abc", {"X"}, "abc\r\nX\r\n"},
    {"bare CR and LF become CR LF", true, "a\nb\rc\r\n", {"X"}, "a\r\nb\r\nc\r\nX\r\n"},
    {"a NUL in the file keeps what follows", true, "a\0b\r\n"s, {"X"}, "a\0b\r\nX\r\n"s},
    {"C, 5, Enter on a started terminal",
     true,
     "#LOG: TERMINAL INICIADO#\r\n",
     {"C [67]", "5 [53]", "\r [13]", "#LOG: COMANDO RECEBIDO - Comanda:C5#", "#LOG: COMANDO DECODIFICADO - C5#",
      "#LOG: RETORNO - 000-A COMANDA 5 FOI CRIADA!#", "\0 [0]"s},
     "#LOG: TERMINAL INICIADO#\r\nC [67]\r\n5 [53]\r\n\r\n [13]\r\n#LOG: COMANDO RECEBIDO - Comanda:C5#\r\n"
     "#LOG: COMANDO DECODIFICADO - C5#\r\n#LOG: RETORNO - 000-A COMANDA 5 FOI CRIADA!#\r\n"},
};

TEST_F(KeyLogTest, FileHoldsWhatTheRebuildRulesGive) {
    for (const LogCase& c : kLogCases) {
        SCOPED_TRACE(c.name);
        fs::remove(path);
        if (c.fileExists)
            Put(c.before);
        KeyLog log(path);
        for (const std::string& entry : c.entries)
            log.Write(entry);
        EXPECT_TRUE(fs::exists(path));
        EXPECT_EQ(Content(), c.after);
    }
}

TEST_F(KeyLogTest, ChangesMadeByOthersBetweenEntriesAreTakenIn) {
    KeyLog log(path);
    log.Write("A [65]");
    std::ofstream(path, std::ios::binary | std::ios::app) << "nota\nsem fim";
    log.Write("B [66]");
    EXPECT_EQ(Content(), "A [65]\r\nnota\r\nsem fim\r\nB [66]\r\n");

    fs::remove(path);
    log.Write("C [67]");
    EXPECT_EQ(Content(), "C [67]\r\n");

    Put("trocado\r\n");
    log.Write("D [68]");
    EXPECT_EQ(Content(), "trocado\r\nD [68]\r\n");
}

// The package's key log is reached through a link beside the program and
// rotated in its own folder; whichever way the rotation goes, the entries
// after it go to the new file and the rotated copy keeps only the ones before.
TEST_F(KeyLogTest, EntriesAfterARotationGoToTheNewFile) {
    struct Rotation {
        const char* name;
        void (*rotate)(const fs::path& log, const fs::path& rotated);
    };
    const Rotation rotations[] = {
        {"moved away, an empty file made in its place",
         [](const fs::path& log, const fs::path& rotated) {
             fs::rename(log, rotated);
             std::ofstream(log, std::ios::binary);
         }},
        {"moved away, nothing made in its place",
         [](const fs::path& log, const fs::path& rotated) { fs::rename(log, rotated); }},
        {"copied and emptied",
         [](const fs::path& log, const fs::path& rotated) {
             fs::copy_file(log, rotated);
             fs::resize_file(log, 0);
         }},
    };
    const fs::path state = folder.Path() / "state";
    const fs::path log = state / "teclas.txt";
    const fs::path rotated = state / "teclas.txt.1";
    fs::create_directories(state);
    fs::remove(path);
    fs::create_symlink(log, path);
    for (const Rotation& r : rotations) {
        SCOPED_TRACE(r.name);
        fs::remove(log);
        fs::remove(rotated);
        KeyLog keyLog(path);
        keyLog.Write("A [65]");
        keyLog.Write("B [66]");
        r.rotate(log, rotated);
        keyLog.Write("C [67]");
        keyLog.Write("D [68]");
        EXPECT_TRUE(fs::is_symlink(path));
        EXPECT_EQ(Content(), "C [67]\r\nD [68]\r\n");
        EXPECT_EQ(FileText(rotated), "A [65]\r\nB [66]\r\n");
    }
}

TEST_F(KeyLogTest, FileThatCannotBeUsedRaisesTheFileError) {
    struct FailureCase {
        std::string path;
        std::string message;
    };
    fs::create_directories(folder.Path() / "pasta");
    const FailureCase cases[] = {
        {(folder.Path() / "falta" / "teclas.txt").string(),
         "Cannot create file \"" + (folder.Path() / "falta").string()},
        {(folder.Path() / "pasta").string(), "Cannot open file \"" + (folder.Path() / "pasta").string()},
    };
    for (const FailureCase& c : cases) {
        SCOPED_TRACE(c.path);
        KeyLog log(c.path);
        try {
            log.Write("A [65]");
            ADD_FAILURE() << "no error raised";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(std::string(error.what()).rfind(c.message, 0), 0u) << error.what();
        }
    }
}

}  // namespace
