// The terminal command language against a real shop database: each case
// starts from a fresh database with the few rows it needs, runs its command
// lines and checks the reply of the last one. Texts are Windows-1252.
#include "CommandReply.h"
#include "DataModulo.h"
#include "Database.h"
#include "DatabaseError.h"
#include "Statement.h"
#include "StoreTestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

namespace {

std::string Product(int code, const std::string& barcode, const std::string& name, const std::string& price) {
    return "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) VALUES (" +
           std::to_string(code) + ", '" + barcode + "', '" + name + "', 0, " + price + ")";
}

std::string Client(int code, const std::string& name, int inactive) {
    return "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA) VALUES (" + std::to_string(code) +
           ", '" + name + "', " + std::to_string(inactive) + ", 0)";
}

// A client whose tabs may not pass the given consumption credit.
std::string CreditClient(int code, const std::string& name, const std::string& credit) {
    return "INSERT INTO CONTATOS (CON_CODIGO, CON_NOME, CON_ATIVO, CON_TABELA, CON_CREDITOTIPO, "
           "CON_CREDITOCONSUMO) VALUES (" +
           std::to_string(code) + ", '" + name + "', 0, 0, 2, " + credit + ")";
}

std::string Employee(int code, const std::string& name, int badge, int inactive) {
    return "INSERT INTO FUNCIONARIOS (FUN_CODIGO, FUN_NOME, FUN_ATIVO, FUN_COMANDA) VALUES (" + std::to_string(code) +
           ", '" + name + "', " + std::to_string(inactive) + ", " + std::to_string(badge) + ")";
}

std::string Blocked(int number) {
    return "INSERT INTO COMANDASBLOQUEADAS (CBL_CODIGO, CBL_NUMERO) VALUES (" + std::to_string(number) + ", " +
           std::to_string(number) + ")";
}

std::string Settings(const std::string& assignments) { return "UPDATE CONFIGURA SET " + assignments; }

// Steps written "!" + SQL run between the commands, through a connection of
// their own, as the shop system's programs would.
const std::string kBlockTab1 = "!" + Blocked(1);
const std::string kCancelTab1 = "!DELETE FROM COMANDAS WHERE COM_NUMERO = 1";

// A fresh shop: the basic client, employee and settings row plus product 1,
// bar code 789, CAFÉ at R$ 4,50.
class Shop {
public:
    explicit Shop(const std::vector<std::string>& rows = {}) {
        store.SeedBasicShop();
        store.Execute(Product(1, "789", "CAF\xC9", "4.50"));
        for (const auto& row : rows)
            store.Execute(row);
    }

    // The data module starts at the first command, after the case's rows, as
    // it reads the settings row once.
    TDM& DataModule() {
        if (!dataModule)
            dataModule = std::make_unique<TDM>(store.ConnectionString(), store.User(), store.Password());
        return *dataModule;
    }

    // Runs the lines and returns the last command's reply.
    std::string Run(const std::vector<std::string>& lines) {
        std::string reply;
        for (const auto& line : lines) {
            if (line.starts_with("!"))
                store.Execute(line.substr(1));
            else
                reply = RunCommand(DataModule(), line);
        }
        return reply;
    }

    StoreTestDatabase store;

private:
    std::unique_ptr<TDM> dataModule;
};

struct ReplyCase {
    const char* name;
    std::vector<std::string> rows;   // before the data module starts
    std::vector<std::string> lines;  // command lines and "!" + SQL steps
    std::string reply;               // the last command's reply
};

void ExpectReplies(const std::vector<ReplyCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Shop shop(c.rows);
        EXPECT_EQ(shop.Run(c.lines), c.reply);
    }
}

const std::string kNotSelected = "100-A COMANDA N\xC3O FOI SELECIONADA!";
const std::string kBlocked = "101-A COMANDA EST\xC1 BLOQUEADA!";
const std::string kCancelled = "102-A COMANDA FOI CANCELADA, ABRA OUTRA!";
const std::string kBadNumber = "103-N\xDAMERO DE COMANDA INV\xC1LIDO!";
const std::string kBadTable = "301-INFORME UM N\xDAMERO ENTRE 0 E 5 PARA SELECIONAR A TABELA!";
const std::string kBadQuantity = "202-A QUANTIDADE DEVE SER MAIOR QUE ZERO!";

}  // namespace

