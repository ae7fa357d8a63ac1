// text/key_value: splitting "key=value" lines and separated lists, yes/no flags.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kalveo {

/// Length to which keys and values read from settings files are cut.
inline constexpr std::size_t kKeyValueLength = 80;

struct KeyValue {
    std::string key; ///< left-adjusted, trailing blanks removed
    std::string val; ///< left-adjusted, trailing blanks removed; empty means absent
};

/// Splits a line at its first "=" (at its first ":" only when it holds no "="):
/// the key is the text before, the value the text after, each left-adjusted and
/// cut to `key_len` / `val_len` characters. A line without either separator is
/// all key (not left-adjusted) with an empty value. No case folding, comments
/// or quotes: a further "=" or ":" stays in the value.
[[nodiscard]] KeyValue extract_key_val(std::string_view ligne,
                                       std::size_t key_len = kKeyValueLength,
                                       std::size_t val_len = kKeyValueLength);

/// Takes the first item off a `sep`-separated list and returns it left-adjusted;
/// `text` keeps what follows the separator. A part in double quotes is one unit
/// (quotes kept), so a separator inside it does not split. The last item leaves
/// `text` empty; a blank `text` gives an empty item.
std::string extract_list(std::string& text, char sep);

/// extract_list with the separator ",".
std::string extract_comma(std::string& text);

/// True exactly when the text begins with "1", "Y" or "y".
[[nodiscard]] constexpr bool is_true(std::string_view cc) {
    return !cc.empty() && (cc.front() == '1' || cc.front() == 'Y' || cc.front() == 'y');
}

/// 1 for true, 0 for false.
[[nodiscard]] constexpr int log2int(bool q) {
    return q ? 1 : 0;
}

/// The characters of a NUL-terminated buffer up to its NUL, at most `ls` of them
/// (`ls` 0: no limit besides the buffer).
[[nodiscard]] std::string strcpy_c2f(std::string_view in_str, std::size_t ls = 0);

/// A blank-padded text without its padding, ready to be handed on as C text.
[[nodiscard]] std::string strcpy_f2c(std::string_view in_str);

} // namespace kalveo
