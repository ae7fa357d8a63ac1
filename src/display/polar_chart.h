// display/polar_chart: the polar help chart that replaces the horizon in polar-measurement
// mode: speed trend and trace, the reference polar and the points recorded.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/instrument_windows.h"

namespace kalveo {

/// Draws the chart in the horizon window from the display state (its GL context is current);
/// the horizon window's first-frame set-up goes into `run`.
void drawPolHelp(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run);

} // namespace kalveo
