// display/start_graphics: the two instrument windows and the program's only event loop, from the
// hand-over by start-up to the orderly clean-up.
//
// start_graphics opens "Kalveo - Display" and, when wanted, "Kalveo - Horizon", then runs the
// windowing component's main loop. A 25 ms timer polls the telemetry socket (which runs the
// per-packet cycle), watches for the simulator leaving its flight and asks for a redraw every
// second tick. Everything runs on the main thread.
#pragma once

#include "display/display_options.h"

#include <functional>
#include <string_view>

namespace kalveo {

/// Period of the event loop's timer (ms) and its timer id.
inline constexpr int kTimerPeriodMs = 25;
inline constexpr int kTimerId = 1;

/// Window titles; the X server's window list shows them.
inline constexpr std::string_view kTextWindowTitle = "Kalveo - Display";
inline constexpr std::string_view kHorizonWindowTitle = "Kalveo - Horizon";

/// Opens the windows with the settings in `options`, runs the event loop and cleans up.
/// `fntn_f` the font file ("arialbd.ttf"), `flbk` the bank limit of the flap sounds (degrees),
/// `msg_1`..`msg_3` the exit question, the simulator-stopped question and the key-definition
/// text, `cu_f` the speed unit name. Returns 1 when the settings editor asked for a restart,
/// else 0 (the program then ends).
int start_graphics(std::string_view fntn_f, const DisplayOptions& options, const double* flbk,
                   std::string_view msg_1, std::string_view msg_2, std::string_view msg_3,
                   std::string_view cu_f);

/// Cycles the horizon window: hidden (parked off screen), at its place, centred.
void SetHorPos();

/// Orderly shutdown of a run: keyboard watch, socket, windows. Safe to call twice.
void cleanup();

/// Releases the windowing component at the end of the program (windows, GL, SDL video).
void close_graphics();

/// The global keyboard watch. Start-up connects it when the platform has one; left empty,
/// the windows take the reduced hotkey set themselves.
struct KeyboardWatch {
    /// (Re)installs the watch; returns its handle, 0 on failure.
    std::function<long()> start;
    /// Removes the watch; false on failure.
    std::function<bool()> stop;
    /// Delivers the key events gathered since the last timer tick.
    std::function<void()> poll;
};
KeyboardWatch& keyboard_watch();

} // namespace kalveo
