#include "CommandLetters.h"

bool IsCommandLetter(char upperLetter) {
    switch (upperLetter) {
    case clOpenTab:
    case clPriceQuery:
    case clCommission:
    case clPriceTable:
    case clSelectClient:
    case clSelectEmployee:
    case clTabTotal:
    case clQuantity: return true;
    default: return false;
    }
}
