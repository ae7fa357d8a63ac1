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

} // namespace kalveo
