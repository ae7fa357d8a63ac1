// shell/startup_options: what start-up hands to the display: its options made from the
// settings, the font file, the unit name and the three messages of the windows.
#pragma once

#include "config/settings_value.h"
#include "display/start_graphics.h"

#include <string>

namespace kalveo {

/// The display's options from the settings, kept in their ranges (polar mode overrides the
/// horizon's size, place, style and corners).
[[nodiscard]] DisplayOptions build_display_options(const Settings& settings);

/// The font file of the text window: the font name + ".ttf", at most 29 characters.
[[nodiscard]] std::string font_file_name(const DisplaySettings& display);

/// The speed unit name for the display, at most 9 characters.
[[nodiscard]] std::string display_unit_name(const SpeedSettings& speeds);

} // namespace kalveo
