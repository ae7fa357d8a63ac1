// config: the settings file Settings\Kalveo.ini (reading, rewriting for a new version,
// saving window positions, editing), the simulator's pilot options and the language files.
//
// This header reads the settings file over the built-in defaults.
#pragma once

#include "config/settings_table.h"

#include <string_view>

namespace kalveo {

/// The settings file, relative to the program's folder.
inline constexpr std::string_view kSettingsFile = "Settings\\Kalveo.ini";

/// Longest line of a settings file; the rest of a longer line is ignored.
inline constexpr std::size_t kSettingsLineLength = 256;

/// Reads Settings\Kalveo.ini over the values in the records (the built-in defaults at
/// start-up), then applies the after-reading rules. Returns 1 when the file was read to its
/// end, 0 when it could not be opened (records untouched) or a read failed.
int rd_ini();

/// Takes the settings of a file's whole text (any line ends) into the records and counts
/// its lines in `files`. The after-reading rules are not applied.
void parse_settings_text(std::string_view text, SettingsReadState& state);

/// Takes one line of a settings file: comments, blank lines, unknown keys and blank values
/// change nothing.
void parse_settings_line(std::string_view line, SettingsReadState& state);

/// The rules that tie settings together once the whole file has been read: display
/// switches kept in 0..1, the horizon style, wind display, the flap-sound bank limit, VNE
/// dropped with the unit from the simulator, and the language.
void apply_settings_after_reading(const SettingsReadState& state);

} // namespace kalveo
