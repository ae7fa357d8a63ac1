// text/blanks: what counts as a blank, and trimming by it.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// Blank for trimming and left-adjusting: space and tab, and the CR and LF that
/// files with CR LF line ends leave at a line's end.
[[nodiscard]] constexpr bool is_blank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

/// The text without its trailing blanks.
[[nodiscard]] std::string_view trim_right(std::string_view text);

/// The text without its leading blanks.
[[nodiscard]] std::string_view left_adjust(std::string_view text);

/// The text without leading and trailing blanks.
[[nodiscard]] std::string_view trim(std::string_view text);

/// True when the text holds nothing but blanks.
[[nodiscard]] bool is_blank_text(std::string_view text);

} // namespace kalveo
