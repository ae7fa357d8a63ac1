// text/strings: character-level changes of a text.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// The text in capitals: "a" to "z" become "A" to "Z", every other character
/// (accented letters included) stays; trailing blanks are dropped.
[[nodiscard]] std::string majusc(std::string_view text);

/// A comma-separated line with decimal points as a semicolon-separated line with
/// decimal commas: "," becomes ";" and then "." becomes ","; trailing blanks are
/// dropped.
[[nodiscard]] std::string subs_dot_comma(std::string_view text);

} // namespace kalveo
