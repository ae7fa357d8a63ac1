// display/window_keys: what the windows do with the keys typed into them and the mouse:
// settings editor, position saving, manual, key-definition box, the reduced hotkey set when
// there is no keyboard watch, Escape, and moving a window picked with the mouse.
#pragma once

#include "cpw/cpw.h"

namespace kalveo {

/// Characters typed while a window has the focus.
void keyboard(pCpw cpw, CpwWindowId id, int key, int state, int x, int y);
/// Escape, Shift and the arrow keys.
void syskeyboard(pCpw cpw, CpwWindowId id, int key, int state, int x, int y);
/// A click with the first button picks a window for moving, a second click drops it.
void mouseclick(pCpw cpw, CpwWindowId id, int buttonstate, int button, int x, int y);

/// Asks the exit question; on OK marks the run as closing and ends the main loop.
void ask_exit(pCpw cpw);

} // namespace kalveo
