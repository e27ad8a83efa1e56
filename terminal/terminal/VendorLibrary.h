#pragma once
// The terminal vendor's library, loaded by name when the program starts and
// its six functions bound by name.
#include "TerminalLibrary.h"

#include <string>

class VendorLibrary : public TerminalLibrary {
public:
    // Loads the library from the program's folder when it is there, or else
    // wherever the system finds it by name. Throws std::runtime_error (a UTF-8 message
    // for the operator) when it is missing or lacks one of the functions.
    explicit VendorLibrary(const std::string& fileName = "libbemasb32.so");
    ~VendorLibrary() override;
    VendorLibrary(const VendorLibrary&) = delete;
    VendorLibrary& operator=(const VendorLibrary&) = delete;

    int IniciaComunicacao() override;
    int SelecionaProtocolo(int protocol) override;
    int LimpaDisplay(unsigned char terminal) override;
    int PosicionaCursor(unsigned char terminal, int line, int column) override;
    int EscreveDisplay(unsigned char terminal, const char* text) override;
    int LerBuffer(unsigned char terminal) override;

private:
    template <typename Function>
    void Bind(Function*& function, const char* name);

    std::string path_;
    void* handle_ = nullptr;
    int (*iniciaComunicacao_)() = nullptr;
    int (*selecionaProtocolo_)(int) = nullptr;
    int (*limpaDisplay_)(unsigned char) = nullptr;
    int (*posicionaCursor_)(unsigned char, int, int) = nullptr;
    int (*escreveDisplay_)(unsigned char, const char*) = nullptr;
    int (*lerBuffer_)(unsigned char) = nullptr;
};
