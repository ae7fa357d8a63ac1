// keys/window_keys: what the windows do with the keys typed into them: settings editor,
// position saving, manual, hook restart, key-definition box, the reduced hotkey set when there
// is no keyboard hook, Escape, and moving the window picked with the mouse.
#pragma once

#include "cpw/cpw.h"
#include "display/records.h"

namespace kalveo {

class KeyWatch;

/// Characters typed while a window has the focus; the reduced hotkeys and the watch's own
/// commands act through `watch`.
void keyboard(KeyWatch& watch, pCpw cpw, CpwWindowId id, int key, int state, int x, int y);
/// Escape, Shift and the arrow keys, acting on the windows of `s`.
void syskeyboard(DisplayStateRecord& s, pCpw cpw, CpwWindowId id, int key, int state, int x, int y);

} // namespace kalveo
