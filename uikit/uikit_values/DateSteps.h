#pragma once
// The date popup's step menus: each item moves the shown date by a fixed
// step. Captions are Windows-1252.
#include "DateTimeValue.h"

#include <span>

enum class TDateStepKind {
    Days,          // Amount days, keeping the time of day
    Months,        // Amount calendar months (see IncMonth)
    EndOfMonth,    // last day of the month at 23:59:59.999
    EndOfYear,     // 31 December at 23:59:59.999
    StartOfMonth,  // first day of the month at 00:00
    StartOfYear,   // 1 January at 00:00
    Separator,     // a line in the menu
    Cancel,        // closes the menu and changes nothing
};

struct TDateStep {
    const char* Caption;  // empty for the separator
    TDateStepKind Kind;
    int Amount;
};

// The items of "AVANÇAR" and of "VOLTAR", in menu order.
std::span<const TDateStep> ForwardSteps();
std::span<const TDateStep> BackwardSteps();

TDateTime ApplyDateStep(const TDateStep& step, TDateTime date);
