#include "IniFile.h"
#include "ServiceSettings.h"
#include "TerminalList.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

std::string FileContent(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

class ServiceSettingsTest : public ::testing::Test {
protected:
    void PutVendor(const std::string& content) { std::ofstream(vendor.Path(), std::ios::binary) << content; }
    std::string VendorContent() const { return FileContent(vendor.Path()); }
    ServiceSettings Load() const { return LoadServiceSettings(vendor, own); }
    void Save(const ServiceSettings& settings) { SaveServiceSettings(settings, vendor, own); }

    // What adding a terminal does: the new entry, save, reload.
    ServiceSettings AddTerminal(ServiceSettings settings, const std::string& address) {
        settings.terminals.push_back(NewTerminalEntry(address));
        OrderTerminalEntries(settings.terminals);
        Save(settings);
        return Load();
    }

    TemporaryFolder folder{"settings"};
    IniFile vendor{folder.PathOf("BemaSB32.ini")};
    IniFile own{folder.PathOf("Quorvel.ini")};
};

TEST_F(ServiceSettingsTest, FirstStartWithoutFilesGivesTheDefaults) {
    const ServiceSettings s = Load();
    EXPECT_EQ(s.protocol, 0);
    EXPECT_EQ(s.port, 9200);
    EXPECT_TRUE(s.terminals.empty());
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        SCOPED_TRACE(letter);
        const bool command = std::string_view("BCQRSTUV").find(letter) != std::string_view::npos;
        EXPECT_EQ(s.letters[letter - 'A'], command ? std::string(1, letter) : "");
    }
    EXPECT_EQ(s.specialCodes, (std::array<std::string, 8>{"27", "", "", "", "", "", "", ""}));
    EXPECT_EQ(s.specialActions, (std::array<int, 8>{7, -1, -1, -1, -1, -1, -1, -1}));
    EXPECT_FALSE(fs::exists(vendor.Path()));
    EXPECT_FALSE(fs::exists(own.Path()));
}

TEST_F(ServiceSettingsTest, SavedValuesComeBackWithMappingsTrimmed) {
    ServiceSettings s = Load();
    s.protocol = -1;
    s.port = 9300;
    s.terminals = {"0=10.0.0.1", "1=10.0.0.2"};
    s.letters[0] = "  2526#13  ";
    s.letters['C' - 'A'] = "";
    s.specialCodes[1] = "$C8";
    s.specialActions[1] = 0;
    s.specialActions[0] = -1;
    Save(s);

    EXPECT_EQ(VendorContent(),
              "[FIT]\r\nPROTOCOLO=-1\r\n\r\n[Terminais]\r\nPorta=9300\r\n0=10.0.0.1\r\n1=10.0.0.2\r\n");
    EXPECT_NE(FileContent(own.Path()).find("\r\nA=  2526#13  \r\n"), std::string::npos);

    const ServiceSettings back = Load();
    EXPECT_EQ(back.protocol, -1);
    EXPECT_EQ(back.port, 9300);
    EXPECT_EQ(back.terminals, s.terminals);
    EXPECT_EQ(back.letters[0], "2526#13");
    EXPECT_EQ(back.letters['C' - 'A'], "");  // present but empty: not the default
    EXPECT_EQ(back.specialCodes[1], "$C8");
    EXPECT_EQ(back.specialActions[0], -1);
    EXPECT_EQ(back.specialActions[1], 0);
}

TEST_F(ServiceSettingsTest, AddingAndRemovingRenumberTheKeys) {
    PutVendor("[Terminais]\r\nPorta=9200\r\n0=10.0.0.1\r\n1=10.0.0.2\r\n");
    ServiceSettings s = AddTerminal(Load(), "10.0.0.3");
    EXPECT_EQ(s.terminals, (Lines{"0=10.0.0.1", "1=10.0.0.2", "2=10.0.0.3"}));

    s.terminals.erase(s.terminals.begin());
    Save(s);
    EXPECT_EQ(Load().terminals, (Lines{"0=10.0.0.2", "1=10.0.0.3"}));
    EXPECT_EQ(vendor.ReadString("Terminais", "2", "gone"), "gone");
}

TEST_F(ServiceSettingsTest, ListPositionEqualsTheKeyForElevenAndMoreTerminals) {
    ServiceSettings s = Load();
    for (int i = 0; i < 12; ++i)
        s = AddTerminal(s, "10.0.0." + std::to_string(i));
    ASSERT_EQ(s.terminals.size(), 12u);
    for (size_t position = 0; position < s.terminals.size(); ++position) {
        SCOPED_TRACE(position);
        EXPECT_EQ(s.terminals[position], std::to_string(position) + "=10.0.0." + std::to_string(position));
        EXPECT_EQ(vendor.ReadString("Terminais", std::to_string(position), ""), TerminalAddress(s.terminals[position]));
    }
}

