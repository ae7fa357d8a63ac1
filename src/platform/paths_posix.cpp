#include "platform/env.h"
#include "platform/paths.h"
#include "platform/wine_drives.h"

#include <cctype>

namespace kalveo {

bool has_drive_letter(std::string_view name) {
    return name.size() >= 2 && std::isalpha(static_cast<unsigned char>(name[0])) && name[1] == ':';
}

std::filesystem::path wine_prefix() {
    if (auto prefix = get_env("WINEPREFIX"); prefix && !prefix->empty()) return *prefix;
    if (auto settled = settled_wine_prefix(); !settled.empty()) return settled;
    if (auto home = get_env("HOME"); home && !home->empty())
        return std::filesystem::path(*home) / ".wine";
    return ".wine";
}

namespace {

std::string with_slashes(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        if (c == '\\') c = '/';
    return out;
}

// "C:" lives where the prefix's dosdevices link points; a prefix made without
// the links (as our sample installations are) still has drive_c.
std::filesystem::path drive_root(const std::filesystem::path& prefix, char letter) {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    const auto device = prefix / "dosdevices" / (std::string(1, lower) + ":");
    std::error_code ec;
    if (std::filesystem::exists(device, ec)) return device;
    if (lower == 'c') return prefix / "drive_c";
    return device;
}

} // namespace

std::filesystem::path native_path_in(const std::filesystem::path& prefix, std::string_view name) {
    if (!has_drive_letter(name)) return std::filesystem::path(with_slashes(name));
    std::string rest = with_slashes(name.substr(2));
    while (!rest.empty() && rest.front() == '/')
        rest.erase(rest.begin());
    auto root = drive_root(prefix, name[0]);
    return rest.empty() ? root : root / rest;
}

std::filesystem::path native_path(std::string_view name) {
    if (!has_drive_letter(name)) return std::filesystem::path(with_slashes(name));
    return native_path_in(wine_prefix(), name);
}

} // namespace kalveo
