// The connection settings file holds the database login in a form anyone can
// unscramble, so its permissions are what keeps the password: files made for
// it are private, and one that others can read is narrowed when a login goes
// in.
#include "QZ_CRIPTO.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "TemporaryProgramFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <functional>

namespace {

namespace fs = std::filesystem;

class CredentialsFileModeTest : public ::testing::Test {
protected:
    void SetUp() override {
        DatabaseFileName = "DBEMPRESA.FDB";
        previousMask = ::umask(022);
    }
    void TearDown() override { ::umask(previousMask); }

    fs::perms ModeOf(const std::string& file) const { return fs::status(file).permissions(); }

    // A settings file with that content and mode.
    std::string Existing(const std::string& content, fs::perms mode) const {
        const std::string file = program.Write("Quorvel.ini", content);
        fs::permissions(file, mode);
        return file;
    }

    void Save(const std::string& file, const std::string& user, const std::string& password) const {
        SaveConnectionSettings("127.0.0.1", "/srv/DBEMPRESA.FDB", file,
                               user.empty() ? "" : Scramble(user, kCredentialKey),
                               password.empty() ? "" : Scramble(password, kCredentialKey), true);
    }

    TemporaryProgramFolder program;
    mode_t previousMask = 0;
};

TEST_F(CredentialsFileModeTest, AFileMadeForTheSettingsIsPrivateWhateverTheUmask) {
    const std::string file = program.PathOf("Quorvel.ini");
    const std::pair<const char*, std::function<void()>> writers[] = {
        {"save", [&] { Save(file, "TERMINAL", "segredo"); }},
        {"save without login", [&] { Save(file, "", ""); }},
        {"missing keys written", [&] { CompleteConnectionSettings(file); }},
    };
    for (const auto& [name, write] : writers) {
        SCOPED_TRACE(name);
        fs::remove(file);
        write();
        EXPECT_EQ(ModeOf(file), fs::perms(0600));
    }
}

TEST_F(CredentialsFileModeTest, ALoginWrittenIntoAFileOthersCanReadNarrowsItAndSaysSoOnce) {
    struct Case {
        fs::perms before;
        fs::perms after;
    };
    const Case cases[] = {
        {fs::perms(0644), fs::perms(0640)}, {fs::perms(0666), fs::perms(0640)}, {fs::perms(0604), fs::perms(0600)}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.before));
        const std::string file = Existing("[TECLAS]\nA=25\n", c.before);
        testing::internal::CaptureStderr();
        Save(file, "TERMINAL", "segredo");
        Save(file, "TERMINAL", "outra");
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(ModeOf(file), c.after);
        EXPECT_EQ(said,
                  "As permissões de " + file +
                      " foram restritas ao dono e ao grupo: o arquivo guarda o usuário e a senha do banco de dados.\n");
        EXPECT_EQ(program.Lines("Quorvel.ini").front(), "[TECLAS]");
    }
}

TEST_F(CredentialsFileModeTest, AFileWithoutALoginKeepsItsMode) {
    const std::string file = Existing("[IBCONFIG]\nIP=10.0.0.5\n", fs::perms(0644));
    testing::internal::CaptureStderr();
    CompleteConnectionSettings(file);
    Save(file, "", "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(ModeOf(file), fs::perms(0644));
}

TEST_F(CredentialsFileModeTest, TellsWhenOthersCanReadALogin) {
    const std::string login = "[IBCONFIG]\nUSUARIO=" + Scramble("TERMINAL", kCredentialKey) + "\n";
    struct Case {
        const char* name;
        std::string content;
        fs::perms mode;
        bool readable;
    };
    const Case cases[] = {
        {"login, readable by all", login, fs::perms(0644), true},
        {"password only, readable by all", "[IBCONFIG]\nSENHA=" + Scramble("x", kCredentialKey) + "\n", fs::perms(0604),
         true},
        {"login, owner and group", login, fs::perms(0640), false},
        {"empty login, readable by all", "[IBCONFIG]\nUSUARIO=\nSENHA=\nUSACONFIG=0\n", fs::perms(0644), false},
        {"login in another section", "[TECLAS]\nUSUARIO=A1B2\n", fs::perms(0644), false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CredentialsReadableByOthers(Existing(c.content, c.mode)), c.readable);
    }
    EXPECT_FALSE(CredentialsReadableByOthers(program.PathOf("missing.ini")));
}

}  // namespace
