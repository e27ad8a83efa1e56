#pragma once
// Weighing-scale labels: a bar code printed by the shop's scale that holds a
// short product code and a quantity (usually a weight) or an amount of money,
// laid out by the label template of the shop's settings.
#include <string>
#include <string_view>

enum class TScaleLabelKind { slQuantity, slPrice };

struct TScaleLabel {
    std::string code;
    double value = 0;
    TScaleLabelKind kind = TScaleLabelKind::slQuantity;
};

// Reads `label` by `pattern`: "P" marks the positions of the product code,
// "Q" those of the value; the flags "$" (the value is money), "#" (three
// decimals instead of two), "D" (keep the code's trailing zeros) and "E"
// (keep its leading zeros) take no place in the label; any other character
// is a placeholder. Returns false when the value positions hold no number:
// then `result.code` holds the positions as cut, without the zero
// treatment, and `result.value` and `result.kind` keep the caller's values.
bool DecodeScaleBarcode(std::string_view label, std::string_view pattern, TScaleLabel& result);
