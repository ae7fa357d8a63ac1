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

// Faces of the same metrics as a Windows family, by the names their files carry.
constexpr std::array<std::pair<std::string_view, std::string_view>, 5> kMetricTwins{{
    {"Arial", "Liberation Sans"},
    {"Times New Roman", "Liberation Serif"},
    {"Courier New", "Liberation Mono"},
    {"Calibri", "Carlito"},
    {"Cambria", "Caladea"},
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

std::vector<std::string> stand_in_faces(std::string_view stem) {
    const std::string pattern = core_font_pattern(stem);
    const auto colon = pattern.find(':');
    const std::string family = pattern.substr(0, colon);
    const bool bold = pattern.find(":bold") != std::string::npos;
    const bool italic = pattern.find(":italic") != std::string::npos;
    const auto styled = [&](std::string face, std::string_view slant) {
        if (bold) face += " Bold";
        if (italic) (face += ' ') += slant;
        return face;
    };
    std::vector<std::string> faces;
    for (const auto& [windows, twin] : kMetricTwins) {
        if (family == windows) faces.push_back(styled(std::string(twin), "Italic"));
    }
    for (std::string face :
         {styled("Liberation Sans", "Italic"), styled("DejaVu Sans", "Oblique")}) {
        if (std::find(faces.begin(), faces.end(), face) == faces.end())
            faces.push_back(std::move(face));
    }
    return faces;
}

} // namespace kalveo