TEST(Interpreter, OpensCreatesAndRefusesTabs) {
    ExpectReplies({
        {"new tab", {}, {"C12"}, "000-A COMANDA 12 FOI CRIADA!"},
        {"existing tab", {}, {"C12", "C12"}, "000-A COMANDA 12 FOI ABERTA!"},
        {"lower case, number in decimal", {}, {"c007"}, "000-A COMANDA 7 FOI CRIADA!"},
        {"zero", {}, {"C0"}, kBadNumber},
        {"negative", {}, {"C-3"}, kBadNumber},
        {"letters", {}, {"Cxy"}, kBadNumber},
        {"no number", {}, {"C"}, kBadNumber},
        {"blocked number", {Blocked(12)}, {"C12"}, "101-A COMANDA 12 EST\xC1 BLOQUEADA!"},
    });
}

TEST(Interpreter, ChangesPriceTableOfAUsableTab) {
    ExpectReplies({
        {"above 5", {}, {"C1", "T6"}, kBadTable},
        {"negative", {}, {"C1", "T-1"}, kBadTable},
        {"unreadable", {}, {"C1", "Tx"}, kBadTable},
        {"table checked before the tab", {}, {"T6"}, kBadTable},
        {"no tab", {}, {"T5"}, kNotSelected},
        {"stored", {}, {"C1", "T5"}, "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 5!"},
        {"argument as typed", {}, {"C1", "T02"}, "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 02!"},
        {"tab blocked after opening", {}, {"C1", kBlockTab1, "T2"}, kBlocked},
        {"tab cancelled after opening", {}, {"C1", kCancelTab1, "T2"}, kCancelled},
    });
}

TEST(Interpreter, SelectsClientAndEmployee) {
    const std::string joao = Client(2, "JO\xC3O", 0);
    const std::string maria = Employee(7, "MARIA", 7, 0);
    ExpectReplies({
        {"client 0",
         {},
         {"C1", "B0"},
         "300-INFORME O C\xD3"
         "DIGO DO CLIENTE!"},
        {"client empty reaches lookup", {}, {"C1", "B"}, "400-CLIENTE N\xC3O ENCONTRADO!"},
        {"unknown client", {}, {"C1", "B153"}, "400-CLIENTE N\xC3O ENCONTRADO!"},
        {"inactive client", {Client(2, "JOS\xC9", 1)}, {"C1", "B2"}, "401-O CLIENTE EST\xC1 INATIVO!"},
        {"client without tab", {joao}, {"B2"}, kNotSelected},
        {"client looked up before the tab", {}, {"B153"}, "400-CLIENTE N\xC3O ENCONTRADO!"},
        {"inactive client before the tab", {Client(2, "JOS\xC9", 1)}, {"B2"}, "401-O CLIENTE EST\xC1 INATIVO!"},
        {"client stored", {joao}, {"C1", "B2"}, "000-CLIENTE SELECIONADO: JO\xC3O!"},
        {"employee 0",
         {},
         {"C1", "U0"},
         "300-INFORME O C\xD3"
         "DIGO DO FUNCION\xC1RIO!"},
        {"employee empty reaches lookup", {}, {"C1", "U"}, "500-FUNCION\xC1RIO N\xC3O ENCONTRADO!"},
        {"unknown badge", {}, {"C1", "U7"}, "500-FUNCION\xC1RIO N\xC3O ENCONTRADO!"},
        {"inactive employee", {Employee(7, "PEDRO", 7, 1)}, {"C1", "U7"}, "501-O FUNCION\xC1RIO EST\xC1 INATIVO!"},
        {"employee without tab", {maria}, {"U7"}, kNotSelected},
        {"badge looked up before the tab", {}, {"U7"}, "500-FUNCION\xC1RIO N\xC3O ENCONTRADO!"},
        {"employee stored", {maria}, {"C1", "U7"}, "000-FUNCION\xC1RIO SELECIONADO: MARIA!"},
        {"employee on blocked tab", {maria}, {"C1", kBlockTab1, "U7"}, kBlocked},
    });
}

