#pragma once
// A terminal library that records every call as text ("LimpaDisplay 0",
// "EscreveDisplay 0 Comanda:", ...), hands out queued key codes and returns
// 1 unless a call's result was set otherwise.
#include "TerminalLibrary.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

class FakeTerminalLibrary : public TerminalLibrary {
public:
    int IniciaComunicacao() override { return Record("IniciaComunicacao"); }
    int SelecionaProtocolo(int protocol) override {
        return Record("SelecionaProtocolo", " " + std::to_string(protocol));
    }
    int LimpaDisplay(unsigned char terminal) override { return Record("LimpaDisplay", " " + std::to_string(terminal)); }
    int PosicionaCursor(unsigned char terminal, int line, int column) override {
        return Record("PosicionaCursor",
                      " " + std::to_string(terminal) + " " + std::to_string(line) + " " + std::to_string(column));
    }
    int EscreveDisplay(unsigned char terminal, const char* text) override {
        return Record("EscreveDisplay", " " + std::to_string(terminal) + " " + text);
    }
    int LerBuffer(unsigned char terminal) override {
        calls.push_back("LerBuffer " + std::to_string(terminal));
        if (keys.empty())
            return 0;
        const int code = keys.front();
        keys.pop_front();
        return code;
    }

    void Type(const std::string& text) {
        for (char c : text)
            keys.push_back(static_cast<unsigned char>(c));
    }

    // Only the calls that changed the display, LerBuffer left out.
    std::vector<std::string> DisplayCalls() const {
        std::vector<std::string> display;
        for (const auto& call : calls)
            if (!call.starts_with("LerBuffer"))
                display.push_back(call);
        return display;
    }

    std::vector<std::string> calls;
    std::deque<int> keys;
    std::map<std::string, int> results;  // by function name; 1 when absent
    // Called with each call's text as it is recorded, when set.
    std::function<void(const std::string&)> onCall;

private:
    int Record(const std::string& name, const std::string& arguments = "") {
        calls.push_back(name + arguments);
        if (onCall)
            onCall(calls.back());
        auto result = results.find(name);
        return result == results.end() ? 1 : result->second;
    }
};
