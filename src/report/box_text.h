// report/box_text: how a message text becomes the text of a box.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalveo {

/// Longest box text and box title; the rest is cut.
inline constexpr std::size_t kBoxTextLength = 511;
inline constexpr std::size_t kBoxTitleLength = 63;

/// Every "/" becomes a line feed, except "\/", which stands for a slash.
[[nodiscard]] std::string box_lines(std::string_view msg);

/// The text cut to at most `length` bytes, never inside a UTF-8 character,
/// without its trailing blanks.
[[nodiscard]] std::string cut_trimmed(std::string_view text, std::size_t length);

} // namespace kalveo
