#include "CommandDispatch.h"

#include "CommandLetters.h"
#include "FixedPoint.h"
#include "InterpreterArguments.h"
#include "LargestTab.h"

#include <optional>

namespace {

constexpr int kItemQuantityPlaces = 3;  // CIN_QTDE is NUMERIC(18,3)

// A bar code too long for a 32-bit number (an EAN-13 label, for example)
// still names a product: digits only, not all of them zero.
bool IsLongBarcode(const std::string& code) {
    return !code.empty() && code.find_first_not_of("0123456789") == std::string::npos &&
           code.find_first_not_of('0') != std::string::npos;
}

// The code a client or employee lookup is given. An argument that does not
// read as a number is looked up as -1, as a negative code is: the shop's
// codes are positive, so it finds no one and the lookup's own refusal
// answers.
int CodeArgument(const std::string& line) { return IntArgument(line).value_or(-1); }

std::string OpenTab(CommandRoutines& routines, const std::string& line) {
    const std::optional<int> number = IntArgument(line);
    if (!number || *number < 1)
        return "103-N\xDAMERO DE COMANDA INV\xC1LIDO!";
    return routines.OpenOrCreateComanda(*number);
}

std::string PriceQuery(CommandRoutines& routines, const std::string& line) {
    const std::string code = TextArgument(line);
    if (IntArgument(line).value_or(0) < 1 && !IsLongBarcode(code))
        return "300-INFORME O C\xD3"
               "DIGO DO PRODUTO!";
    return routines.QueryPrice(code);
}

std::string Commission(CommandRoutines& routines, const std::string& line) {
    const std::optional<int> badge = IntArgument(line);
    if (!badge || *badge < 1)
        return "604-INFORME O No. DA COMANDA DO FUNCION\xC1RIO!";
    return routines.GrantCommissionOnLastItem(*badge);
}

std::string PriceTable(CommandRoutines& routines, const std::string& line) {
    const std::optional<int> table = IntArgument(line);
    if (!table || *table < 0 || *table > 5)
        return "301-INFORME UM N\xDAMERO ENTRE 0 E 5 PARA SELECIONAR A TABELA!";
    return routines.ChangePriceTable(*table, TextArgument(line));
}

std::string Client(CommandRoutines& routines, const std::string& line) {
    const int client = CodeArgument(line);
    if (client == 0)
        return "300-INFORME O C\xD3"
               "DIGO DO CLIENTE!";
    return routines.SelectClient(client);
}

std::string Employee(CommandRoutines& routines, const std::string& line) {
    const int badge = CodeArgument(line);
    if (badge == 0)
        return "300-INFORME O C\xD3"
               "DIGO DO FUNCION\xC1RIO!";
    return routines.SelectEmployee(badge);
}

std::string Quantity(CommandRoutines& routines, const std::string& line) {
    // A quantity no tab may hold is refused before it becomes a fixed-point
    // value, which might not hold it either. The item keeps three decimals: a
    // quantity that rounds to nothing there would be stored as 0 behind a
    // success reply.
    const std::optional<double> quantity = DecimalArgument(line);
    if (quantity && *quantity > kLargestTabAmount)
        return kTabMaximumExceeded;
    if (!quantity || !(*quantity > 0) || FixedPoint::FromDouble(*quantity).ToScaled(kItemQuantityPlaces) <= 0)
        return "202-A QUANTIDADE DEVE SER MAIOR QUE ZERO!";
    return routines.ChangeLastItemQuantity(*quantity);
}

}  // namespace

std::string DispatchCommand(CommandRoutines& routines, const std::string& line) {
    if (line.empty())
        return {};
    switch (CommandLetter(line)) {
    case clOpenTab: return OpenTab(routines, line);
    case clPriceQuery: return PriceQuery(routines, line);
    case clCommission: return Commission(routines, line);
    case clPriceTable: return PriceTable(routines, line);
    case clSelectClient: return Client(routines, line);
    case clSelectEmployee: return Employee(routines, line);
    case clTabTotal: return routines.ShowTotal();
    case clQuantity: return Quantity(routines, line);
    default: return routines.AddProduct(line);
    }
}
