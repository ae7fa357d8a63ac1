#include "platform/ui_language.h"

namespace kalveo {

std::string language_of_locale_name(std::string_view locale_name) {
    const auto end = locale_name.find_first_of("_.@-");
    const std::string_view part = locale_name.substr(0, end);
    if (part == "C" || part == "POSIX") return {};
    std::string code;
    for (const char c : part) {
        if (c >= 'A' && c <= 'Z') {
            code += static_cast<char>(c - 'A' + 'a');
        } else if (c >= 'a' && c <= 'z') {
            code += c;
        } else {
            return {};
        }
    }
    return code.size() >= 2 && code.size() <= 3 ? code : std::string{};
}

} // namespace kalveo
