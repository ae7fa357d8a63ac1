// display/window_events: the window callbacks of the event loop: created or asked to close,
// drawn, resized; and their registration with the windowing component.
#pragma once

#include "cpw/cpw.h"
#include "display/instrument_windows.h"

#include <cstddef>

namespace kalveo {

/// flag 1: a window was created (GL state set up); 0: the user asks to close it.
void window(DisplayStateRecord& s, pCpw cpw, CpwWindowId id, int flag);
/// Draws a window of `windows` and shows the frame.
void draw(InstrumentWindows& windows, pCpw cpw, CpwWindowId id);
/// A window's new size (pixels): stored, and its view set up.
void reshape(DisplayStateRecord& s, pCpw cpw, CpwWindowId id, int width, int height);

/// A fingerprint of what the windows show: the colours and modes the drawing reads and the
/// values, texts and states on display. Drawing code that shows something new adds it here.
/// Blinking and the waiting text enter it as what they draw at the time, `now` (s, the display
/// clock; the first form reads the clock).
[[nodiscard]] std::size_t shown_state_key(const DisplayStateRecord& s);
[[nodiscard]] std::size_t shown_state_key(const DisplayStateRecord& s, double now);
/// The same for each window alone, so that a change in one does not redraw the other.
[[nodiscard]] std::size_t text_state_key(const DisplayStateRecord& s, double now);
[[nodiscard]] std::size_t horizon_state_key(const DisplayStateRecord& s, double now);

/// Registers the window and mouse callbacks with the component (the instrument registers its
/// tick and the keys).
void register_callbacks(InstrumentWindows& windows);

} // namespace kalveo
