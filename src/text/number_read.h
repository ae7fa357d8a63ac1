// text/number_read: numbers taken from values as a free-form read takes them.
//
// The number is the first item of the value: leading blanks are skipped and the
// item ends at a blank, a comma or a slash; whatever follows is ignored. An item
// that is not wholly a number of the wanted kind is a read error, as are an
// empty value and a number out of range. Always the classic notation (decimal
// point), whatever the machine's locale.
#pragma once

#include <limits>
#include <optional>
#include <string_view>

namespace kalveo {

/// An optionally signed run of decimal digits; "12.0" and "1e3" are errors.
[[nodiscard]] std::optional<int> read_int(std::string_view value);

/// A real in any Fortran notation: "15", "-1.5", ".5", "5.", "1.5E3", "1.5d-2".
/// "nan" and "inf" are not numbers. Values too small for a double read as zero.
[[nodiscard]] std::optional<double> read_real(std::string_view value);

/// The negation of a key or scan-code number read from a file (a scan code is stored negated
/// in a key code). The most negative int has no positive counterpart: it becomes the largest
/// int, which names no key either.
[[nodiscard]] constexpr int negate_key_number(int number) {
    return number == std::numeric_limits<int>::min() ? std::numeric_limits<int>::max() : -number;
}

/// The first item of a value as both reads see it (without leading blanks).
[[nodiscard]] std::string_view first_item(std::string_view value);

} // namespace kalveo
