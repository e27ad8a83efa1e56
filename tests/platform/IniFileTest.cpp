#include "IniFile.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void Put(const std::string& content) { std::ofstream(path, std::ios::binary) << content; }
    std::string Content() const {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    TemporaryFolder dir{"inifile"};
    std::string path = dir.PathOf("settings.ini");
};

TEST_F(IniFileTest, MissingFileGivesDefaultsAndIsNotCreatedByReading) {
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("FIT", "PROTOCOLO", "x"), "x");
    EXPECT_EQ(ini.ReadInteger("Terminais", "Porta", 9200), 9200);
    EXPECT_TRUE(ini.ReadSectionValues("Terminais").empty());
    ini.DeleteKey("Terminais", "0");
    EXPECT_FALSE(fs::exists(path));
}

TEST_F(IniFileTest, ReadsWithoutRegardToCaseAndDropsBlanksAroundValues) {
    Put("; a comment\r\n[Teclas]\r\n  a  =  25 26 \t\r\nEmpty=\r\n[FIT]\r\nprotocolo=1\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadString("TECLAS", "A", "d"), "25 26");
    EXPECT_EQ(ini.ReadString("teclas", "EMPTY", "d"), "");
    EXPECT_EQ(ini.ReadString("teclas", "missing", "d"), "d");
    EXPECT_EQ(ini.ReadString("other", "A", "d"), "d");
    EXPECT_EQ(ini.ReadInteger("fit", "PROTOCOLO", 0), 1);
}

TEST_F(IniFileTest, IntegersFallBackToTheDefault) {
    Put("[S]\nempty=\nword=abc\ntrailing=12x\nneg=-1\nhex=$1F\nzerox=0x10\nhuge=99999999999\n");
    struct Case {
        const char* key;
        int expected;
    };
    const Case cases[] = {
        {"empty", 7}, {"word", 7}, {"trailing", 7}, {"neg", -1}, {"hex", 31}, {"zerox", 16}, {"huge", 7}, {"absent", 7},
    };
    IniFile ini(path);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.key);
        EXPECT_EQ(ini.ReadInteger("S", c.key, 7), c.expected);
    }
}

TEST_F(IniFileTest, LongValuesAreCutAt2047Characters) {
    IniFile ini(path);
    ini.WriteString("S", "K", std::string(3000, 'a'));
    EXPECT_EQ(ini.ReadString("S", "K", ""), std::string(2047, 'a'));
    EXPECT_EQ(ini.ReadSectionValues("S").front(), "K=" + std::string(2047, 'a'));
}

TEST_F(IniFileTest, WritingKeepsEveryOtherLineAsItStood) {
    Put("; kept comment\r\n"
        "[Terminais]\r\n"
        "Porta = 9200\r\n"
        "0=10.0.0.1\r\n"
        "\r\n"
        "[FIT]\r\n"
        "PROTOCOLO=0\r\n");
    IniFile ini(path);
    ini.WriteInteger("terminais", "PORTA", 9300);   // rewritten in place, key spelling kept
    ini.WriteString("Terminais", "1", "10.0.0.2");  // new key at the end of its section
    ini.WriteString("TECLAS", "A", " 2526#13 ");    // new section at the end, value as given
    EXPECT_EQ(Content(),
              "; kept comment\r\n"
              "[Terminais]\r\n"
              "Porta=9300\r\n"
              "0=10.0.0.1\r\n"
              "1=10.0.0.2\r\n"
              "\r\n"
              "[FIT]\r\n"
              "PROTOCOLO=0\r\n"
              "\r\n"
              "[TECLAS]\r\n"
              "A= 2526#13 \r\n");
}

TEST_F(IniFileTest, AValueWithLineBreaksCannotAddLinesToTheFile) {
    IniFile ini(path);
    ini.WriteString("Terminais", "0", "10.0.0.5\n[FIT]\nPROTOCOLO=1");  // pasted into a box
    ini.WriteString("Terminais", "1", "10.0.0.6\r\nPorta=1");
    ini.WriteString("Terminais", "0", "10.0.0.7\r2=10.0.0.8");
    EXPECT_EQ(Content(), "[Terminais]\r\n0=10.0.0.7\r\n1=10.0.0.6\r\n");
}

TEST_F(IniFileTest, FirstWriteCreatesTheFileAndAFileWithBareLineFeedsKeepsThem) {
    IniFile created(path);
    created.WriteInteger("FIT", "PROTOCOLO", -1);
    EXPECT_EQ(Content(), "[FIT]\r\nPROTOCOLO=-1\r\n");
    EXPECT_EQ(created.ReadInteger("FIT", "PROTOCOLO", 0), -1);

    Put("[S]\nA=1\n");
    IniFile unix(path);
    unix.WriteString("S", "B", "2");
    EXPECT_EQ(Content(), "[S]\nA=1\nB=2\n");
}

