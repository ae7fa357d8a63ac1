#include "text/file_names.h"

#include "text/blanks.h"

namespace kalveo {

std::size_t last_separator(std::string_view path) {
    return path.find_last_of("\\/");
}

std::string extract_name(std::string_view path) {
    path = trim_right(path);
    const std::size_t sep = last_separator(path);
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

PathName extract_path_name(std::string_view path) {
    path = trim_right(path);
    if (path.empty()) return {};
    if (path == "..") return {"..\\", {}};
    const std::size_t sep = last_separator(path);
    if (sep == std::string_view::npos) return {".\\", std::string(path)};
    return {std::string(path.substr(0, sep + 1)), std::string(path.substr(sep + 1))};
}

std::string file_name_part(std::string_view name) {
    std::string out(trim(name));
    for (char& c : out) {
        if (c == '\\' || c == '/' || c == ':') c = '_';
    }
    for (std::size_t dots = out.find(".."); dots != std::string::npos; dots = out.find("..")) {
        out.replace(dots, 2, "__");
    }
    return out;
}

} // namespace kalveo
