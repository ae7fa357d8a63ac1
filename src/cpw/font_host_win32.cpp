// Host fonts from the Windows font folder.
#include "cpw/cpw_font.h"
#include "cpw/font_names.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kalveo {

std::string cpw_localhost_fontpath() {
    const char* windir = std::getenv("WINDIR");
    return std::string(windir ? windir : "C:\\Windows") + "\\Fonts";
}

std::string cpw_localhost_fontfile(std::string_view name) {
    const std::string stem = font_file_stem(name);
    if (stem.empty()) return {};
    for (const char* extension : {".ttf", ".ttc", ".otf"}) {
        const std::filesystem::path file =
            std::filesystem::path(cpw_localhost_fontpath()) / (stem + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) return file.string();
    }
    return {};
}

} // namespace kalveo
