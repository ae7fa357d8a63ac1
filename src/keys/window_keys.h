// keys/window_keys: what the windows do with the keys typed into them: settings editor,
// position saving, manual, hook restart, key-definition box, the reduced hotkey set when there
// is no keyboard hook, Escape, and moving the window picked with the mouse.
#pragma once

#include "cpw/cpw.h"

namespace kalveo {

/// Characters typed while a window has the focus.
void keyboard(pCpw cpw, CpwWindowId id, int key, int state, int x, int y);
/// Escape, Shift and the arrow keys.
void syskeyboard(pCpw cpw, CpwWindowId id, int key, int state, int x, int y);

} // namespace kalveo
