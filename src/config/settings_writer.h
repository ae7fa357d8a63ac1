// config/settings_writer: writing the settings file: a rewrite from the commented template
// with the values in force, and the saving of the window positions.
#pragma once

#include "config/settings_value.h"

#include <string>
#include <string_view>

namespace kalveo {

/// The commented template every settings file is rewritten from.
inline constexpr std::string_view kSettingsTemplate = "Settings\\Kalveo_default.ini";

/// Rewrites Settings\Kalveo.ini from the template with `settings` (as written by program
/// version `program_version`), after keeping the old file under its next numbered name.
/// Returns 0, or the system's error number when the template cannot be read (the settings
/// file is then left as it was) or the new file cannot be written.
int rewrite_ini(const Settings& settings, int program_version);

/// The settings file made from the template's text: template-only lines ("*") dropped,
/// comments, empty lines and lines without "=" kept, each known key with the value in
/// `settings`. Lines end as on the platform.
[[nodiscard]] std::string rewrite_settings_text(std::string_view template_text,
                                                const Settings& settings);

/// Window positions to save: pixels or position codes.
struct WindowPositions {
    int grpos_x = 0; ///< text window, horizontal
    int grpos_y = 0; ///< text window, vertical
    int ahpos_x = 0; ///< horizon window, horizontal
    int ahpos_y = 0; ///< horizon window, vertical
};

/// Saves the window positions into Settings\Kalveo.ini (group `npath` 0; other groups
/// write nothing), after copying it to Settings\Kalveo.ini.bak. Only the four position
/// lines change. Stops the program when the file cannot be read.
void write_ini(int npath, int grpos_x, int grpos_y, int ahpos_x, int ahpos_y);

/// The settings text with the value of each position line replaced; every other byte,
/// line ends included, stays as it was. A position key missing from the text is not added.
[[nodiscard]] std::string replace_position_lines(std::string_view text,
                                                 const WindowPositions& positions);

} // namespace kalveo
