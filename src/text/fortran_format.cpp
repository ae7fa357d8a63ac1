#include "text/fortran_format.h"

#include "text/blanks.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kalveo {

namespace {

// Widest field the writer accepts; real formats never ask for more.
constexpr int kMaxWidth = 255;

std::string fit(std::string text, int width) {
    if (width == 0) return text;
    const auto w = static_cast<std::size_t>(width);
    if (text.size() > w) return std::string(w, '*');
    return std::string(w - text.size(), ' ') + text;
}

std::optional<int> read_small_number(std::string_view& text) {
    int value = 0;
    std::size_t used = 0;
    while (used < text.size() && std::isdigit(static_cast<unsigned char>(text[used]))) {
        value = value * 10 + (text[used] - '0');
        if (value > kMaxWidth) return std::nullopt;
        ++used;
    }
    if (used == 0) return std::nullopt;
    text.remove_prefix(used);
    return value;
}

std::string non_finite(double x, int width) {
    if (std::isnan(x)) return fit("NaN", width);
    const std::string sign = x < 0 ? "-" : "";
    const std::string word =
        (width == 0 || static_cast<std::size_t>(width) >= sign.size() + 8) ? "Infinity" : "Inf";
    return fit(sign + word, width);
}

// snprintf into a std::string of the length it needs (a huge fixed-point value
// runs to hundreds of digits).
template <typename... Args> std::string print(const char* format, Args... args) {
    const int n = std::snprintf(nullptr, 0, format, args...);
    if (n <= 0) return {};
    std::string text(static_cast<std::size_t>(n) + 1, '\0');
    std::snprintf(text.data(), text.size(), format, args...);
    text.pop_back();
    return text;
}

// A text "0.xxx" or "-0.xxx" may lose its leading zero when the field is short.
std::string fit_dropping_zero(std::string text, int width) {
    if (width > 0 && text.size() > static_cast<std::size_t>(width)) {
        const std::size_t zero = text.front() == '-' ? 1 : 0;
        if (text.compare(zero, 2, "0.") == 0) text.erase(zero, 1);
    }
    return fit(std::move(text), width);
}

std::string write_fixed(double x, int width, int decimals) {
    return fit_dropping_zero(print("%#.*f", decimals, x), width);
}

std::string write_exponent(double x, int width, int decimals) {
    // %e gives d.ddd e±x; the field wants 0.dddd with the exponent one higher.
    const std::string sci = print("%.*e", decimals - 1, std::fabs(x));
    const std::size_t e = sci.find('e');
    std::string digits = sci.substr(0, 1) + (decimals > 1 ? sci.substr(2, e - 2) : "");
    int exponent = x == 0.0 ? 0 : std::atoi(sci.c_str() + e + 1) + 1;
    const char exp_sign = exponent < 0 ? '-' : '+';
    exponent = std::abs(exponent);
    const std::string exp_text =
        exponent <= 99 ? print("E%c%02d", exp_sign, exponent) : print("%c%03d", exp_sign, exponent);
    const std::string sign = std::signbit(x) ? "-" : "";
    return fit_dropping_zero(sign + "0." + digits + exp_text, width);
}

} // namespace

std::optional<FortranFormat> parse_fortran_format(std::string_view fmt) {
    fmt = trim(fmt);
    if (fmt.size() >= 2 && fmt.front() == '(' && fmt.back() == ')')
        fmt = trim(fmt.substr(1, fmt.size() - 2));
    if (fmt.empty()) return std::nullopt;
    FortranFormat format;
    format.kind = static_cast<char>(std::toupper(static_cast<unsigned char>(fmt.front())));
    if (format.kind != 'I' && format.kind != 'F' && format.kind != 'E') return std::nullopt;
    fmt.remove_prefix(1);
    const auto width = read_small_number(fmt);
    if (!width) return std::nullopt;
    format.width = *width;
    if (format.kind == 'I') {
        if (!fmt.empty()) return std::nullopt;
        return format;
    }
    if (fmt.empty() || fmt.front() != '.') return std::nullopt;
    fmt.remove_prefix(1);
    const auto decimals = read_small_number(fmt);
    if (!decimals || !fmt.empty()) return std::nullopt;
    format.decimals = *decimals;
    // An exponent field needs a width and at least one mantissa digit.
    if (format.kind == 'E' && (format.width == 0 || format.decimals == 0)) return std::nullopt;
    return format;
}

std::string write_fortran_int(long long n, int width) {
    return fit(print("%lld", n), width);
}

std::string write_fortran_real(double x, const FortranFormat& format) {
    if (!std::isfinite(x)) return non_finite(x, format.width);
    switch (format.kind) {
    case 'I':
        if (std::fabs(x) >= 9.2e18) return std::string(std::max(format.width, 1), '*');
        return write_fortran_int(std::llround(x), format.width);
    case 'E':
        return write_exponent(x, format.width, format.decimals);
    default:
        return write_fixed(x, format.width, format.decimals);
    }
}

} // namespace kalveo
