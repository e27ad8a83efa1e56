#include "ProgramHelp.h"

#include "ProgramFiles.h"
#include "QuorvelVersion.h"

#include <algorithm>
#include <ostream>

namespace {

bool Holds(const std::vector<std::string>& arguments, const char* option) {
    return std::find(arguments.begin(), arguments.end(), option) != arguments.end();
}

void PrintUsage(std::ostream& out) {
    out << "uso: Quorvel [CFG=ARQUIVO] [--terminal N]\n"
           "     Quorvel [CFG=ARQUIVO] --headless [--terminal N]... [--key-log]\n"
           "     Quorvel [CFG=ARQUIVO] --check\n"
           "     Quorvel [CFG=ARQUIVO] --status\n"
           "     Quorvel --help | --version\n"
           "\n"
           "Liga os microterminais da rede ao banco de dados da loja: os comandos digitados\n"
           "no terminal abrem comandas, lançam produtos e mostram a resposta no visor.\n"
           "\n"
           "  CFG=ARQUIVO   (só como primeiro argumento) arquivo com a seção IBCONFIG do banco\n"
           "  --terminal N  o terminal da posição N da lista (0 é o primeiro); na janela, é\n"
           "                selecionado e iniciado; sem janelas, pode ser repetido\n"
           "  --headless    serve os terminais sem janelas, como serviço (sem N, todos da lista)\n"
           "  --key-log     sem janelas: grava as teclas em \"teclas.txt\"\n"
           "  --check       confere a instalação como o serviço a usaria, sem gravar nada;\n"
           "                uma linha por item, saída 0 se tudo pode ser usado, 1 se não\n"
           "  --status      o estado do serviço desta pasta: uma linha por terminal (situação,\n"
           "                desde quando, comanda aberta, último comando e último erro);\n"
           "                saída 0 com o serviço em execução, 3 sem ele\n"
           "  --help, -h    mostra este texto\n"
           "  --version     mostra a versão\n"
           "\n"
           "Arquivos na pasta do programa ("
        << ProgramFolder()
        << "): \"BemaSB32.ini\" (terminais),\n"
           "\"Quorvel.ini\" (teclas e, sem \"korvi01.ini\" a \"korvi13.ini\", o banco de dados),\n"
           "\"teclas.txt\" e o banco padrão \"Dados/DBEMPRESA.FDB\".\n"
           "Saída: 0 ao fechar ou por SIGTERM/SIGINT; 1 sem conexão com o banco; 2 para argumentos\n"
           "inválidos ou, sem --headless, quando não há tela.\n";
}

}  // namespace

std::optional<int> AnswerHelpOrVersion(const std::vector<std::string>& arguments, std::ostream& out) {
    if (Holds(arguments, "--help") || Holds(arguments, "-h")) {
        PrintUsage(out);
        return 0;
    }
    if (Holds(arguments, "--version")) {
        out << "Quorvel " << QUORVEL_VERSION << std::endl;
        return 0;
    }
    return std::nullopt;
}