TEST(Interpreter, ShowsTotalAndChangesLastQuantity) {
    ExpectReplies({
        {"total without tab", {}, {"V"}, kNotSelected},
        {"total of items", {}, {"C1", "789", "789", "V"}, "000-TOTAL DA COMANDA: R$ 9,00"},
        {"total, text after V ignored", {}, {"C1", "Vxyz"}, "000-TOTAL DA COMANDA: R$ 0,00"},
        {"total of blocked tab", {}, {"C1", kBlockTab1, "V"}, kBlocked},
        {"quantity zero", {}, {"C1", "789", "Q0"}, kBadQuantity},
        {"quantity negative", {}, {"C1", "789", "Q-1"}, kBadQuantity},
        {"quantity unreadable", {}, {"C1", "789", "Qx"}, kBadQuantity},
        {"quantity checked before the item", {}, {"Q0"}, kBadQuantity},
        {"quantity below the item's last decimal", {}, {"C1", "789", "Q0,0004"}, kBadQuantity},
        {"quantity at the item's last decimal",
         {},
         {"C1", "789", "Q0,001"},
         "000-QUANTIDADE DO PRODUTO ALTERADA PARA 0,001"},
        {"no tab: 203 before any status", {}, {"Q2"}, "203-NENHUM PRODUTO ENCONTRADO/SELECIONADO!"},
        {"tab without items", {}, {"C1", "Q2"}, "203-NENHUM PRODUTO ENCONTRADO/SELECIONADO!"},
        {"decimal comma", {}, {"C1", "789", "Q0,5"}, "000-QUANTIDADE DO PRODUTO ALTERADA PARA 0,5"},
        {"full stop as comma", {}, {"C1", "789", "Q1.250"}, "000-QUANTIDADE DO PRODUTO ALTERADA PARA 1,25"},
        {"whole number", {}, {"C1", "789", "Q2", "V"}, "000-TOTAL DA COMANDA: R$ 9,00"},
        {"quantity on blocked tab", {}, {"C1", "789", kBlockTab1, "Q2"}, kBlocked},
    });
}

TEST(Interpreter, TotalIsRecomputedEvenForABlockedTab) {
    Shop shop;
    shop.Run({"C1", "789", "!UPDATE COMANDASITENS SET CIN_QTDE = 3", kBlockTab1});
    EXPECT_EQ(shop.Run({"V"}), kBlocked);
    EXPECT_EQ(shop.store.Value("SELECT COM_TOTAL FROM COMANDAS WHERE COM_NUMERO = 1").AsText(),
              Windows1252Text("13.50"));
}

TEST(Interpreter, QueriesPrices) {
    ExpectReplies({
        {"price", {}, {"R789"}, "000-PRE\xC7O: R$ 4,50"},
        {"price of the loaded tab's table",
         {"UPDATE PRODUTOS SET PRO_VALOR2 = 1234.5"},
         {"C1", "T2", "R789"},
         "000-PRE\xC7O: R$ 1.234,50"},
        {"bar code beyond 32 bits",
         {"UPDATE PRODUTOS SET PRO_CODBARRAS = '7891000100103'"},
         {"R7891000100103"},
         "000-PRE\xC7O: R$ 4,50"},
        {"no code",
         {},
         {"R"},
         "300-INFORME O C\xD3"
         "DIGO DO PRODUTO!"},
        {"zero code",
         {},
         {"R0000000000000"},
         "300-INFORME O C\xD3"
         "DIGO DO PRODUTO!"},
        {"negative code",
         {},
         {"R-5"},
         "300-INFORME O C\xD3"
         "DIGO DO PRODUTO!"},
        {"unknown code", {}, {"R555"}, "200-PRODUTO 555 N\xC3O ENCONTRADO!"},
    });
}

TEST(Interpreter, GrantsCommissionOnTheLastItem) {
    const std::string maria = Employee(7, "MARIA", 7, 0);
    const std::string byAmount = "UPDATE PRODUTOS SET PRO_COMISSAOVAL = 0.50, PRO_COMISSAOPOR = 0";
    const std::string granted = "000-COMISS\xC3O CONCEDIDA AO FUNCION\xC1RIO MARIA!";
    ExpectReplies({
        {"badge 0", {maria}, {"C1", "789", "S0"}, "604-INFORME O No. DA COMANDA DO FUNCION\xC1RIO!"},
        {"badge checked before the item", {}, {"S0"}, "604-INFORME O No. DA COMANDA DO FUNCION\xC1RIO!"},
        {"no item before employee lookup", {}, {"C1", "S7"}, "602-NENHUM PRODUTO ENCONTRADO/SELECIONADO!"},
        {"no tab", {maria}, {"S7"}, "602-NENHUM PRODUTO ENCONTRADO/SELECIONADO!"},
        {"unknown badge", {byAmount}, {"C1", "789", "S7"}, "600-FUNCION\xC1RIO N\xC3O ENCONTRADO!"},
        {"product without commission",
         {maria},
         {"C1", "789", "S7"},
         "601-O PRODUTO SELECIONADO N\xC3O \xC9 COMISSIONADO!"},
        {"granted", {maria, byAmount}, {"C1", "789", "S7"}, granted},
        {"inactive employee still granted", {Employee(7, "MARIA", 7, 1), byAmount}, {"C1", "789", "S7"}, granted},
        {"second time on the same item",
         {maria, byAmount},
         {"C1", "789", "S7", "S1"},
         "603-A COMISS\xC3O DO PRODUTO J\xC1 FOI LAN\xC7"
         "ADA!"},
    });
}

