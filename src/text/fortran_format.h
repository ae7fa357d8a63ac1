// text/fortran_format: numbers written in fixed-width fields (Iw, Fw.d, Ew.d).
//
// The program's files keep the number forms of their original formats: a number
// is right-justified in its field, and one that does not fit fills the field
// with asterisks rather than widening it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

struct FortranFormat {
    char kind = 'F';  ///< 'I' integer, 'F' fixed point, 'E' exponent
    int width = 0;    ///< field width in characters; 0 for I and F: as wide as needed
    int decimals = 0; ///< digits after the point (F) or of the mantissa (E)
};

/// Reads a format such as "(F8.2)", "(f12.7)", "(E12.4)" or "(I5)"; letters in
/// either case, parentheses and blanks optional. Nothing for other formats.
[[nodiscard]] std::optional<FortranFormat> parse_fortran_format(std::string_view fmt);

/// The integer right-justified in `width` characters (0: as wide as needed);
/// asterisks when it does not fit.
[[nodiscard]] std::string write_fortran_int(long long n, int width);

/// The real in the format's field: F as "-12.50" (the zero before the point is
/// dropped only when the field is too narrow for it), E as "0.1250E+02" (the
/// exponent loses its "E" beyond two digits). NaN and infinities are written as
/// "NaN", "Inf" or "Infinity"; asterisks when the text does not fit. An I format
/// writes the nearest integer.
[[nodiscard]] std::string write_fortran_real(double x, const FortranFormat& format);

} // namespace kalveo
