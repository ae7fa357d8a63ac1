// Installed fonts from the Windows font folder; under Wine, the host's fonts as Wine lists them.
#include "platform/font_names.h"
#include "platform/host_fonts.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <windows.h>

namespace kalveo {

namespace {

std::string in_font_folder(const std::string& stem) {
    for (const char* extension : {".ttf", ".ttc", ".otf"}) {
        const std::filesystem::path file =
            std::filesystem::path(host_font_folder()) / (stem + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) return file.string();
    }
    return {};
}

// Wine lists the host's font files by face name ("DejaVu Sans Bold (TrueType)") with a path
// on its Z: drive; a fresh prefix has nothing else, not even Arial.
std::map<std::string, std::string> wine_external_fonts() {
    std::map<std::string, std::string> fonts;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Fonts\\External Fonts", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return fonts;
    for (DWORD i = 0;; ++i) {
        char name[512];
        BYTE data[1024];
        DWORD name_size = sizeof name;
        DWORD data_size = sizeof data - 1;
        DWORD type = 0;
        const LONG status =
            RegEnumValueA(key, i, name, &name_size, nullptr, &type, data, &data_size);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        data[data_size] = 0;
        std::string face(name, name_size);
        const std::string suffix = " (TrueType)";
        if (face.size() > suffix.size() && face.ends_with(suffix))
            face.resize(face.size() - suffix.size());
        fonts.emplace(face, reinterpret_cast<const char*>(data));
    }
    RegCloseKey(key);
    return fonts;
}

std::string stand_in_file(const std::string& stem) {
    const std::map<std::string, std::string> fonts = wine_external_fonts();
    for (const std::string& face : stand_in_faces(stem)) {
        const auto found = fonts.find(face);
        std::error_code error;
        if (found != fonts.end() && std::filesystem::is_regular_file(found->second, error))
            return found->second;
    }
    return {};
}

} // namespace

std::string host_font_folder() {
    const char* windir = std::getenv("WINDIR");
    return std::string(windir ? windir : "C:\\Windows") + "\\Fonts";
}

std::string host_font_file(std::string_view name) {
    const std::string stem = font_file_stem(name);
    if (stem.empty()) return {};
    const std::string file = in_font_folder(stem);
    if (!file.empty() || core_font_pattern(stem).empty()) return file;
    return stand_in_file(stem);
}

} // namespace kalveo
