#include "text/versions.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "text/blanks.h"
#include "text/file_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string_view>
#include <system_error>

namespace kalveo {

namespace fs = std::filesystem;

namespace {

// A name split before its extension; the dot is looked for in the file's own
// name only, so a dot in a folder name is no extension.
struct StemExt {
    std::string stem; ///< the name up to the extension, folder included
    std::string ext;  ///< from the dot on, empty when there is none
};

StemExt split_extension(std::string_view fnam) {
    const std::size_t sep = last_separator(fnam);
    const std::size_t name_begin = sep == std::string_view::npos ? 0 : sep + 1;
    const std::size_t dot = fnam.rfind('.');
    if (dot == std::string_view::npos || dot < name_begin) return {std::string(fnam), {}};
    return {std::string(fnam.substr(0, dot)), std::string(fnam.substr(dot))};
}

std::string versioned_name(const StemExt& parts, int number) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "_%05d", number);
    return parts.stem + digits + parts.ext;
}

// The number of a folder entry named "<name>_NNNNN<ext>", or nothing.
std::optional<int> version_of_entry(std::string_view entry, std::string_view name,
                                    std::string_view ext) {
    if (entry.size() != name.size() + 6 + ext.size()) return std::nullopt;
    if (!same_file_name(entry.substr(0, name.size()), name) || entry[name.size()] != '_' ||
        !same_file_name(entry.substr(name.size() + 6), ext))
        return std::nullopt;
    int number = 0;
    for (char c : entry.substr(name.size() + 1, 5)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

// A folder entry's name as narrow text; names the narrow code page cannot hold
// (possible on Windows only) cannot be one of our backups.
std::optional<std::string> entry_name(const fs::path& entry) {
    try {
        return entry.filename().string();
    } catch (const std::system_error&) {
        return std::nullopt;
    }
}

// Highest version number beside the file, -1 when there is none (or no folder).
int highest_version(const StemExt& parts) {
    const std::size_t sep = last_separator(parts.stem);
    const std::string folder = sep == std::string::npos ? "" : parts.stem.substr(0, sep + 1);
    const std::string name = parts.stem.substr(folder.size());
    int highest = -1;
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : native_path(folder), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        const auto entry = entry_name(it->path());
        if (!entry) continue;
        if (const auto number = version_of_entry(*entry, name, parts.ext))
            highest = std::max(highest, *number);
    }
    return highest;
}

// Taken when anything at all is there, a dangling link included, or when the
// name cannot be checked.
bool name_taken(const std::string& name) {
    std::error_code ec;
    return fs::symlink_status(native_path(name), ec).type() != fs::file_type::not_found;
}

} // namespace

std::optional<std::string> next_version_name(std::string_view fnam) {
    const std::string original(trim_right(fnam));
    if (original.empty()) return std::nullopt;
    const StemExt parts = split_extension(original);
    int number = highest_version(parts) + 1;
    while (number <= kLastVersion && name_taken(versioned_name(parts, number)))
        ++number;
    if (number > kLastVersion) return std::nullopt;
    return versioned_name(parts, number);
}

} // namespace kalveo
