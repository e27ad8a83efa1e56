// Weighing-scale labels read by any template: the input is the template, a
// line break, then the label.
#include "FuzzInput.h"
#include "ScaleBarcode.h"

#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput input(data, size);
    const std::string_view pattern = input.Until('\n');
    const std::string_view label = input.Rest();

    TScaleLabel result;
    result.value = -7;
    result.kind = TScaleLabelKind::slPrice;
    if (!DecodeScaleBarcode(label, pattern, result)) {
        FuzzCheck(result.value == -7 && result.kind == TScaleLabelKind::slPrice,
                  "a label without a number leaves the value and kind alone");
        return 0;
    }
    FuzzCheck(std::isfinite(result.value), "the value is a finite number");
    FuzzCheck(!result.code.empty() && result.code.find(' ') == std::string::npos,
              "the product code is never empty and holds no blanks");
    const bool money = pattern.find('$') != std::string_view::npos;
    FuzzCheck(result.kind == (money ? TScaleLabelKind::slPrice : TScaleLabelKind::slQuantity),
              "the kind follows the \"$\" flag");
    return 0;
}
