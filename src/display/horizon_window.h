// display/horizon_window: the horizon window: the attitude ball with its pitch ladder and
// bank scale, the heading symbol and wind arrow, heading, wind and speed numbers, the slip
// triangle, the g-meter and the insect reminder; in polar mode the polar chart instead.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/instrument_windows.h"

namespace kalveo {

/// Draws the horizon from the display state with `face` (the window's GL context is current),
/// keeping what it keeps between frames in `run`, with the insect picture `bug` when the
/// reminder is due (none when null). The first frame (HOR_Initialized 0) reads the silhouette
/// and sizes the font and lines.
void drawHorWindow(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run,
                   BugPicture* bug = nullptr);

/// The horizon window's first-frame set-up into `run`, done when HOR_Initialized is 0.
void horizon_first_frame(DisplayStateRecord& s, pCpw cpw, CpwFontFace face, HorizonRun& run);

} // namespace kalveo
