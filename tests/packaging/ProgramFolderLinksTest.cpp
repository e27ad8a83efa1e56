// The installed program folder holds links, not files: its settings files
// point into /etc/quorvel and its key log into /var/lib/quorvel. Writing
// through such a link must change the file it points to and keep the link,
// also when that file does not exist yet; a write that replaced the link by
// a file would leave the shop's settings behind in the program folder,
// where the next upgrade removes them.
#include "IniFile.h"
#include "KeyLog.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Content(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ProgramFolderLinks : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(program);
        fs::create_directories(settings);
    }
    // A link in the program folder to `target`.
    fs::path Link(const std::string& name, const fs::path& target) const {
        fs::create_symlink(target, program / name);
        return program / name;
    }

    TemporaryFolder root{"quorvel-links"};
    fs::path program = root.Path() / "usr-lib-quorvel";
    fs::path settings = root.Path() / "etc-quorvel";
};

TEST_F(ProgramFolderLinks, SettingsAreWrittenWhereTheLinkPoints) {
    for (const bool targetExists : {true, false}) {
        SCOPED_TRACE(targetExists ? "existing file" : "file not made yet");
        const std::string name = targetExists ? "Quorvel.ini" : "BemaSB32.ini";
        if (targetExists)
            std::ofstream(settings / name, std::ios::binary) << "[TECLAS]\nA=1\n";
        const fs::path link = Link(name, settings / name);

        IniFile ini(link.string());
        ini.WriteString("TECLAS", "B", "2");
        ini.DeleteKey("TECLAS", "A");

        EXPECT_TRUE(fs::is_symlink(link));
        const std::string content = Content(settings / name);
        EXPECT_NE(content.find("B=2"), std::string::npos) << content;
        EXPECT_EQ(content.find("A=1"), std::string::npos) << content;
    }
}

TEST_F(ProgramFolderLinks, KeyLogIsMadeAndExtendedWhereTheLinkPoints) {
    const fs::path link = Link("teclas.txt", settings / "teclas.txt");
    KeyLog log(link.string());
    log.Write("#LOG: TERMINAL INICIADO#");
    log.Write("C");

    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(Content(settings / "teclas.txt"), "#LOG: TERMINAL INICIADO#\r\nC\r\n");
}

}  // namespace
