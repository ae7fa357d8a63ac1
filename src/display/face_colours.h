// display/face_colours: the colours both instrument faces share, so that a selected window
// looks the same whichever it is.
#pragma once

#include "display/records.h"

namespace kalveo {

/// Frame of the window picked for moving with the arrow keys.
inline constexpr RgbF kSelectedOrange{1.0F, 0.5F, 0.0F};
inline constexpr RgbF kBlack{0.0F, 0.0F, 0.0F};

} // namespace kalveo
