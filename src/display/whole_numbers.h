// display/whole_numbers: the whole numbers the windows show, as text and right-aligned.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>

namespace kalveo {

/// Digit widths to put before `value` so that it ends where a three-digit number would:
/// 2 up to 9 (negative values included), 1 for 10..99, 0 from 100 on.
[[nodiscard]] constexpr int Padding(int value) {
    if (value <= 9) return 2;
    if (value <= 99) return 1;
    return 0;
}

/// A whole number that may come from broken data, cut to what an int holds (0 for NaN).
[[nodiscard]] inline int whole(double value) {
    if (!std::isfinite(value)) return 0;
    return static_cast<int>(std::clamp(value, -1e9, 1e9));
}

/// The number as the windows write it: digits and a minus sign, nothing else.
[[nodiscard]] inline std::string int_text(int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

} // namespace kalveo
