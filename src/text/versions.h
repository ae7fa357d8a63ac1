// text/versions: the numbered names under which the program keeps old copies of its own files.
//
// Before a file of ours is replaced, the old one is kept beside it under the
// name with "_00000", "_00001", ... before its extension ("Settings\Kalveo.ini"
// becomes "Settings\Kalveo_00004.ini" when _00003 is the highest number there).
// Names are backslash names, relative to the working folder or "C:\..." paths.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Highest version number a backup may carry.
inline constexpr int kLastVersion = 99998;

/// The next free versioned name of `fnam`: one more than the highest number found beside
/// it, skipping names already taken. Nothing when the name is blank or no number is left.
[[nodiscard]] std::optional<std::string> next_version_name(std::string_view fnam);

} // namespace kalveo
