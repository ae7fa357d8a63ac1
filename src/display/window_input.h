// display/window_input: the mouse in the windows (picking a window to move with the arrow keys),
// the exit question, and the hooks through which the keyboard part takes the keys typed into
// the windows and names keys for the log. Start-up connects the hooks.
#pragma once

#include "cpw/cpw.h"

#include <functional>
#include <string_view>

namespace kalveo {

/// A click with the first button picks a window for moving, a second click drops it.
void mouseclick(pCpw cpw, CpwWindowId id, int buttonstate, int button, int x, int y);

/// Asks the exit question; on OK marks the run as closing and ends the main loop.
void ask_exit(pCpw cpw);

struct WindowKeyHooks {
    /// Characters typed while a window has the focus.
    CpwKeyboardCallback keyboard;
    /// Escape, Shift, the arrow keys and the other system keys.
    CpwKeyboardCallback syskeyboard;
    /// Logs one key assignment under `label`.
    std::function<void(std::string_view label, int code)> print_key_name;
};
WindowKeyHooks& window_key_hooks();

} // namespace kalveo
