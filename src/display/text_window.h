// display/text_window: the text window, the instrument strip the pilot reads: speeds against
// VNE, varios and averages, flap advice, ballast, timers and clocks, or the waiting text until
// the first datagram, plus the volume read-out and the status mark.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/instrument_windows.h"
#include "display/text_layout.h"

namespace kalveo {

/// Draws the text window from the display state with `face` (the window's GL context is
/// current), keeping what it keeps between frames in `run`. The first frame after the flight's
/// data arrived lays the window out and resizes it, keeping a window placed at the right or
/// bottom edge there.
void drawTextWindow(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, TextWindowRun& run);

} // namespace kalveo
