#include "text/number_read.h"

#include "text/blanks.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string>

namespace kalveo {

namespace {

bool is_digit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

bool ends_item(char c) {
    return is_blank(c) || c == ',' || c == '/' || c == '\0';
}

std::size_t skip_digits(std::string_view text, std::size_t pos) {
    while (pos < text.size() && is_digit(text[pos]))
        ++pos;
    return pos;
}

// The parts of a real written as [sign] digits [. digits] [exponent].
struct RealParts {
    std::string_view integer;
    std::string_view fraction;
    long exponent = 0;
};

// Splits a real's notation into its parts; nothing when it is not one.
std::optional<RealParts> split_real(std::string_view item) {
    std::size_t pos = 0;
    if (pos < item.size() && (item[pos] == '+' || item[pos] == '-')) ++pos;
    RealParts parts;
    std::size_t end = skip_digits(item, pos);
    parts.integer = item.substr(pos, end - pos);
    pos = end;
    if (pos < item.size() && item[pos] == '.') {
        end = skip_digits(item, pos + 1);
        parts.fraction = item.substr(pos + 1, end - pos - 1);
        pos = end;
    }
    if (parts.integer.empty() && parts.fraction.empty()) return std::nullopt;
    if (pos == item.size()) return parts;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(item[pos])));
    if (letter != 'E' && letter != 'D') return std::nullopt;
    ++pos;
    bool negative = false;
    if (pos < item.size() && (item[pos] == '+' || item[pos] == '-')) negative = item[pos++] == '-';
    end = skip_digits(item, pos);
    if (end == pos || end != item.size()) return std::nullopt;
    for (; pos < end; ++pos)
        parts.exponent = std::min(parts.exponent * 10 + (item[pos] - '0'), 100000L);
    if (negative) parts.exponent = -parts.exponent;
    return parts;
}

// Power of ten of the leading significant digit, to tell an overflow from an
// underflow when the conversion is out of range.
long decimal_magnitude(const RealParts& parts) {
    const std::size_t lead = parts.integer.find_first_not_of('0');
    if (lead != std::string_view::npos)
        return static_cast<long>(parts.integer.size() - lead) - 1 + parts.exponent;
    const std::size_t frac_lead = parts.fraction.find_first_not_of('0');
    if (frac_lead == std::string_view::npos) return 0;
    return -static_cast<long>(frac_lead) - 1 + parts.exponent;
}

} // namespace

std::string_view first_item(std::string_view value) {
    value = left_adjust(value);
    std::size_t end = 0;
    while (end < value.size() && !ends_item(value[end]))
        ++end;
    return value.substr(0, end);
}

std::optional<int> read_int(std::string_view value) {
    std::string_view item = first_item(value);
    // from_chars takes a "-" but no "+".
    if (!item.empty() && item.front() == '+') {
        item.remove_prefix(1);
        if (!item.empty() && item.front() == '-') return std::nullopt;
    }
    int number = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), number);
    if (ec != std::errc() || end != item.data() + item.size()) return std::nullopt;
    return number;
}

std::optional<double> read_real(std::string_view value) {
    const std::string_view item = first_item(value);
    const auto parts = split_real(item);
    if (!parts) return std::nullopt;
    // from_chars knows no "D" exponent and no leading "+".
    std::string text(item.front() == '+' ? item.substr(1) : item);
    for (char& c : text)
        if (c == 'd' || c == 'D') c = 'e';
    double number = 0.0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (ec == std::errc::result_out_of_range && decimal_magnitude(*parts) < 0)
        return item.front() == '-' ? -0.0 : 0.0;
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return number;
}

} // namespace kalveo
