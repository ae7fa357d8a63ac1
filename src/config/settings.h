// config: the settings file Settings\Kalveo.ini (reading, rewriting for a new version,
// saving window positions, editing), the simulator's pilot options and the language files.
//
// This header reads the settings file into one Settings value.
#pragma once

#include "config/settings_table.h"
#include "config/settings_value.h"

#include <optional>
#include <string_view>

namespace kalveo {

/// The settings file, relative to the program's folder.
inline constexpr std::string_view kSettingsFile = "Settings\\Kalveo.ini";

/// Longest line of a settings file; the rest of a longer line is ignored.
inline constexpr std::size_t kSettingsLineLength = 256;

/// The size of a settings text as read.
struct SettingsLineCounts {
    int lines = 0;         ///< lines read
    int longest = 0;       ///< length of the longest line (characters, trimmed)
    int setting_lines = 0; ///< lines that are neither empty nor comments
};

/// What reading a settings text gave.
struct SettingsRead {
    Settings settings;
    SettingsLineCounts counts;
};

/// Reads a settings file's whole text (any line ends) over `base` (the defaults unless the
/// caller has others) and applies the rules that tie settings together once the whole file
/// has been read: display switches kept in 0..1, the horizon style, wind display, the
/// flap-sound bank limit, VNE dropped with the unit from the simulator, and the language
/// (`system_french`: the system's language is French). Values that cannot be used are
/// logged and keep what `base` holds. Nothing else is changed.
[[nodiscard]] SettingsRead read_settings_text(std::string_view text, bool system_french,
                                              const Settings& base = {});

/// Reads Settings\Kalveo.ini as read_settings_text does, with the system's language.
/// Nothing when the file could not be opened or read to its end.
[[nodiscard]] std::optional<Settings> rd_ini();

} // namespace kalveo
