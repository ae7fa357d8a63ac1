#include "text/blanks.h"

namespace kalveo {

std::string_view trim_right(std::string_view text) {
    while (!text.empty() && is_blank(text.back()))
        text.remove_suffix(1);
    return text;
}

std::string_view left_adjust(std::string_view text) {
    while (!text.empty() && is_blank(text.front()))
        text.remove_prefix(1);
    return text;
}

std::string_view trim(std::string_view text) {
    return left_adjust(trim_right(text));
}

bool is_blank_text(std::string_view text) {
    return trim_right(text).empty();
}

} // namespace kalveo