TEST_F(ServiceSettingsTest, ShrinkingALongListLeavesNoStaleKeys) {
    ServiceSettings s = Load();
    for (int i = 0; i < 60; ++i)
        s.terminals.push_back(std::to_string(i) + "=10.0.1." + std::to_string(i));
    Save(s);
    s = Load();
    ASSERT_EQ(s.terminals.size(), 60u);
    EXPECT_EQ(s.terminals[59], "59=10.0.1.59");

    s.terminals.resize(3);
    Save(s);
    EXPECT_EQ(vendor.ReadSectionValues("Terminais"), (Lines{"Porta=9200", "0=10.0.1.0", "1=10.0.1.1", "2=10.0.1.2"}));
}

TEST_F(ServiceSettingsTest, AHandWrittenSectionKeepsItsTerminalsAndOtherKeys) {
    PutVendor(
        "; written by hand\r\n"
        "[TERMINAIS]\r\n"
        "0 = 10.0.0.1\r\n"
        "Porta=9250\r\n"
        "10=10.0.0.11\r\n"
        "2=10.0.0.3\r\n"
        "Modelo=FIT\r\n");
    ServiceSettings s = Load();
    EXPECT_EQ(s.port, 9250);
    EXPECT_EQ(s.terminals, (Lines{"0=10.0.0.1", "2=10.0.0.3", "10=10.0.0.11"}));

    Save(s);
    EXPECT_EQ(VendorContent(),
              "; written by hand\r\n"
              "[TERMINAIS]\r\n"
              "Porta=9250\r\n"
              "Modelo=FIT\r\n"
              "0=10.0.0.1\r\n"
              "1=10.0.0.3\r\n"
              "2=10.0.0.11\r\n"
              "\r\n"
              "[FIT]\r\n"
              "PROTOCOLO=0\r\n");
    EXPECT_EQ(Load().terminals, (Lines{"0=10.0.0.1", "1=10.0.0.3", "2=10.0.0.11"}));
}

TEST_F(ServiceSettingsTest, QuotedValuesAndTwinKeysWrittenByHand) {
    PutVendor(
        "[Terminais]\r\n"
        "Porta=\"9300\"\r\n"
        "0=\"192.168.0.10\"\r\n"
        "1='192.168.0.11'\r\n"
        "0=192.168.0.20\r\n"
        "00=192.168.0.30\r\n");
    std::ofstream(own.Path(), std::ios::binary) << "[TECLAS]\r\nA=\"2526#13\"\r\nA=99\r\n";
    ServiceSettings s = Load();
    EXPECT_EQ(s.port, 9300);
    EXPECT_EQ(s.terminals, (Lines{"0=192.168.0.10", "1=192.168.0.11"}));
    EXPECT_EQ(s.letters[0], "2526#13");

    // Saving leaves one line per terminal, the twins gone.
    Save(s);
    EXPECT_EQ(vendor.ReadSectionValues("Terminais"), (Lines{"Porta=9300", "0=192.168.0.10", "1=192.168.0.11"}));
    EXPECT_EQ(Load().terminals, s.terminals);
}

TEST(UnaddressableKeys, KeysOutsideTheLibrarysNumbersAndTwinsOfAnEarlierKey) {
    const struct {
        Lines section;
        Lines faults;  // key, or key "<" the earlier key it shares a terminal with
    } cases[] = {
        {{"Porta=9200", "0=a", "1=b", "255=c", "007=d", "X=e"}, {}},
        {{"0=a", "256=b", "0256=c", "0007=d", "99999999999999999999=e"},
         {"256", "0256", "0007", "99999999999999999999"}},
        {{"7=a", "00=b", "0=c", "07=d"}, {"0<00", "07<7"}},
    };
    for (const auto& c : cases) {
        Lines faults;
        for (const auto& fault : UnaddressableKeys(c.section))
            faults.push_back(fault.key + (fault.earlierKey.empty() ? "" : "<" + fault.earlierKey));
        EXPECT_EQ(faults, c.faults);
    }
}

TEST_F(ServiceSettingsTest, AnUnwritableFileStopsTheSaveWithItsPath) {
    IniFile unwritable((folder.Path() / "no-such-folder" / "BemaSB32.ini").string());
    try {
        SaveServiceSettings(Load(), unwritable, own);
        FAIL() << "no error raised";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + unwritable.Path());
    }
    EXPECT_FALSE(fs::exists(own.Path()));
}

}  // namespace
