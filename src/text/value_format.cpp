#include "text/value_format.h"

#include "text/blanks.h"
#include "text/fortran_format.h"

#include <algorithm>
#include <cmath>

namespace kalveo {

namespace {

constexpr FortranFormat kFallbackFormat{'F', 24, 9};

// Fixed-point text keeps integer and fraction digits within about nine.
int fixed_decimals_limit(double x) {
    const int magnitude = static_cast<int>(std::log10(std::fabs(x)));
    return magnitude >= 9 ? 0 : 8 - magnitude;
}

// Where the mantissa of an exponent text ends: at the "E", or at the sign of an
// exponent too long to keep its letter ("0.15+100").
std::size_t mantissa_end(const std::string& text) {
    const std::size_t e = text.find('E');
    if (e != std::string::npos) return e;
    const std::size_t point = text.find('.');
    return point == std::string::npos ? text.size() : text.find_first_of("+-", point);
}

void strip_mantissa_zeros(std::string& text) {
    const std::size_t end = mantissa_end(text);
    if (end == std::string::npos || end == text.size()) return;
    std::size_t begin = end;
    while (begin > 0 && text[begin - 1] == '0')
        --begin;
    text.erase(begin, end - begin);
}

void strip_fraction_zeros(std::string& text) {
    if (text.find('.') == std::string::npos) return;
    while (text.back() == '0')
        text.pop_back();
    if (text.back() == '.') text.pop_back();
}

} // namespace

std::string i2b(long long n, std::size_t width) {
    const auto w = static_cast<int>(std::clamp<std::size_t>(width, 1, kIntegerFieldWidth));
    return std::string(left_adjust(write_fortran_int(n, w)));
}

std::string f2b(double x, std::string_view fortran_format) {
    FortranFormat format = parse_fortran_format(fortran_format).value_or(kFallbackFormat);
    if (format.kind == 'F' && std::isfinite(x) && std::fabs(x) > 1.0)
        format.decimals = std::min(format.decimals, fixed_decimals_limit(x));
    std::string text(trim(write_fortran_real(x, format)));
    if (!std::isfinite(x) || text.front() == '*') return text;
    // Only the mantissa of an exponent text loses zeros: its exponent's digits count.
    if (format.kind == 'E')
        strip_mantissa_zeros(text);
    else
        strip_fraction_zeros(text);
    return text;
}

std::string l2b(bool q) {
    return q ? "1" : "0";
}

std::string numver_to_char(int numver) {
    const auto digit = [](int d) { return write_fortran_int(d, 1); };
    return std::string(left_adjust(write_fortran_int(numver / 1000, 2))) + "." +
           digit(numver / 100 % 10) + "." + digit(numver / 10 % 10) + "." + digit(numver % 10);
}

} // namespace kalveo
