#include "RegionalFormats.h"

#include "BrazilianNumbers.h"

#include <cstdio>

std::optional<double> ParseDecimal(std::string_view text) {
    return ParseCommaDecimal(text, {.plusSign = true, .exponent = true});
}

std::string FormatMoney(std::int64_t tenThousandths) {
    const bool negative = tenThousandths < 0;
    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(tenThousandths) : static_cast<std::uint64_t>(tenThousandths);
    const std::uint64_t cents = (magnitude + 50) / 100;
    char decimals[3];
    std::snprintf(decimals, sizeof decimals, "%02u", static_cast<unsigned>(cents % 100));
    return MoneyText(negative && cents != 0, std::to_string(cents / 100), decimals);
}

std::string FormatQuantity(double quantity) { return SignificantDigitsText(quantity, ExponentStyle::kLowerCaseSigned); }
