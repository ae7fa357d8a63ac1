// platform/key_watch: the global keyboard watch. It sees every key of the desktop while another
// program (the simulator) has the keyboard, and never takes a key away from it.
//
// Linux: XInput2 raw key events selected on the root window of $DISPLAY, read without waiting
// by key_watch_poll on the main thread. Windows: a low-level keyboard hook whose procedure the
// system calls from the thread's message loop; key_watch_poll has nothing to do there.
#pragma once

#include "platform/key_event.h"

#include <functional>

namespace kalveo {

/// Receives each event. `code` is the system's hook code; a negative one means the event is
/// not for processing (it is passed on all the same).
using KeyEventSink = std::function<void(int code, const KeyEvent& event)>;

/// Installs the watch, removing a previous one first. Returns its handle (non-zero), or 0 on
/// failure with the reason in key_watch_error().
long key_watch_install(KeyEventSink sink);

/// Removes the watch; false when the system refused (reason in key_watch_error()). Removing
/// no watch succeeds.
bool key_watch_remove();

/// Delivers the events that arrived since the last call, without waiting.
void key_watch_poll();

/// The system error of the last failed install or remove (Linux: 1 no X display, 2 no
/// XInput 2.2 on the server).
[[nodiscard]] long key_watch_error();

/// Modifier bits as the system sees them at the time of the call: 1 Ctrl, 2 Shift, 4 left
/// Alt. Linux reports 0: the watch's own key state is all there is.
[[nodiscard]] int system_modifiers();

/// A tone of `freq` Hz for `dur_ms` ms through the system's own beeper; false when the system
/// has none (Linux), so the caller plays it through the sound engine.
bool system_beep(int freq, int dur_ms);

} // namespace kalveo
