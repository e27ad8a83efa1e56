#include "ScaleBarcode.h"

#include "RegionalFormats.h"
#include "Trim.h"

#include <algorithm>

namespace {

// 1-based positions of a field in the label; 0 and 0 when absent.
struct FieldSpan {
    int first = 0;
    int last = 0;
};

FieldSpan FindField(std::string_view pattern, char letter) {
    const auto first = pattern.find(letter);
    if (first == std::string_view::npos)
        return {};
    return {static_cast<int>(first) + 1, static_cast<int>(pattern.rfind(letter)) + 1};
}

bool Holds(std::string_view pattern, char flag) { return pattern.find(flag) != std::string_view::npos; }

// The label holds no places for the flags, so each flag present moves every
// position one to the left.
void ShiftForFlags(std::string_view pattern, FieldSpan& code, FieldSpan& value) {
    for (char flag : {'$', '#', 'D', 'E'}) {
        if (!Holds(pattern, flag))
            continue;
        for (int* position : {&code.first, &code.last, &value.first, &value.last})
            --*position;
    }
}

// The characters of a field; a first position below 1 reads from the label's
// start without shortening the count, and the label's end cuts the rest.
std::string_view Cut(std::string_view label, FieldSpan span) {
    const int count = span.last - span.first + 1;
    const int start = std::max(span.first, 1) - 1;
    if (count <= 0 || start >= static_cast<int>(label.size()))
        return {};
    return label.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(count));
}

// Leading zeros become "E" and the zeros after the first other character
// "D"; each letter then turns into "0" when the template keeps those zeros,
// into a blank otherwise. Blanks at the ends go, inner ones become "0".
std::string TreatZeros(std::string code, std::string_view pattern) {
    bool leading = true;
    for (char& c : code) {
        if (c == '0')
            c = leading ? 'E' : 'D';
        else
            leading = false;
    }
    for (char& c : code) {
        if (c == 'D')
            c = Holds(pattern, 'D') ? '0' : ' ';
        else if (c == 'E')
            c = Holds(pattern, 'E') ? '0' : ' ';
    }
    code = std::string(quorvel::TrimSpaces(code));
    if (code.empty())
        return "0";
    std::replace(code.begin(), code.end(), ' ', '0');
    return code;
}

}  // namespace

bool DecodeScaleBarcode(std::string_view label, std::string_view pattern, TScaleLabel& result) {
    FieldSpan code = FindField(pattern, 'P');
    FieldSpan value = FindField(pattern, 'Q');
    ShiftForFlags(pattern, code, value);

    result.code = code.last == 0 ? std::string() : std::string(Cut(label, code));

    double decoded = 0;
    if (value.last != 0) {
        const auto number = ParseDecimal(Cut(label, value));
        if (!number)
            return false;
        decoded = *number / 100;
        if (Holds(pattern, '#'))
            decoded /= 10;
    }

    result.code = TreatZeros(result.code, pattern);
    result.value = decoded;
    result.kind = Holds(pattern, '$') ? TScaleLabelKind::slPrice : TScaleLabelKind::slQuantity;
    return true;
}
