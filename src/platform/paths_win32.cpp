#include "platform/paths.h"

#include <cctype>

namespace kalveo {

bool has_drive_letter(std::string_view name) {
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

std::filesystem::path wine_prefix() { return {}; }

std::filesystem::path native_path(std::string_view name) { return std::filesystem::path(name); }

} // namespace kalveo