TEST(Interpreter, AddsProductsToTheLoadedTab) {
    ExpectReplies({
        {"added", {}, {"C1", "789"}, "000-PRODUTO CAF\xC9 ADICIONADO!"},
        {"no tab", {}, {"789"}, "100-NENHUMA COMANDA ABERTA!"},
        {"blocked tab", {}, {"C1", kBlockTab1, "789"}, "101-A COMANDA BLOQUEADA!"},
        {"cancelled tab", {}, {"C1", kCancelTab1, "789"}, kCancelled},
        {"inactive product", {"UPDATE PRODUTOS SET PRO_ATIVO = 1"}, {"C1", "789"}, "201-O PRODUTO EST\xC1 INATIVO!"},
        {"inactive product before blocked tab",
         {"UPDATE PRODUTOS SET PRO_ATIVO = 1"},
         {"C1", kBlockTab1, "789"},
         "201-O PRODUTO EST\xC1 INATIVO!"},
        {"unknown, empty template decodes to 0", {}, {"C1", "555"}, "200-PRODUTO 0 N\xC3O ENCONTRADO!"},
        {"unknown, code shown as cut when the value fails",
         {Settings("CFG_PDV_BALANCA = '2PPPPPQQQQQQX'")},
         {"C1", "5551"},
         "200-PRODUTO 551 N\xC3O ENCONTRADO!"},
    });
}

TEST(Interpreter, KeepsTabsWithinMaximumTotalAndClientCredit) {
    const std::string maximum105 = Settings("CFG_PDV_VALORMAXCOMANDA = 105");
    const std::string ten = Product(3, "10", "DEZ", "10.00");
    const std::string creditClient = CreditClient(2, "ANA", "50.00");
    ExpectReplies({
        {"reaches the maximum",
         {maximum105, Product(2, "95", "A", "95.00"), ten},
         {"C1", "95", "10"},
         "000-PRODUTO DEZ ADICIONADO!"},
        {"within the cent of tolerance",
         {maximum105, Product(2, "95", "A", "95.01"), ten},
         {"C1", "95", "10"},
         "000-PRODUTO DEZ ADICIONADO!"},
        {"exceeds the maximum",
         {maximum105, Product(2, "95", "A", "95.02"), ten},
         {"C1", "95", "10"},
         "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!"},
        {"maximum checked before the tab",
         {maximum105, Product(2, "200", "B", "200")},
         {"200"},
         "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!"},
        {"uses the whole credit",
         {creditClient, Product(2, "40", "A", "40.00"), ten},
         {"C1", "B2", "40", "10"},
         "000-PRODUTO DEZ ADICIONADO!"},
        {"exceeds the credit",
         {creditClient, Product(2, "40", "A", "40.01"), ten},
         {"C1", "B2", "40", "10"},
         "402-O CLIENTE N\xC3O TEM CR\xC9"
         "DITO PARA A OPERA\xC7\xC3O!"},
        {"amount label that uses the whole credit",
         {Settings("CFG_PDV_BALANCA = '$D2PPPPPQQQQQQX'"), creditClient, Product(2, "150", "QUEIJO", "3.00")},
         {"C1", "B2", "2001500050007"},
         "000-PRODUTO QUEIJO ADICIONADO!"},  // R$ 50,00 at R$ 3,00 a kilo
        {"maximum before credit",
         {maximum105, creditClient, Product(2, "200", "B", "200")},
         {"C1", "B2", "200"},
         "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!"},
        {"credit before inactive product",
         {creditClient, Product(2, "60", "A", "60.00"), "UPDATE PRODUTOS SET PRO_ATIVO = 1 WHERE PRO_CODIGO = 2"},
         {"C1", "B2", "60"},
         "402-O CLIENTE N\xC3O TEM CR\xC9"
         "DITO PARA A OPERA\xC7\xC3O!"},
    });
}

