// display/placement: where the windows go on the screen (the text window's height is
// ComputeHeight, display_state.h).
#pragma once

#include "display/records.h"

namespace kalveo {

// Window position codes of the settings; any other value is a pixel coordinate.
inline constexpr int kPositionStart = 1000001;   ///< left / top
inline constexpr int kPositionCentre = 1000002;  ///< centred
inline constexpr int kPositionEnd = 1000003;     ///< right / bottom
inline constexpr int kPositionQuarter = 1000004; ///< a quarter down (vertical only)

/// Parked position of a hidden horizon window (pixels).
inline constexpr int kParkedPosition = -1000;

/// The left edge (pixels) for a horizontal position setting on a screen `screen` wide.
[[nodiscard]] int resolve_x(int code, int screen, int width);
/// The top edge (pixels) for a vertical position setting on a screen `screen` high.
[[nodiscard]] int resolve_y(int code, int screen, int height);

/// The window with x and y resolved from the settings `posx`, `posy` on the screen of the
/// display state; logs "adjust_position id x y".
CpwWindowInfo adjust_position(const WindowsRun& run, CpwWindowInfo window, int posx, int posy);

/// Vertical margin of the text window for a font size (pixels): an eighth, at least 3.
[[nodiscard]] int vert_margin_for(int font_size);

/// Top-left corner of the centred horizon window: half across, a quarter down.
[[nodiscard]] CpwWindowInfo centred_horizon(CpwWindowInfo window, int screen_width,
                                            int screen_height);

} // namespace kalveo
