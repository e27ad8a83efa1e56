#include "DateSteps.h"

namespace {

const TDateStep kForwardSteps[] = {
    {"Incrementar 1 semana", TDateStepKind::Days, 7},
    {"Incrementar 2 semanas", TDateStepKind::Days, 14},
    {"Incrementar 15 dias", TDateStepKind::Days, 15},
    {"Incrementar 30 dias", TDateStepKind::Days, 30},
    {"Incrementar 1 m\xEAs", TDateStepKind::Months, 1},
    {"Incrementar 45 dias", TDateStepKind::Days, 45},
    {"Incrementar 2 meses", TDateStepKind::Months, 2},
    {"Incrementar 3 meses", TDateStepKind::Months, 3},
    {"Incrementar 4 meses", TDateStepKind::Months, 4},
    {"Incrementar 6 meses", TDateStepKind::Months, 6},
    {"Incrementar 1 ano", TDateStepKind::Months, 12},
    {"Fim deste m\xEAs", TDateStepKind::EndOfMonth, 0},
    {"Fim deste ano", TDateStepKind::EndOfYear, 0},
    {"", TDateStepKind::Separator, 0},
    {"Cancelar", TDateStepKind::Cancel, 0},
};

const TDateStep kBackwardSteps[] = {
    {"Voltar 1 semana", TDateStepKind::Days, -7},
    {"Voltar 2 semanas", TDateStepKind::Days, -14},
    {"Voltar 15 dias", TDateStepKind::Days, -15},
    {"Voltar 30 dias", TDateStepKind::Days, -30},
    {"Voltar 1 m\xEAs", TDateStepKind::Months, -1},
    {"Voltar 45 dias", TDateStepKind::Days, -45},
    {"Voltar 2 meses", TDateStepKind::Months, -2},
    {"Voltar 3 meses", TDateStepKind::Months, -3},
    {"Voltar 4 meses", TDateStepKind::Months, -4},
    {"Voltar 6 meses", TDateStepKind::Months, -6},
    {"Voltar 1 ano", TDateStepKind::Months, -12},
    {"In\xED"
     "cio deste m\xEAs",
     TDateStepKind::StartOfMonth, 0},
    {"In\xED"
     "cio deste ano",
     TDateStepKind::StartOfYear, 0},
    {"", TDateStepKind::Separator, 0},
    {"Cancelar", TDateStepKind::Cancel, 0},
};

const double kLastMillisecond = EncodeTime(23, 59, 59, 999);

}  // namespace

std::span<const TDateStep> ForwardSteps() { return kForwardSteps; }
std::span<const TDateStep> BackwardSteps() { return kBackwardSteps; }

TDateTime ApplyDateStep(const TDateStep& step, TDateTime date) {
    const TCalendarDate day = DecodeDate(date);
    switch (step.Kind) {
    case TDateStepKind::Days: return {date.Days + step.Amount};
    case TDateStepKind::Months: return IncMonth(date, step.Amount);
    case TDateStepKind::EndOfMonth:
        return {EncodeDate(day.Year, day.Month, DaysInMonth(day.Year, day.Month)).Days + kLastMillisecond};
    case TDateStepKind::EndOfYear: return {EncodeDate(day.Year, 12, 31).Days + kLastMillisecond};
    case TDateStepKind::StartOfMonth: return EncodeDate(day.Year, day.Month, 1);
    case TDateStepKind::StartOfYear: return EncodeDate(day.Year, 1, 1);
    case TDateStepKind::Separator:
    case TDateStepKind::Cancel: break;
    }
    return date;
}
