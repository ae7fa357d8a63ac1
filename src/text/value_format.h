// text/value_format: numbers, flags and version numbers as short left-adjusted text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalveo {

/// Widest field i2b writes an integer in.
inline constexpr std::size_t kIntegerFieldWidth = 16;

/// The integer as text, written in a field of `width` characters (at most 16)
/// and left-adjusted: asterisks when the field is too narrow for it.
[[nodiscard]] std::string i2b(long long n, std::size_t width = kIntegerFieldWidth);

/// The real written with a format such as "(F8.2)" or "(E12.4)", left-adjusted,
/// without useless zeros: 15.0 with "(F8.1)" gives "15", 1.5 with "(F8.4)" "1.5".
/// A fixed-point format keeps at most about nine significant digits (a value
/// above 1 loses decimals beyond 8 - int(log10 |x|)). An unreadable format is
/// taken as "(F24.9)".
[[nodiscard]] std::string f2b(double x, std::string_view fortran_format);

/// "1" for true, "0" for false.
[[nodiscard]] std::string l2b(bool q);

/// The version number major*1000 + minor*100 + release*10 + build as
/// "major.minor.release.build": 3210 gives "3.2.1.0", 12345 "12.3.4.5".
[[nodiscard]] std::string numver_to_char(int numver);

} // namespace kalveo
