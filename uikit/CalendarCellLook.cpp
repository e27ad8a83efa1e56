#include "CalendarCellLook.h"

namespace {
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kRed = 0x0000FF;
constexpr TColor kEmptyCell = 0xF2F2F2;
}  // namespace

TCellLook CalendarCellLook(const std::optional<TCalendarThemeColors>& theme, int column, bool selected, bool empty,
                           bool holiday) {
    TCellLook look{kWhite, kBlack};
    if (theme && column % 2 == 0)
        look.Background = theme->LineColor1;
    if (selected)
        look = theme ? TCellLook{theme->SelColor, theme->SelFontColor} : TCellLook{kBlack, kWhite};
    if (empty)
        look.Background = kEmptyCell;
    else if (holiday)
        look.Text = selected ? look.Text : kRed;
    return look;
}