TEST(Interpreter, ArgumentsBeyondWhatTheStoreHoldsGetTheCommandsOwnRefusal) {
    const std::string longestBarcode(30, '7');  // PRO_CODBARRAS holds 30 characters
    const std::string longerBarcode(31, '7');
    const std::string beyond32Bits = "99999999999";
    const std::string maximumExceeded = "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!";
    ExpectReplies({
        {"add, longest bar code",
         {"UPDATE PRODUTOS SET PRO_CODBARRAS = '" + longestBarcode + "'"},
         {"C1", longestBarcode},
         "000-PRODUTO CAF\xC9 ADICIONADO!"},
        {"add, longer bar code", {}, {"C1", longerBarcode}, "200-PRODUTO 0 N\xC3O ENCONTRADO!"},
        {"price, longest bar code",
         {"UPDATE PRODUTOS SET PRO_CODBARRAS = '" + longestBarcode + "'"},
         {"R" + longestBarcode},
         "000-PRE\xC7O: R$ 4,50"},
        {"price, longer bar code", {}, {"R" + longerBarcode}, "200-PRODUTO " + longerBarcode + " N\xC3O ENCONTRADO!"},
        {"largest tab number", {}, {"C2147483647"}, "000-A COMANDA 2147483647 FOI CRIADA!"},
        {"tab number", {}, {"C" + beyond32Bits}, kBadNumber},
        {"client", {}, {"C1", "B" + beyond32Bits}, "400-CLIENTE N\xC3O ENCONTRADO!"},
        {"employee", {}, {"C1", "U" + beyond32Bits}, "500-FUNCION\xC1RIO N\xC3O ENCONTRADO!"},
        {"badge", {}, {"C1", "789", "S" + beyond32Bits}, "604-INFORME O No. DA COMANDA DO FUNCION\xC1RIO!"},
        {"price table", {}, {"C1", "T" + beyond32Bits}, kBadTable},
        {"quantity beyond any tab", {}, {"C1", "789", "Q99999999999999"}, maximumExceeded},
        {"quantity beyond any number the program holds", {}, {"C1", "789", "Q1E300"}, maximumExceeded},
        {"a bar code keyed after Q", {}, {"C1", "789", "Q7891000100103"}, maximumExceeded},
        {"quantity whose value passes the largest total", {}, {"C1", "789", "Q2222222223"}, maximumExceeded},
        {"largest total reached", {}, {"C1", "789", "Q2222222222", "V"}, "000-TOTAL DA COMANDA: R$ 9.999.999.999,00"},
        {"add beyond the largest total", {}, {"C1", "789", "Q2222222222", "789"}, maximumExceeded},
        {"weighing-scale label beyond any tab",
         {Settings("CFG_PDV_BALANCA = 'D2PPPPPQQQQQQQQQQQQQQQQX'"), Product(2, "150", "QUEIJO", "10.00")},
         {"C1", "200150" + std::string(16, '9') + "0"},
         maximumExceeded},
    });
}

