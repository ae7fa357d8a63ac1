// display/horizon_window: the horizon window: the attitude ball with its pitch ladder and
// bank scale, the heading symbol and wind arrow, heading, wind and speed numbers, the slip
// triangle, the g-meter and the insect reminder; in polar mode the polar chart instead.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/instrument_windows.h"
#include "display/silhouette.h"

namespace kalveo {

/// Draws the horizon from the display state with `face` (the window's GL context is current),
/// with the insect picture `bug` when the reminder is due (none when null).
/// The first frame (HOR_Initialized 0) reads the silhouette and sizes the font and lines.
void drawHorWindow(pCpw cpw, CpwFontFace face, BugPicture* bug = nullptr);

/// The horizon window's first-frame set-up, done when HOR_Initialized is 0.
void horizon_first_frame(pCpw cpw, CpwFontFace face);

/// What the first frame set up (for the tests).
struct HorizonSetup {
    HorizonCircle circle;
    float lwf = 1.0F;
    int font_size = 10;
    int HorNumWid = 0;
    int fnth = 0;
    int MinusWid = 0;
    Silhouette silhouette;
};
[[nodiscard]] const HorizonSetup& horizon_setup();

} // namespace kalveo
