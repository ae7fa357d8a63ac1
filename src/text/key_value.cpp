#include "text/key_value.h"

#include "text/blanks.h"

namespace kalveo {

namespace {

std::string cut_and_trim(std::string_view text, std::size_t len) {
    return std::string(trim_right(text.substr(0, len)));
}

// Where the item taken by extract_list ends and where the rest begins.
struct ItemEnd {
    std::size_t item_end;
    std::size_t rest_begin;
};

// A quote before the first separator with its closing quote anywhere after it
// makes the quoted part one unit; the item runs to the first separator after the
// closing quote, or ends with the closing quote when none follows.
ItemEnd find_item_end(std::string_view text, char sep, std::size_t first_sep) {
    const std::size_t open = text.find('"');
    if (open == std::string_view::npos || open > first_sep) return {first_sep, first_sep + 1};
    const std::size_t close = text.find('"', open + 1);
    if (close == std::string_view::npos) return {first_sep, first_sep + 1};
    const std::size_t next_sep = text.find(sep, close + 1);
    if (next_sep != std::string_view::npos) return {next_sep, next_sep + 1};
    // Nothing is dropped after the closing quote: what follows stays in the list.
    return {close + 1, close + 1};
}

} // namespace

KeyValue extract_key_val(std::string_view ligne, std::size_t key_len, std::size_t val_len) {
    std::size_t p = ligne.find('=');
    if (p == std::string_view::npos) p = ligne.find(':');
    if (p == std::string_view::npos) return {cut_and_trim(ligne, key_len), {}};
    return {cut_and_trim(left_adjust(ligne.substr(0, p)), key_len),
            cut_and_trim(left_adjust(ligne.substr(p + 1)), val_len)};
}

std::string extract_list(std::string& text, char sep) {
    if (is_blank_text(text)) {
        text.clear();
        return {};
    }
    const std::size_t first_sep = text.find(sep);
    if (first_sep == std::string::npos) {
        std::string item(trim(text));
        text.clear();
        return item;
    }
    const ItemEnd end = find_item_end(text, sep, first_sep);
    std::string item(trim(std::string_view(text).substr(0, end.item_end)));
    text.erase(0, end.rest_begin);
    return item;
}

std::string extract_comma(std::string& text) {
    return extract_list(text, ',');
}

std::string strcpy_c2f(std::string_view in_str, std::size_t ls) {
    if (ls != 0 && in_str.size() > ls) in_str = in_str.substr(0, ls);
    std::string out(in_str.substr(0, in_str.find('\0')));
    return out;
}

std::string strcpy_f2c(std::string_view in_str) {
    std::string out(trim_right(in_str.substr(0, in_str.find('\0'))));
    return out;
}

} // namespace kalveo