TEST(Interpreter, AddsWeighingScaleLabels) {
    // Label: prefix 2, product code 00150, value 001250, check digit 7.
    const std::string label = "2001500012507";
    const std::string tenPerKilo = Product(2, "150", "QUEIJO", "10.00");
    ExpectReplies({
        {"weight",
         {Settings("CFG_PDV_BALANCA = 'D2PPPPPQQQQQQX'"), tenPerKilo},
         {"C1", label, "V"},
         "000-TOTAL DA COMANDA: R$ 125,00"},
        {"weight at table 0 whatever the tab's table",
         {Settings("CFG_PDV_BALANCA = 'D2PPPPPQQQQQQX'"), tenPerKilo, "UPDATE PRODUTOS SET PRO_VALOR2 = 99"},
         {"C1", "T2", label, "V"},
         "000-TOTAL DA COMANDA: R$ 125,00"},
        {"amount",
         {Settings("CFG_PDV_BALANCA = '$D2PPPPPQQQQQQX'"), Product(2, "150", "QUEIJO", "5.00")},
         {"C1", label, "V"},
         "000-TOTAL DA COMANDA: R$ 12,50"},
        {"amount for a product without price",
         {Settings("CFG_PDV_BALANCA = '$D2PPPPPQQQQQQX'"), Product(2, "150", "QUEIJO", "0")},
         {"C1", label},
         "204-O PRODUTO N\xC3O TEM PRE\xC7O!"},
        {"pieces weighed as a count",
         {Settings("CFG_PDV_BALANCA = 'D2PPPPPQQQQQQX'"), Product(2, "150", "P\xC3O", "0.50"),
          "UPDATE PRODUTOS SET PRO_BALUNIDADE = 'U' WHERE PRO_CODIGO = 2"},
         {"C1", "2001500001507", "V"},
         "000-TOTAL DA COMANDA: R$ 7,50"},
        {"one piece by its own bar code",
         {Product(2, "150", "P\xC3O", "0.50"), "UPDATE PRODUTOS SET PRO_BALUNIDADE = 'U' WHERE PRO_CODIGO = 2"},
         {"C1", "150", "V"},
         "000-TOTAL DA COMANDA: R$ 0,50"},
    });
}

TEST(Interpreter, PromptFollowsTheLoadedTab) {
    Shop shop({Blocked(12)});
    TDM& dm = shop.DataModule();
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda:"));
    EXPECT_EQ(RunCommand(dm, ""), "");
    RunCommand(dm, "C5");
    EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 5:"));
    for (const char* refused : {"C12", "C0"}) {
        SCOPED_TRACE(refused);
        RunCommand(dm, refused);
        EXPECT_EQ(dm.DisplayPrompt(), Windows1252Text("Comanda 5:"));
    }
    // The refused commands left tab 5 loaded.
    RunCommand(dm, "T3");
    EXPECT_EQ(shop.store.Value("SELECT COM_TABELA FROM COMANDAS WHERE COM_NUMERO = 5").AsInteger(), 3);
}

TEST(Interpreter, StoresTheQuantitiesItReports) {
    Shop shop({Settings("CFG_PDV_BALANCA = '$D2PPPPPQQQQQQX'"), Product(2, "150", "QUEIJO", "4.00")});
    const auto lastQuantity = [&shop] {
        return shop.store.Value("SELECT FIRST 1 CIN_QTDE FROM COMANDASITENS ORDER BY CIN_CODIGO DESC").AsFixed();
    };
    shop.Run({"C1", "2001500012507"});  // R$ 12,50 at R$ 4,00 a kilo
    EXPECT_EQ(lastQuantity(), FixedPoint::FromRaw(31250));
    shop.Run({"789", "Q0,5"});
    EXPECT_EQ(lastQuantity(), FixedPoint::FromRaw(5000));
    EXPECT_EQ(shop.store.Value("SELECT COM_TOTAL FROM COMANDAS WHERE COM_NUMERO = 1").AsFixed(),
              FixedPoint::FromRaw(147500));  // 12,50 + 0,5 x 4,50
}

TEST(Interpreter, DatabaseErrorEndsTheCommandAndTheNextOneWorks) {
    Shop shop;
    TDM& dm = shop.DataModule();
    RunCommand(dm, "C1");
    int pauses = 0;
    dm.Retry.sleep = [&pauses](std::chrono::milliseconds) { ++pauses; };  // the retries without waiting
    {
        // The shop system holds the tab's row in an unfinished change.
        Database other(shop.store.ConnectionString(), shop.store.User(), shop.store.Password());
        Transaction change(other);
        Statement(change, "UPDATE COMANDAS SET COM_OBS = 'caixa' WHERE COM_NUMERO = 1").Run();
        try {
            RunCommand(dm, "T2");
            ADD_FAILURE() << "a locked tab was written";
        } catch (const DatabaseError& error) {
            EXPECT_TRUE(error.IsLockConflict()) << error.what();
        }
        EXPECT_EQ(pauses, dm.Retry.retries);
        change.Rollback();
    }
    EXPECT_EQ(RunCommand(dm, "T2"), "000-A TABELA DESTA COMANDA FOI ALTERADA PARA 2!");
    EXPECT_EQ(shop.store.Value("SELECT COM_TABELA FROM COMANDAS WHERE COM_NUMERO = 1").AsInteger(), 2);
}
