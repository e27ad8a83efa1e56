// Where the connection settings are kept and how they become the shared
// connection's name and parameter lines.
#include "Database.h"
#include "DatabaseError.h"
#include "ProgramFiles.h"
#include "QZ_CRIPTO.h"
#include "QZ_DBIBX_SETTINGS.h"
#include "TemporaryProgramFolder.h"
#include "Windows1252.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using Lines = std::vector<std::string>;

class ConnectionSettingsTest : public ::testing::Test {
protected:
    void SetUp() override {
        DatabaseFileName = "DBEMPRESA.FDB";
        SiblingIniPath.clear();
    }
    void TearDown() override { SiblingIniPath.clear(); }

    std::string DefaultLocal() const { return program.Folder() + "Dados/DBEMPRESA.FDB"; }

    TemporaryProgramFolder program;
};

TEST(OwnSettingsPathTest, ReplacesOrAddsTheExtension) {
    struct Case {
        const char* program;
        const char* settings;
    };
    const Case cases[] = {
        {"/opt/loja/Quorvel", "/opt/loja/Quorvel.ini"},
        {"/opt/loja/Terminal.exe", "/opt/loja/Terminal.ini"},
        {"/opt/loja.v2/Quorvel", "/opt/loja.v2/Quorvel.ini"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.program);
        EXPECT_EQ(OwnSettingsPath(c.program), c.settings);
    }
}

TEST_F(ConnectionSettingsTest, TheLastSiblingFileFoundWins) {
    EXPECT_EQ(FindSiblingIni(), "");
    program.Write("korvi03.ini", "");
    program.Write("korvi07.ini", "");
    program.Write("KORVI11.INI", "");  // another name to this file system
    program.Write("korvi14.ini", "");
    EXPECT_EQ(FindSiblingIni(), program.PathOf("korvi07.ini"));
}

TEST_F(ConnectionSettingsTest, OnlyAFirstArgumentCfgNamesAnotherFile) {
    struct Case {
        const char* sibling;
        Lines arguments;
        std::string expected;
    };
    const std::string sibling = program.PathOf("korvi02.ini");
    const Case cases[] = {
        {"", {}, program.PathOf("Quorvel.ini")},
        {"", {"-x"}, program.PathOf("Quorvel.ini")},
        {sibling.c_str(), {}, sibling},
        {sibling.c_str(), {"cfg=D:\\conf\\a.ini"}, "D:\\conf\\a.ini"},
        {sibling.c_str(), {"CfG=conf/b.ini", "CFG=/c.ini"}, "conf/b.ini"},
        {sibling.c_str(), {"", "CFG=/c.ini"}, sibling},
        {sibling.c_str(), {"-x", "CFG=/c.ini"}, sibling},
        {sibling.c_str(), {"CF=/c.ini"}, sibling},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sibling) + " / " + (c.arguments.empty() ? "" : c.arguments.front()));
        SiblingIniPath = c.sibling;
        EXPECT_EQ(ConnectionSettingsPath(c.arguments), c.expected);
    }
}

TEST_F(ConnectionSettingsTest, SilentAttemptNeedsADatabaseBesideOrBothKeys) {
    struct Case {
        const char* name;
        const char* content;
        bool expected;
    };
    const Case cases[] = {
        {"empty", "", false},
        {"ip only", "[IBCONFIG]\r\nIP=10.0.0.1\r\n", false},
        {"other section", "[OUTRA]\r\nIP=a\r\nLOCAL=b\r\n", false},
        {"both empty", "[ibconfig]\r\nip=\r\nlocal=\r\n", true},
    };
    EXPECT_FALSE(CheckConnectionSettings(program.PathOf("missing.ini")));
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckConnectionSettings(program.Write("settings.ini", c.content)), c.expected);
    }
    program.Write("Dados/DBEMPRESA.FDB", "");
    EXPECT_TRUE(CheckConnectionSettings(program.PathOf("missing.ini")));
}

TEST_F(ConnectionSettingsTest, ConnectingWritesEveryMissingKeyFirst) {
    const std::string ini = program.Write("Quorvel.ini", "");
    const ConnectionSettings read = CompleteConnectionSettings(ini);
    EXPECT_EQ(program.Lines("Quorvel.ini"),
              (Lines{"[IBCONFIG]", "IP=127.0.0.1", "LOCAL=" + DefaultLocal(), "USUARIO=", "SENHA=", "USACONFIG=0"}));
    EXPECT_EQ(read.IP, "127.0.0.1");
    EXPECT_EQ(read.Local, DefaultLocal());
    EXPECT_EQ(read.User, "");
    EXPECT_FALSE(read.UseConfig);
}

TEST_F(ConnectionSettingsTest, ABlankAddressIsReplacedInTheFile) {
    const std::string ini =
        program.Write("Quorvel.ini", "[IBCONFIG]\nIP=   \nLOCAL=/dados/a.fdb\nUSUARIO=\nSENHA=\nUSACONFIG=1\n");
    EXPECT_EQ(CompleteConnectionSettings(ini).IP, "127.0.0.1");
    EXPECT_EQ(program.Lines("Quorvel.ini"),
              (Lines{"[IBCONFIG]", "IP=127.0.0.1", "LOCAL=/dados/a.fdb", "USUARIO=", "SENHA=", "USACONFIG=1"}));
}

