// platform/wine_places: the files in which Wine front-ends name the prefixes they keep,
// read as plain text: the prefix of a Lutris game file, the library folders of Steam, and
// the simulator's keys in a prefix's user.reg.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo {

/// The `prefix:` of a Lutris game file (YAML) in its `game:` section, unquoted, with a
/// leading "~/" left as it is. Nothing when the file names no prefix.
[[nodiscard]] std::optional<std::string> lutris_game_prefix(std::string_view yml);

/// The folders listed in Steam's libraryfolders.vdf, in file order: the "path" of each
/// numbered entry, or the numbered values of the older form of the file.
[[nodiscard]] std::vector<std::string> steam_library_folders(std::string_view vdf);

/// The sections of a registry file (user.reg) whose key begins with "Software\Condor",
/// as a registry text of their own: the simulator's keys without the rest of a large file.
[[nodiscard]] std::string simulator_sections(std::string_view user_reg);

/// True when a section header among `lines` (text from a line start on) sorts after every
/// key of the simulator. Wine writes the keys of a registry file in order, so the rest of
/// the file holds none of them and need not be read.
[[nodiscard]] bool past_simulator_sections(std::string_view lines);

} // namespace kalveo
