// display/instrument_windows: what the two windows own: what they draw from (display/records.h),
// the windowing component's context, the font, the native handles, the insect picture, what each
// window keeps between frames, the last redraw asked of each window and the see-through
// backgrounds. The instrument (shell/) owns
// one for the program's life; the window callbacks registered with the component reach it.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/horizon_geometry.h"
#include "display/records.h"
#include "display/see_through.h"
#include "display/silhouette.h"
#include "display/text_layout.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalveo {

/// The insect picture of the bug-wipe reminder.
struct BugPicture {
    /// Its file, relative to the program folder.
    std::string file = "moustique.bmp";
    /// Its texture name; 0 until loaded.
    unsigned int texture = 0;
    CpwImage image;
    /// Its first drawing has been written on the console.
    bool drawn_logged = false;
};

/// What the text window keeps from one frame to the next.
struct TextWindowRun {
    /// The layout in force; empty before the first one.
    TextLayout layout;
    int RightMargin = 0;
    bool clear_colour_logged = false;
    int logged_end = -1;   ///< the last "End Wid" pair logged, so that it is logged once
    int logged_width = -1; ///< and not twenty times a second
};

/// What the horizon window's first frame set up.
struct HorizonSetup {
    HorizonCircle circle;
    float lwf = 1.0F;
    int font_size = 10;
    int HorNumWid = 0;
    int fnth = 0;
    int MinusWid = 0;
    Silhouette silhouette;
};

/// What the horizon window keeps from one frame to the next.
struct HorizonRun {
    HorizonSetup setup;
    bool clear_colour_logged = false;
};

/// The last drawing the tick asked of one window.
struct LastRedraw {
    std::size_t key = 0;
    double time = 0.0;
};

struct InstrumentWindows {
    /// What the windows draw from: the settings' part, the flight's reading, their own run.
    DisplayStateRecord state;
    /// The windowing component's context; null until the windows open and after the end.
    pCpw cpw = nullptr;
    /// The font loaded when the windows open; null until then.
    CpwFontFace font = nullptr;
    /// Native handles of the text and horizon windows; 0 none.
    std::uintptr_t text_native = 0;
    std::uintptr_t horizon_native = 0;
    BugPicture bug;
    TextWindowRun text_run;
    HorizonRun horizon_run;
    LastRedraw text_redraw;
    LastRedraw horizon_redraw;
    /// The backgrounds made see-through: the strip's with "Opacity" 0, the horizon's corners
    /// with "AH transparent corners".
    SeeThrough text_see_through{"Txt"};
    SeeThrough horizon_see_through{"AH"};
};

} // namespace kalveo
