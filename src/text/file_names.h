// text/file_names: splitting backslash file names into folder and name.
//
// Names are written as on Windows ("Settings\Kalveo.ini", "C:\x\y.txt"); a "/"
// separates folders as well, so native names (the program's own path on Linux)
// split the same way.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// The text after the last folder separator, or the whole name when it has
/// none; empty for a blank name.
[[nodiscard]] std::string extract_name(std::string_view path);

struct PathName {
    std::string folder; ///< ends with its separator; ".\" when the name had no folder
    std::string name;   ///< the part after the folder
};

/// Splits a name into folder and name: "C:\x\y.txt" gives "C:\x\" and "y.txt",
/// "arial.ttf" gives ".\" and "arial.ttf", ".." gives "..\" and no name, a
/// blank name nothing at all.
[[nodiscard]] PathName extract_path_name(std::string_view path);

/// `name` made fit to stand as one part of a file name: trimmed, with every folder
/// separator, drive colon and ".." replaced by "_", so that a name from an outside file
/// (a glider in a flight plan) cannot reach another folder.
[[nodiscard]] std::string file_name_part(std::string_view name);

/// Position of the last folder separator ("\" or "/"), or npos.
[[nodiscard]] std::size_t last_separator(std::string_view path);

} // namespace kalveo
