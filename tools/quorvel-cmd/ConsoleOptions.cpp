#include "ConsoleOptions.h"

namespace {

// The value of "--name VALUE" or "--name=VALUE" at arguments[i]; advances i
// past a separate value. False when arguments[i] is not that option.
bool TakeValue(const std::vector<std::string>& arguments, std::size_t& i, const std::string& name,
               std::optional<std::string>& value) {
    const std::string& argument = arguments[i];
    if (argument == name) {
        if (i + 1 < arguments.size())
            value = arguments[++i];
        else
            value.reset();
        return true;
    }
    if (argument.starts_with(name + "=")) {
        value = argument.substr(name.size() + 1);
        return true;
    }
    return false;
}

}  // namespace

std::optional<ConsoleOptions> ParseConsoleOptions(const std::vector<std::string>& arguments, std::string& error) {
    ConsoleOptions options;
    bool databaseGiven = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        std::optional<std::string> value;
        if (TakeValue(arguments, i, "--user", value) || TakeValue(arguments, i, "--password", value)) {
            if (!value) {
                error = "falta o valor de " + argument;
                return std::nullopt;
            }
            (argument.starts_with("--user") ? options.user : options.password) = *value;
        } else if (argument == "--show-prompt") {
            options.showPrompt = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument.starts_with("-") && argument != "-") {
            error = "opção desconhecida: " + argument;
            return std::nullopt;
        } else if (databaseGiven) {
            error = "mais de um banco de dados: " + argument;
            return std::nullopt;
        } else {
            options.database = argument;
            databaseGiven = true;
        }
    }
    if (!databaseGiven && !options.help && !options.version) {
        error = "informe o banco de dados";
        return std::nullopt;
    }
    return options;
}

std::string ConsoleUsage() {
    return "Uso: quorvel-cmd [--user NOME] [--password SENHA] [--show-prompt] BANCO\n"
           "\n"
           "Executa comandos do microterminal (um por linha, lidos da entrada padrão)\n"
           "no banco de dados da loja e escreve uma linha de resposta por comando.\n"
           "\n"
           "  BANCO            caminho de um arquivo (motor embutido) ou servidor:caminho\n"
           "  --user NOME      usuário do banco (padrão: SYSDBA)\n"
           "  --password SENHA senha do banco (padrão: masterkey; o motor embutido a ignora)\n"
           "  --show-prompt    depois de cada resposta, uma linha \"PROMPT: \" com o prompt do terminal\n"
           "  --help           mostra este texto\n"
           "  --version        mostra a versão\n"
           "\n"
           "Um comando que falha no banco responde \"ERRO: \" seguido da mensagem do banco.\n"
           "Saída 0 ao fim da entrada; 1 quando a conexão falha; 2 para opções inválidas.\n";
}
