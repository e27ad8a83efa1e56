// The demonstration database script: it makes a working shop and replaces
// nothing but an earlier demonstration.
#include "DataModulo.h"
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

class DemoDatabaseTest : public ::testing::Test {
protected:
    int MakeDemo(const fs::path& target) {
        const std::string command = "'" QUORVEL_MAKE_DEMO "' '" + target.string() + "' >/dev/null 2>&1";
        return WEXITSTATUS(std::system(command.c_str()));
    }

    TemporaryFolder demo{"quorvel-demo"};
    const fs::path folder = demo.Path();
};

TEST_F(DemoDatabaseTest, DemoShopServesTabs) {
    const fs::path target = folder / "DBEMPRESA.FDB";
    ASSERT_EQ(MakeDemo(target), 0);
    ASSERT_EQ(MakeDemo(target), 0);  // an earlier demonstration is replaced

    TDM dm(target.string(), "SYSDBA", "");
    EXPECT_EQ(dm.QCFG.FieldByName("CFG_PDV_BALANCA").AsText(), Windows1252Text("D#2PPPPPQQQQQQX"));
    EXPECT_TRUE(dm.IsComandaBlocked(13));
    EXPECT_EQ(dm.FindProductByBarcode("7891000100103"), 1);
    EXPECT_EQ(dm.PRO.FieldByName("PRO_NOME").AsText(), Windows1252Text("CAF\xC9 EXPRESSO"));
    dm.OpenComanda(10);
    EXPECT_EQ(dm.COM.FieldByName("COM_TOTAL").AsText(), Windows1252Text("33.90"));
    EXPECT_EQ(dm.CIN.FieldByName("CIN_CODIGO").AsInteger(), 2);  // the last of its two items
    dm.CreateComanda(11);
    EXPECT_EQ(dm.COM.FieldByName("COM_CODIGO").AsInteger(), 2);
    EXPECT_EQ(dm.COM.FieldByName("COM_TAXASERVICO").AsText(), Windows1252Text("10.00"));
}

TEST_F(DemoDatabaseTest, OtherFilesAreLeftAlone) {
    const StoreTestDatabase shop;
    const fs::path copy = folder / "SHOP.FDB";
    fs::copy_file(shop.ConnectionString(), copy);
    const fs::path text = folder / "NOTES.FDB";
    std::ofstream(text) << "not a database";

    EXPECT_EQ(MakeDemo(copy), 1);
    EXPECT_EQ(MakeDemo(text), 1);
    EXPECT_EQ(fs::file_size(copy), fs::file_size(shop.ConnectionString()));
    EXPECT_EQ(fs::file_size(text), 14u);
}
