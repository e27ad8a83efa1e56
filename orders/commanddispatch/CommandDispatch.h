#pragma once
// From a terminal command line to the routine that carries it out: the
// command letter picks the command, its argument is read and the refusals
// that need no store are given here; what a command does in the store is
// left to the routines (the data module implements them, tests a double).
#include <string>

// The store side of each command, called with its argument once read and
// checked; each returns the reply (Windows-1252).
class CommandRoutines {
public:
    virtual ~CommandRoutines() = default;

    // C: number of the tab to open or create, 1 or more.
    virtual std::string OpenOrCreateComanda(int number) = 0;
    // R: the bar code as typed; it reads as a number of 1 or more, or is a
    // longer run of digits that are not all zero.
    virtual std::string QueryPrice(const std::string& code) = 0;
    // S: the employee's tab badge, 1 or more.
    virtual std::string GrantCommissionOnLastItem(int badge) = 0;
    // T: price table 0 to 5, and the argument as typed (the reply repeats it).
    virtual std::string ChangePriceTable(int table, const std::string& typed) = 0;
    // B: client code, not 0; an argument that does not read as a number is
    // looked up as -1, like any negative code.
    virtual std::string SelectClient(int client) = 0;
    // U: employee's tab badge, not 0; one that does not read as a number is
    // looked up as -1.
    virtual std::string SelectEmployee(int badge) = 0;
    // V: anything after the letter is ignored.
    virtual std::string ShowTotal() = 0;
    // Q: quantity of the last item, above 0 also when kept to three decimals,
    // and at most the largest a tab may hold.
    virtual std::string ChangeLastItemQuantity(double quantity) = 0;
    // Any other first character: the whole line is a bar code or a
    // weighing-scale label.
    virtual std::string AddProduct(const std::string& line) = 0;
};

// Runs the command of `line` (Windows-1252, trimmed) and returns its reply:
// a refusal when the argument is missing or out of range, else the reply of
// the routine for the command letter (lower-case letters are the same
// commands). An empty line is no command: "" and no routine runs. A Q
// quantity beyond what a tab may hold (LargestTab.h) is refused as beyond the
// tab's maximum total.
std::string DispatchCommand(CommandRoutines& routines, const std::string& line);
