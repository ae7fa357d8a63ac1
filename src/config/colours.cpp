#include "config/colours.h"

#include "report/trace.h"

#include <array>
#include <cstdio>

namespace kalveo {

namespace {

struct NamedColour {
    std::string_view name;
    int rgb;
};

constexpr std::array<NamedColour, 10> kNamedColours{{
    {"BLACK", 0x000000},
    {"WHITE", 0xFFFFFF},
    {"GREY", 0x7F7F7F},
    {"GRAY", 0x7F7F7F},
    {"RED", 0xFF0000},
    {"GREEN", 0x00FF00},
    {"BLUE", 0x0000FF},
    {"CYAN", 0x00FFFF},
    {"MAGENTA", 0xFF00FF},
    {"YELLOW", 0xFFFF00},
}};

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::string capitals(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return out;
}

// The six digits after "#"; what follows them is ignored.
std::optional<int> hex_colour(std::string_view digits) {
    if (digits.size() < 6) return std::nullopt;
    int rgb = 0;
    for (int i = 0; i < 6; ++i) {
        const int d = hex_digit(digits[static_cast<std::size_t>(i)]);
        if (d < 0) return std::nullopt;
        rgb = rgb * 16 + d;
    }
    return rgb;
}

} // namespace

std::optional<int> parse_colour(std::string_view text) {
    if (!text.empty() && text.front() == '#') return hex_colour(text.substr(1));
    const std::string name = capitals(text);
    for (const auto& colour : kNamedColours)
        if (colour.name == name) return colour.rgb;
    return std::nullopt;
}

int txt2rgb(std::string_view text) {
    if (auto rgb = parse_colour(text)) return *rgb;
    const std::string shown(text);
    trace("*** %s : Unrecognised colour ***\n", shown.c_str());
    return kUnrecognisedColour;
}

std::string rgb2txt(int rgb) {
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "#%06X", static_cast<unsigned>(rgb) & 0xFFFFFFu);
    return buffer;
}

} // namespace kalveo
