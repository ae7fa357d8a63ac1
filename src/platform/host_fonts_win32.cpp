// Installed fonts from the Windows font folder.
#include "platform/host_fonts.h"

#include "platform/font_names.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace kalveo {

std::string host_font_folder() {
    const char* windir = std::getenv("WINDIR");
    return std::string(windir ? windir : "C:\\Windows") + "\\Fonts";
}

std::string host_font_file(std::string_view name) {
    const std::string stem = font_file_stem(name);
    if (stem.empty()) return {};
    for (const char* extension : {".ttf", ".ttc", ".otf"}) {
        const std::filesystem::path file =
            std::filesystem::path(host_font_folder()) / (stem + extension);
        std::error_code error;
        if (std::filesystem::is_regular_file(file, error)) return file.string();
    }
    return {};
}

} // namespace kalveo
