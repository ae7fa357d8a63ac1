// display/padding: right-aligning a whole number in a three-digit column.
#pragma once

namespace kalveo {

/// Digit widths to put before `value` so that it ends where a three-digit number would:
/// 2 up to 9 (negative values included), 1 for 10..99, 0 from 100 on.
[[nodiscard]] constexpr int Padding(int value) {
    if (value <= 9) return 2;
    if (value <= 99) return 1;
    return 0;
}

} // namespace kalveo
