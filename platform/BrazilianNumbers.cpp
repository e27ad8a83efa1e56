#include "BrazilianNumbers.h"

std::string GroupThousands(std::string_view digits) {
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += kThousandsPoint;
        out += digits[i];
    }
    return out;
}

std::string MoneyText(bool negative, std::string_view wholeDigits, std::string_view cents) {
    return (negative ? "-R$ " : "R$ ") + GroupThousands(wholeDigits) + kDecimalComma + std::string(cents);
}
