// display/window_style: how the windows sit over the simulator's picture: raised, kept on top,
// see-through as the settings ask (opacity, or the background colour made transparent).
#pragma once

#include "cpw/cpw.h"
#include "display/records.h"

#include <cstdint>

namespace kalveo {

/// Styles the text window (native handle `native`): TxtOpa 1..254 sets its opacity, 0 makes
/// TxtBgd transparent.
void style_text_window(const DisplayStateRecord& s, pCpw cpw, std::uintptr_t native);

/// Styles the horizon window: HorTranslu sets opacity HorOpac, HorBgdTransp makes HorBgd
/// transparent.
void style_horizon_window(const DisplayStateRecord& s, pCpw cpw, std::uintptr_t native);

} // namespace kalveo
