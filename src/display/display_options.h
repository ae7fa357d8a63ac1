// display/display_options: the settings start-up hands to the windows, slot by slot, and the
// colours derived from them.
#pragma once

#include "display/start_graphics.h"

namespace kalveo {

/// Sky colour of a horizon whose corners are painted (0..1).
inline constexpr float kSkyRed = 0.435F;
inline constexpr float kSkyGreen = 0.631F;
inline constexpr float kSkyBlue = 0.812F;

/// Copies the option vector into the display state: sizes, switches, keys, colours, opacity,
/// position settings, stop wait and keyboard settings.
void apply_display_options(const DisplayOptions& opt);

/// Background colours as floats and the blink partners of the blinking colours.
void derive_window_colours();

} // namespace kalveo
