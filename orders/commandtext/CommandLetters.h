#pragma once
// The letters that start a terminal command: the interpreter picks its
// routine by them, the special keys append them, and the letter boxes hold
// them by default. A line starting with any other character adds a product.

enum TCommandLetter : char {
    clOpenTab = 'C',
    clPriceQuery = 'R',
    clCommission = 'S',
    clPriceTable = 'T',
    clSelectClient = 'B',
    clSelectEmployee = 'U',
    clTabTotal = 'V',
    clQuantity = 'Q',
};

// True for the command letters above (upper case only).
bool IsCommandLetter(char upperLetter);
