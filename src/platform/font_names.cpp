#include "platform/font_names.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <utility>

namespace kalveo {

namespace {

// Families whose metric-compatible stand-ins fontconfig knows by the Windows family name
// (Liberation, Carlito, Caladea, DejaVu): asking by family keeps the text widths of Windows.
constexpr std::array<std::pair<std::string_view, std::string_view>, 32> kCoreFonts{{
    {"arial", "Arial"},
    {"arialbd", "Arial:bold"},
    {"ariali", "Arial:italic"},
    {"arialbi", "Arial:bold:italic"},
    {"arialn", "Arial Narrow"},
    {"arialnb", "Arial Narrow:bold"},
    {"arialni", "Arial Narrow:italic"},
    {"arialnbi", "Arial Narrow:bold:italic"},
    {"times", "Times New Roman"},
    {"timesbd", "Times New Roman:bold"},
    {"timesi", "Times New Roman:italic"},
    {"timesbi", "Times New Roman:bold:italic"},
    {"cour", "Courier New"},
    {"courbd", "Courier New:bold"},
    {"couri", "Courier New:italic"},
    {"courbi", "Courier New:bold:italic"},
    {"verdana", "Verdana"},
    {"verdanab", "Verdana:bold"},
    {"verdanai", "Verdana:italic"},
    {"verdanaz", "Verdana:bold:italic"},
    {"tahoma", "Tahoma"},
    {"tahomabd", "Tahoma:bold"},
    {"georgia", "Georgia"},
    {"georgiab", "Georgia:bold"},
    {"calibri", "Calibri"},
    {"calibrib", "Calibri:bold"},
    {"cambria", "Cambria"},
    {"cambriab", "Cambria:bold"},
    {"consola", "Consolas"},
    {"consolab", "Consolas:bold"},
    {"segoeui", "Segoe UI"},
    {"comic", "Comic Sans MS"},
}};

bool ends_with(const std::string& text, std::string_view end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

} // namespace

std::string font_file_stem(std::string_view name) {
    const auto slash = name.find_last_of("/\\");
    if (slash != std::string_view::npos) name.remove_prefix(slash + 1);
    std::string stem(name);
    std::transform(stem.begin(), stem.end(), stem.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (std::string_view extension : {".ttf", ".ttc", ".otf"}) {
        if (ends_with(stem, extension)) {
            stem.resize(stem.size() - extension.size());
            break;
        }
    }
    return stem;
}

std::string core_font_pattern(std::string_view stem) {
    for (const auto& [file, pattern] : kCoreFonts) {
        if (file == stem) return std::string(pattern);
    }
    return {};
}

} // namespace kalveo
