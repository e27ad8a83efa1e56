// The interpreter console as scripts use it: a script on standard input, one
// UTF-8 line per command on standard output, and its exit status.
#include "StoreTestDatabase.h"
#include "TemporaryFolder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct ConsoleRun {
    int status = -1;
    std::vector<std::string> lines;  // standard output
    std::string errors;              // standard error
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

ConsoleRun RunConsole(const std::string& arguments, const std::string& script) {
    const TemporaryFolder temporary("quorvel-cmd-test");
    const fs::path& folder = temporary.Path();
    std::ofstream(folder / "script.txt", std::ios::binary) << script;
    const std::string command = std::string(QUORVEL_CMD) + " " + arguments + " < " + (folder / "script.txt").string() +
                                " > " + (folder / "out.txt").string() + " 2> " + (folder / "err.txt").string();
    ConsoleRun run;
    const int result = std::system(command.c_str());
    run.status = WIFEXITED(result) ? WEXITSTATUS(result) : -1;
    std::istringstream out(ReadFile(folder / "out.txt"));
    for (std::string line; std::getline(out, line);)
        run.lines.push_back(line);
    run.errors = ReadFile(folder / "err.txt");
    return run;
}

}  // namespace

TEST(QuorvelCmd, AnswersEachScriptLineWithOneLine) {
    StoreTestDatabase store;
    store.SeedBasicShop();
    store.Execute(
        "INSERT INTO PRODUTOS (PRO_CODIGO, PRO_CODBARRAS, PRO_NOME, PRO_ATIVO, PRO_VALOR1) "
        "VALUES (1, '789', 'P\xC3O DE A\xC7\xDA"
        "CAR', 0, 4.50)");
    store.Execute("ALTER TABLE COMANDASITENS ADD CONSTRAINT CK_QTDE CHECK (CIN_QTDE < 100)");
    const std::string script =
        "C12\n"
        "\n"
        "   789  \r\n"
        "Q0,5\n"
        "Q100\n"  // the item's quantity breaks a rule of the database
        "Cxy\n"
        "V\n";
    const ConsoleRun run = RunConsole("--show-prompt '" + store.ConnectionString() + "'", script);

    EXPECT_EQ(run.status, 0) << run.errors;
    ASSERT_EQ(run.lines.size(), 12u) << run.errors;
    EXPECT_EQ(run.lines[0], "000-A COMANDA 12 FOI CRIADA!");
    EXPECT_EQ(run.lines[1], "PROMPT: Comanda 12:");
    EXPECT_EQ(run.lines[2], "000-PRODUTO PÃO DE AÇÚCAR ADICIONADO!");
    EXPECT_EQ(run.lines[4], "000-QUANTIDADE DO PRODUTO ALTERADA PARA 0,5");
    EXPECT_EQ(run.lines[6], "900-ERRO! O COMANDO NÃO FOI EXECUTADO!");
    EXPECT_NE(run.errors.find("Q100: "), std::string::npos) << run.errors;
    EXPECT_NE(run.errors.find("CK_QTDE"), std::string::npos) << run.errors;
    EXPECT_EQ(run.lines[7], "PROMPT: Comanda 12:");
    EXPECT_EQ(run.lines[8], "103-NÚMERO DE COMANDA INVÁLIDO!");
    EXPECT_EQ(run.lines[10], "000-TOTAL DA COMANDA: R$ 2,25");  // the refused quantity left nothing behind
}

TEST(QuorvelCmd, FailedConnectionExitsWithStatusOne) {
    const fs::path missing = fs::temp_directory_path() / "quorvel-cmd-no-such-folder" / "DBEMPRESA.FDB";
    const ConsoleRun run = RunConsole("'" + missing.string() + "'", "C1\n");
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.lines.empty());
    EXPECT_NE(run.errors.find(missing.string()), std::string::npos) << run.errors;
}
