// config/colours: colours as the settings file writes them (a name or "#RRGGBB").
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Grey, the colour of a text that names no colour.
inline constexpr int kUnrecognisedColour = 0x7F7F7F;

/// The colour of a name (BLACK, WHITE, GREY, GRAY, RED, GREEN, BLUE, CYAN, MAGENTA,
/// YELLOW, any case) or of "#" and six hexadecimal digits; nothing for other texts.
[[nodiscard]] std::optional<int> parse_colour(std::string_view text);

/// parse_colour, with grey and a console line for a text that names no colour.
[[nodiscard]] int txt2rgb(std::string_view text);

/// "#" and six upper-case hexadecimal digits red, green, blue.
[[nodiscard]] std::string rgb2txt(int rgb);

} // namespace kalveo
