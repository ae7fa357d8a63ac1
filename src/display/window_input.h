// display/window_input: the mouse in the windows (picking a window to move with the arrow keys)
// and the exit question.
#pragma once

#include "cpw/cpw.h"
#include "display/records.h"

namespace kalveo {

/// A click with the first button picks a window for moving, a second click drops it.
void mouseclick(WindowsRun& s, pCpw cpw, CpwWindowId id, int buttonstate, int button, int x, int y);

/// Asks the exit question; on OK marks the run as closing and ends the main loop.
void ask_exit(DisplayStateRecord& s, pCpw cpw);

} // namespace kalveo
