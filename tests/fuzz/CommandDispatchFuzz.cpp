// The dispatch of a terminal command line, on any line the keyboard can
// send, with a double of the store routines that records what it was given.
#include "CommandDispatch.h"
#include "FuzzInput.h"
#include "InterpreterArguments.h"
#include "LargestTab.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

constexpr char kAddProduct = '*';  // the routine of any other first character

struct Call {
    char routine;  // its command letter, or kAddProduct
    double number;
    std::string text;
};

class RecordingRoutines final : public CommandRoutines {
public:
    std::vector<Call> calls;

    std::string OpenOrCreateComanda(int number) override { return Record('C', number); }
    std::string QueryPrice(const std::string& code) override { return Record('R', 0, code); }
    std::string GrantCommissionOnLastItem(int badge) override { return Record('S', badge); }
    std::string ChangePriceTable(int table, const std::string& typed) override { return Record('T', table, typed); }
    std::string SelectClient(int client) override { return Record('B', client); }
    std::string SelectEmployee(int badge) override { return Record('U', badge); }
    std::string ShowTotal() override { return Record('V'); }
    std::string ChangeLastItemQuantity(double quantity) override { return Record('Q', quantity); }
    std::string AddProduct(const std::string& line) override { return Record(kAddProduct, 0, line); }

    static std::string ReplyOf(char routine) { return std::string("000-ROUTINE ") + routine; }

private:
    std::string Record(char routine, double number = 0, std::string text = {}) {
        calls.push_back({routine, number, std::move(text)});
        return ReplyOf(routine);
    }
};

// The routine a line asks for, worked out apart from the code under test:
// the first byte with a-z taken as A-Z.
char ExpectedRoutine(std::string_view line) {
    char letter = line.front();
    if (letter >= 'a' && letter <= 'z')
        letter = static_cast<char>(letter - ('a' - 'A'));
    return std::string_view("CRSTBUVQ").find(letter) == std::string_view::npos ? kAddProduct : letter;
}

bool IsDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }

// A bar code an R line may name although it does not read as a number of
// 1 or more: digits only, not all of them zero.
bool IsRunOfDigits(std::string_view code) {
    return std::all_of(code.begin(), code.end(), IsDigit) &&
           std::any_of(code.begin(), code.end(), [](char c) { return c != '0'; });
}

// "ddd-" and a text.
bool IsCodedReply(std::string_view reply) {
    return reply.size() > 4 && std::all_of(reply.begin(), reply.begin() + 3, IsDigit) && reply[3] == '-';
}

// A routine was called: with the argument the readers give, and only with
// one that passes its command's checks.
void CheckCall(const Call& call, const std::string& line) {
    const std::string typed = TextArgument(line);
    const std::optional<int> whole = IntArgument(line);
    switch (call.routine) {
    case 'C': FuzzCheck(whole && call.number == *whole && *whole >= 1, "C gets the tab number, 1 or more"); break;
    case 'R':
        FuzzCheck(call.text == typed && (whole.value_or(0) >= 1 || IsRunOfDigits(typed)),
                  "R gets the code as typed, a number");
        break;
    case 'S': FuzzCheck(whole && call.number == *whole && *whole >= 1, "S gets the badge, 1 or more"); break;
    case 'T':
        FuzzCheck(whole && call.number == *whole && *whole >= 0 && *whole <= 5 && call.text == typed,
                  "T gets the table 0 to 5 and the argument as typed");
        break;
    case 'B':
    case 'U':
        FuzzCheck(call.number == whole.value_or(-1) && call.number != 0,
                  "B and U get a code other than 0, one that is no number as -1");
        break;
    case 'Q': {
        // Above half a thousandth: the stored three decimals keep something.
        const std::optional<double> quantity = DecimalArgument(line);
        FuzzCheck(quantity && call.number == *quantity && *quantity > 0.0005 && *quantity <= kLargestTabAmount,
                  "Q gets a quantity that keeps a thousandth and fits a tab");
        break;
    }
    case kAddProduct: FuzzCheck(call.text == line, "a product line reaches its routine unchanged"); break;
    default: break;
    }
}

// No routine was called: the line's command refused its argument, with the
// command's own reply, and only an argument its routine would not take.
void CheckRefusal(char routine, const std::string& reply, const std::string& line) {
    FuzzCheck(IsCodedReply(reply), "a refusal starts with three digits and '-'");
    const std::optional<int> whole = IntArgument(line);
    const bool belowOne = !whole || *whole < 1;
    switch (routine) {
    case 'C':
        FuzzCheck(belowOne && reply == "103-N\xDAMERO DE COMANDA INV\xC1LIDO!", "C refuses a number below 1");
        break;
    case 'R':
        FuzzCheck(belowOne && !IsRunOfDigits(TextArgument(line)) &&
                      reply ==
                          "300-INFORME O C\xD3"
                          "DIGO DO PRODUTO!",
                  "R refuses a code that is no number");
        break;
    case 'S':
        FuzzCheck(belowOne && reply == "604-INFORME O No. DA COMANDA DO FUNCION\xC1RIO!", "S refuses a badge below 1");
        break;
    case 'T':
        FuzzCheck((!whole || *whole < 0 || *whole > 5) &&
                      reply == "301-INFORME UM N\xDAMERO ENTRE 0 E 5 PARA SELECIONAR A TABELA!",
                  "T refuses a table outside 0 to 5");
        break;
    case 'B':
        FuzzCheck(whole == 0 && reply ==
                                    "300-INFORME O C\xD3"
                                    "DIGO DO CLIENTE!",
                  "B refuses client 0");
        break;
    case 'U':
        FuzzCheck(whole == 0 && reply ==
                                    "300-INFORME O C\xD3"
                                    "DIGO DO FUNCION\xC1RIO!",
                  "U refuses badge 0");
        break;
    case 'Q': {
        const std::optional<double> quantity = DecimalArgument(line);
        FuzzCheck(((!quantity || !(*quantity > 0.0006)) && reply == "202-A QUANTIDADE DEVE SER MAIOR QUE ZERO!") ||
                      (quantity && *quantity > kLargestTabAmount && reply == kTabMaximumExceeded),
                  "Q refuses a quantity that keeps no thousandth or fits no tab");
        break;
    }
    default: FuzzCheck(false, "V and a product line are never refused"); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string line(reinterpret_cast<const char*>(data), size);
    RecordingRoutines routines;
    std::string reply;
    try {
        reply = DispatchCommand(routines, line);
    } catch (...) {
        FuzzCheck(false, "the dispatch throws nothing");
    }

    if (line.empty()) {
        FuzzCheck(reply.empty() && routines.calls.empty(), "an empty line calls nothing and gets no reply");
        return 0;
    }
    const char routine = ExpectedRoutine(line);
    FuzzCheck(routines.calls.size() <= 1, "a line calls at most one routine");
    if (routines.calls.empty()) {
        CheckRefusal(routine, reply, line);
        return 0;
    }
    const Call& call = routines.calls.front();
    FuzzCheck(call.routine == routine, "the routine is the one of the first character, upper-cased");
    FuzzCheck(reply == RecordingRoutines::ReplyOf(routine), "the routine's reply is the reply");
    CheckCall(call, line);
    return 0;
}
