#pragma once
// The most a tab may hold. The store sums a tab's value over its items with
// eight decimals in a 64-bit number (quantity with three times a price with
// five), which overflows at about 92 billion; the program's own fixed-point
// values end near 922 trillion. A tab's quantity and total are kept to ten
// billion, far beyond any sale and well inside both, so no keyed quantity
// or weighing-scale label can make the store refuse a sum: the item is
// refused with the reply of the maximum total instead.

// The largest quantity, and the largest total, a tab may reach.
inline constexpr long double kLargestTabAmount = 10'000'000'000.0L;

// The reply for an item that would take the tab beyond its maximum total.
inline constexpr const char* kTabMaximumExceeded = "104-O VALOR M\xC1XIMO DA COMANDA EXCEDIDO!";