TEST_F(ConnectionSettingsTest, UseConfigIsReadAsAnInteger) {
    struct Case {
        const char* value;
        bool expected;
    };
    const Case cases[] = {{"1", true}, {"2", true}, {"0", false}, {"yes", false}, {"", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value);
        const std::string ini = program.Write("Quorvel.ini", std::string("[IBCONFIG]\nUSACONFIG=") + c.value + "\n");
        EXPECT_EQ(ReadConnectionSettings(ini, "DBEMPRESA.FDB").UseConfig, c.expected);
    }
}

// The file holds Windows-1252 text, the connection takes UTF-8: an accented
// path or credential is converted on its way in and out, and the credentials
// are scrambled as Windows-1252, so the sibling product reads what this
// program saved.
TEST_F(ConnectionSettingsTest, SavedSettingsComeBackInClearAndInWindows1252InTheFile) {
    const std::string ini = program.Write("Quorvel.ini", "[TEMA]\nCOLOR=3\n");
    SaveConnectionSettings("servidor", "C:\\Lojão\\Dados\\DBEMPRESA.FDB", ini, ScrambleCredential("JOÃO"),
                           ScrambleCredential("sênha"), true);
    const Lines lines = program.Lines("Quorvel.ini");
    ASSERT_EQ(lines.size(), 9u);
    EXPECT_EQ(Lines(lines.begin(), lines.begin() + 6), (Lines{"[TEMA]", "COLOR=3", "", "[IBCONFIG]", "IP=servidor",
                                                             "LOCAL=C:\\Loj\xE3o\\Dados\\DBEMPRESA.FDB"}));
    EXPECT_EQ(Unscramble(lines[6].substr(std::string("USUARIO=").size()), kCredentialKey), "JO\xC3O");
    EXPECT_EQ(Unscramble(lines[7].substr(std::string("SENHA=").size()), kCredentialKey), "s\xEAnha");
    EXPECT_EQ(lines[8], "USACONFIG=1");

    const ConnectionSettings read = ReadConnectionSettings(ini, "DBEMPRESA.FDB");
    EXPECT_EQ(read.Local, "C:\\Lojão\\Dados\\DBEMPRESA.FDB");
    EXPECT_EQ(read.User, "JOÃO");
    EXPECT_EQ(read.Password, "sênha");
    EXPECT_TRUE(read.UseConfig);
}

TEST_F(ConnectionSettingsTest, TheDefaultPathInAnAccentedFolderIsWrittenInWindows1252) {
    SetProgramPath(program.Folder() + "Lojão/Quorvel");
    const std::string beside = program.Folder() + "Lojão/Dados/DBEMPRESA.FDB";
    const std::string ini = program.Write("Quorvel.ini", "");
    EXPECT_EQ(CompleteConnectionSettings(ini).Local, beside);
    EXPECT_EQ(program.Lines("Quorvel.ini").at(2), "LOCAL=" + Utf8ToWindows1252(beside).Bytes());
}

TEST_F(ConnectionSettingsTest, AStoredCredentialThatDoesNotUnscrambleIsAnError) {
    const std::string ini = program.Write("Quorvel.ini", "[IBCONFIG]\nIP=a\nLOCAL=b\nUSUARIO=A1B2\n");
    EXPECT_THROW(CompleteConnectionSettings(ini), std::invalid_argument);
}

TEST(ConnectionLoginTest, ReplacesTheFirstTwoLinesAndAddsACharacterSetOnlyWhenNoneIsNamed) {
    struct Case {
        const char* name;
        Lines before;
        bool useConfig;
        Lines after;
    };
    const Case cases[] = {
        {"stock",
         {"user_name=", "password=", "lc_ctype=WIN1252"},
         false,
         {"user_name=SYSDBA", "password=portaluce", "lc_ctype=WIN1252"}},
        {"stored",
         {"user_name=", "password=", "lc_ctype=WIN1252"},
         true,
         {"user_name=ADM", "password=segredo", "lc_ctype=WIN1252"}},
        {"no character set",
         {"a=1", "b=2", "c=3"},
         true,
         {"user_name=ADM", "password=segredo", "c=3", "lc_ctype=win1252"}},
        {"character set in capitals",
         {"a=1", "b=2", "LC_CTYPE=UTF8"},
         false,
         {"user_name=SYSDBA", "password=portaluce", "LC_CTYPE=UTF8", "lc_ctype=win1252"}},
        {"empty list", {}, false, {"user_name=SYSDBA", "password=portaluce", "lc_ctype=win1252"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Database database;
        database.Params = c.before;
        PrepareLogin(database, "127.0.0.1:/dados/a.fdb", c.useConfig, "ADM", "segredo");
        EnsureCharacterSetLine(database.Params);
        EXPECT_EQ(database.DatabaseName, "127.0.0.1:/dados/a.fdb");
        EXPECT_EQ(database.Params, c.after);
    }
}

TEST(ConnectionLoginTest, AParameterLineOfAnotherNameIsRefused) {
    Database database;
    database.DatabaseName = "/nonexistent/DBEMPRESA.FDB";
    database.Params = {"user_name=SYSDBA", "sql_role_name=ADM"};
    try {
        database.Open();
        FAIL() << "opened";
    } catch (const DatabaseError& error) {
        EXPECT_NE(std::string(error.what()).find("sql_role_name"), std::string::npos) << error.what();
    }
}

}  // namespace
