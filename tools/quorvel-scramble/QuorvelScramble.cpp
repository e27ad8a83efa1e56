// Prints the stored form of a database user name or password, for filling
// the "USUARIO" and "SENHA" keys of a settings file without the connection
// dialog (a service that runs without windows has none).
//   quorvel-scramble TEXT
#include "QZ_CRIPTO.h"
#include "Windows1252.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "uso: quorvel-scramble TEXTO" << std::endl;
        return 2;
    }
    std::cout << Scramble(Utf8ToWindows1252(argv[1]).Bytes(), "VELASTRO") << std::endl;
    return 0;
}