TEST_F(IniFileTest, SectionValuesComeInFileOrderAndTheFirstOfTwinKeysCounts) {
    Put("[Terminais]\r\n1=10.0.0.2\r\n; comment\r\nPorta=9200\r\n0 = 10.0.0.1\r\n1=10.0.0.9\r\n"
        "[Other]\r\n2=x\r\n[terminais]\r\n3=10.0.0.3\r\n");
    IniFile ini(path);
    EXPECT_EQ(ini.ReadSectionValues("TERMINAIS"), (std::vector<std::string>{"1=10.0.0.2", "Porta=9200", "0=10.0.0.1"}));
    EXPECT_EQ(ini.ReadString("Terminais", "1", ""), "10.0.0.2");
    EXPECT_EQ(ini.ReadString("Terminais", "3", "none"), "none");

    // Deleting a key takes every line of it: the twin does not come back.
    ini.DeleteKey("Terminais", "1");
    ini.DeleteKey("Terminais", "2");  // lives in another section
    EXPECT_EQ(ini.ReadString("Terminais", "1", "gone"), "gone");
    EXPECT_EQ(Content(),
              "[Terminais]\r\n; comment\r\nPorta=9200\r\n0 = 10.0.0.1\r\n"
              "[Other]\r\n2=x\r\n[terminais]\r\n3=10.0.0.3\r\n");
}

TEST_F(IniFileTest, OnePairOfMatchingQuotesAroundAValueIsDropped) {
    struct QuoteCase {
        const char* line;
        const char* value;
    };
    const QuoteCase cases[] = {
        {"0=\"192.168.0.10\"", "192.168.0.10"},
        {"0='192.168.0.10'", "192.168.0.10"},
        {"0 =  \"2526#13\"  ", "2526#13"},
        {"0=\" 25 \"", " 25 "},
        {"0=\"\"", ""},
        {"0=''", ""},
        {"0=\"'25'\"", "'25'"},
        {"0=\"\"25\"\"", "\"25\""},
        {"0=\"25'", "\"25'"},
        {"0=\"25", "\"25"},
        {"0=\"", "\""},
        {"0=a\"25\"", "a\"25\""},
        {"0=\"2\"5\"", "2\"5"},
    };
    IniFile ini(path);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        Put(std::string("[S]\r\n") + c.line + "\r\n");
        EXPECT_EQ(ini.ReadString("S", "0", "default"), c.value);
        EXPECT_EQ(ini.ReadSectionValues("S"), std::vector<std::string>{std::string("0=") + c.value});
    }
    Put("[S]\r\nPorta=\"9300\"\r\nLong=\"" + std::string(3000, 'a') + "\"\r\n");
    EXPECT_EQ(ini.ReadInteger("S", "Porta", 9200), 9300);
    EXPECT_EQ(ini.ReadString("S", "Long", ""), std::string(2047, 'a'));
}

// The process's umask for one scope.
class ScopedUmask {
public:
    explicit ScopedUmask(mode_t mask) : previous_(::umask(mask)) {}
    ~ScopedUmask() { ::umask(previous_); }

private:
    mode_t previous_;
};

fs::perms ModeOf(const std::string& file) { return fs::status(file).permissions(); }

TEST_F(IniFileTest, APrivateFileIsMadeForItsOwnerWhateverTheUmaskAndAnExistingOneKeepsItsMode) {
    using Mode = IniFile::NewFileMode;
    struct Case {
        const char* name;
        Mode mode;
        mode_t umask;
        bool throughLink;  // the path is a link to a file not yet made
        fs::perms made;
    };
    const Case cases[] = {
        {"private, umask 022", Mode::Private, 022, false, fs::perms(0600)},
        {"private, umask 000", Mode::Private, 0, false, fs::perms(0600)},
        {"private, through a link", Mode::Private, 022, true, fs::perms(0600)},
        {"shared, umask 022", Mode::Shared, 022, false, fs::perms(0644)},
        {"shared, umask 027", Mode::Shared, 027, false, fs::perms(0640)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ScopedUmask mask(c.umask);
        const std::string target = dir.PathOf(std::string(c.name) + ".ini");
        const std::string written = c.throughLink ? dir.PathOf(std::string(c.name) + " link") : target;
        if (c.throughLink)
            fs::create_symlink(target, written);
        IniFile ini(written, c.mode);
        ini.WriteString("IBCONFIG", "USUARIO", "A1B2");
        EXPECT_EQ(ModeOf(target), c.made);
        fs::permissions(target, fs::perms(0644));
        ini.WriteString("IBCONFIG", "SENHA", "C3D4");
        ini.DeleteKey("IBCONFIG", "SENHA");
        EXPECT_EQ(ModeOf(target), fs::perms(0644));
        EXPECT_EQ(ini.ReadString("IBCONFIG", "USUARIO", ""), "A1B2");
    }
}

TEST_F(IniFileTest, AFileThatCannotBeWrittenRaisesUnableToWrite) {
    const std::string unwritable = dir.PathOf("missing-folder/x.ini");
    IniFile ini(unwritable);
    try {
        ini.WriteString("S", "K", "V");
        FAIL() << "no error raised";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + unwritable);
    }
}

}  // namespace
