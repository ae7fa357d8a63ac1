// display/start_graphics: the two instrument windows and the program's only event loop, from the
// hand-over by start-up to the orderly clean-up.
//
// open_graphics opens "Kalveo - Display" and, when wanted, "Kalveo - Horizon"; the instrument
// (shell/) then runs the windowing component's main loop with its 25 ms tick. Everything runs
// on the main thread.
#pragma once

#include "display/display_options.h"
#include "display/instrument_windows.h"

#include <string_view>

namespace kalveo {

/// Period of the event loop's timer (ms) and its timer id.
inline constexpr int kTimerPeriodMs = 25;
inline constexpr int kTimerId = 1;

/// Window titles; the X server's window list shows them.
inline constexpr std::string_view kTextWindowTitle = "Kalveo - Display";
inline constexpr std::string_view kHorizonWindowTitle = "Kalveo - Horizon";

/// Opens the windows (into `windows`) with the settings in `options` and logs the key
/// assignments.
/// `fntn_f` the font file ("arialbd.ttf"), `flbk` the bank limit of the flap sounds (degrees),
/// `msg_1`..`msg_3` the exit question, the simulator-stopped question and the key-definition
/// text, `cu_f` the speed unit name.
void open_graphics(InstrumentWindows& windows, std::string_view fntn_f,
                   const DisplayOptions& options, const double* flbk, std::string_view msg_1,
                   std::string_view msg_2, std::string_view msg_3, std::string_view cu_f);

/// Styles the open windows, registers their window and mouse callbacks and prepares the text
/// drawing; the event loop can run then.
void prepare_graphics(InstrumentWindows& windows);

/// Cycles the horizon window: hidden (parked off screen), at its place, centred.
void SetHorPos(DisplayStateRecord& s, pCpw cpw);

/// Whether close_windows has destroyed both windows (a second clean-up has nothing to do).
[[nodiscard]] bool windows_closed(const WindowsRun& s);

/// Unloads the font and destroys the windows, with the log's "Free Context" line.
void close_windows(InstrumentWindows& windows);

/// Releases the windowing component at the end of the program (GL, SDL video); the windows
/// must be closed first.
void free_graphics(InstrumentWindows& windows);

} // namespace kalveo
