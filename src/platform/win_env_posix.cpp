#include "platform/env.h"
#include "platform/paths.h"
#include "platform/win_env.h"

#include <array>
#include <cctype>
#include <pwd.h>
#include <unistd.h>

namespace kalveo {
namespace {

bool same_name(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

struct PrefixDefault {
    std::string_view name;
    bool in_user_folder; ///< value is "C:\users\<login>" followed by `value`
    std::string_view value;
};

// What Wine puts into a new prefix's environment.
constexpr std::array<PrefixDefault, 13> kPrefixDefaults = {{
    {"USERPROFILE", true, ""},
    {"APPDATA", true, "\\AppData\\Roaming"},
    {"LOCALAPPDATA", true, "\\AppData\\Local"},
    {"TEMP", true, "\\AppData\\Local\\Temp"},
    {"TMP", true, "\\AppData\\Local\\Temp"},
    {"HOMEDRIVE", false, "C:"},
    {"SYSTEMDRIVE", false, "C:"},
    {"SYSTEMROOT", false, "C:\\windows"},
    {"WINDIR", false, "C:\\windows"},
    {"PROGRAMFILES", false, "C:\\Program Files"},
    {"PROGRAMDATA", false, "C:\\ProgramData"},
    {"PUBLIC", false, "C:\\users\\Public"},
    {"ALLUSERSPROFILE", false, "C:\\ProgramData"},
}};

// Proton names the user folder of its prefixes "steamuser" whoever the login is.
std::string prefix_user_name() {
    std::string login = wine_login_name();
    const auto users = wine_prefix() / "drive_c" / "users";
    std::error_code ec;
    if (!std::filesystem::exists(users / login, ec) &&
        std::filesystem::is_directory(users / "steamuser", ec))
        login = "steamuser";
    return login;
}

std::optional<std::string> prefix_default(std::string_view name) {
    const std::string login = prefix_user_name();
    if (same_name(name, "USERNAME")) return login.empty() ? std::nullopt : std::optional(login);
    if (same_name(name, "HOMEPATH")) return "\\users\\" + login;
    for (const auto& d : kPrefixDefaults) {
        if (!same_name(name, d.name)) continue;
        if (!d.in_user_folder) return std::string(d.value);
        if (login.empty()) return std::nullopt;
        return "C:\\users\\" + login + std::string(d.value);
    }
    return std::nullopt;
}

} // namespace

std::string wine_login_name() {
    for (const char* variable : {"USER", "LOGNAME"})
        if (auto value = get_env(variable); value && !value->empty()) return *value;
    if (const passwd* entry = getpwuid(getuid()); entry != nullptr && entry->pw_name != nullptr)
        return entry->pw_name;
    return {};
}

std::optional<std::string> windows_env(std::string_view name) {
    if (name.empty()) return std::nullopt;
    if (auto host = get_env(name); host && !host->empty()) return host;
    return prefix_default(name);
}

} // namespace kalveo
