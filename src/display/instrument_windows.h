// display/instrument_windows: what the two windows own: the windowing component's context, the
// font, the native handles, the insect picture, the last redraw asked of each window and the
// see-through backgrounds. The instrument (shell/) owns one for the program's life; the window
// callbacks registered with the component reach it.
#pragma once

#include "cpw/cpw.h"
#include "cpw/cpw_font.h"
#include "display/see_through.h"

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

/// The last drawing the tick asked of one window.
struct LastRedraw {
    std::size_t key = 0;
    double time = 0.0;
};

struct InstrumentWindows {
    /// The windowing component's context; null until the windows open and after the end.
    pCpw cpw = nullptr;
    /// The font loaded when the windows open; null until then.
    CpwFontFace font = nullptr;
    /// Native handles of the text and horizon windows; 0 none.
    std::uintptr_t text_native = 0;
    std::uintptr_t horizon_native = 0;
    BugPicture bug;
    LastRedraw text_redraw;
    LastRedraw horizon_redraw;
    /// The backgrounds made see-through: the strip's with "Opacity" 0, the horizon's corners
    /// with "AH transparent corners".
    SeeThrough text_see_through{"Txt"};
    SeeThrough horizon_see_through{"AH"};
};

} // namespace kalveo
