#include "VendorLibrary.h"

#include "ProgramFiles.h"

#include <dlfcn.h>
#include <filesystem>
#include <stdexcept>

VendorLibrary::VendorLibrary(const std::string& fileName) {
    const std::string besideProgram = ProgramFolder() + fileName;
    std::error_code error;
    path_ = std::filesystem::exists(besideProgram, error) ? besideProgram : fileName;
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle_) {
        const char* reason = dlerror();
        throw std::runtime_error("Não foi possível carregar a biblioteca do terminal \"" + path_ +
                                 "\": " + (reason ? reason : ""));
    }
    try {
        Bind(iniciaComunicacao_, "Bematech_FIT_IniciaComunicacao");
        Bind(selecionaProtocolo_, "Bematech_FIT_SelecionaProtocolo");
        Bind(limpaDisplay_, "Bematech_FIT_LimpaDisplay");
        Bind(posicionaCursor_, "Bematech_FIT_PosicionaCursor");
        Bind(escreveDisplay_, "Bematech_FIT_EscreveDisplay");
        Bind(lerBuffer_, "Bematech_FIT_LerBuffer");
    } catch (...) {
        dlclose(handle_);
        throw;
    }
}

VendorLibrary::~VendorLibrary() { dlclose(handle_); }

template <typename Function>
void VendorLibrary::Bind(Function*& function, const char* name) {
    function = reinterpret_cast<Function*>(dlsym(handle_, name));
    if (!function) {
        throw std::runtime_error("A biblioteca do terminal \"" + path_ + "\" não tem a função " + name + ".");
    }
}

int VendorLibrary::IniciaComunicacao() { return iniciaComunicacao_(); }

int VendorLibrary::SelecionaProtocolo(int protocol) { return selecionaProtocolo_(protocol); }

int VendorLibrary::LimpaDisplay(unsigned char terminal) { return limpaDisplay_(terminal); }

int VendorLibrary::PosicionaCursor(unsigned char terminal, int line, int column) {
    return posicionaCursor_(terminal, line, column);
}

int VendorLibrary::EscreveDisplay(unsigned char terminal, const char* text) { return escreveDisplay_(terminal, text); }

int VendorLibrary::LerBuffer(unsigned char terminal) { return lerBuffer_(terminal); }
