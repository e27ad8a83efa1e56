// Prints the stored form of a database user name or password, for filling
// the "USUARIO" and "SENHA" keys of a settings file without the connection
// dialog (a service that runs without windows has none).
//   quorvel-scramble TEXT
//   quorvel-scramble -- TEXT      (a TEXT that is itself "--help" or the like)
#include "QZ_CRIPTO.h"
#include "QuorvelVersion.h"
#include "Windows1252.h"

#include <iostream>
#include <string_view>

namespace {

constexpr const char* kUsage =
    "uso: quorvel-scramble [--] TEXTO\n"
    "     quorvel-scramble --help | --version\n"
    "\n"
    "Mostra a forma gravada de um usuário ou senha do banco de dados, para as chaves\n"
    "\"USUARIO\" e \"SENHA\" da seção IBCONFIG (com \"USACONFIG=1\"). A forma gravada é\n"
    "embaralhada, não cifrada: quem lê o arquivo tem a senha.\n"
    "\n"
    "  --           o argumento seguinte é o TEXTO, mesmo que comece por \"-\"\n"
    "  --help, -h   mostra este texto\n"
    "  --version    mostra a versão\n";

}  // namespace

int main(int argc, char** argv) {
    const std::string_view first = argc > 1 ? argv[1] : "";
    if (argc == 2 && (first == "--help" || first == "-h")) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 2 && first == "--version") {
        std::cout << "quorvel-scramble " << QUORVEL_VERSION << std::endl;
        return 0;
    }
    const bool escaped = argc == 3 && first == "--";
    if ((argc != 2 && !escaped) || (argc == 2 && first == "--")) {
        std::cerr << kUsage;
        return 2;
    }
    std::cout << Scramble(Utf8ToWindows1252(argv[argc - 1]).Bytes(), "VELASTRO") << std::endl;
    return 0;
}
