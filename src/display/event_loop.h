// display/event_loop: the windows' part of the instrument's 25 ms tick: simulator-stopped
// detection with its question, the "Timer" log lines, redraw requests and the blink phase.
#pragma once

#include "display/instrument_windows.h"
#include "display/records.h"
#include "sim/records.h"

#include <cstddef>
#include <functional>
#include <string>

namespace kalveo {

/// Seconds without a datagram after which the simulator may have stopped.
inline constexpr double kDataSilenceSeconds = 10.0;
/// Ticks between two simulator probes, and after the user declined to exit.
inline constexpr int kProbeTicks = 20;
inline constexpr int kProbeTicksDeclined = 200;
/// Ticks between two "Timer" lines of the log.
inline constexpr int kTimerLogTicks = 2000;
/// Ticks during which every socket read is logged.
inline constexpr int kTracedTicks = 5;

/// Blink phase of a tick count: 1 for 4 ticks, 0 for 4 ticks.
[[nodiscard]] int blink_phase(int count);

/// Longest time a window goes without being drawn again (s).
inline constexpr double kRedrawFloorSeconds = 1.0;

/// Whether the windows must be drawn again: what they show changed since the last drawing
/// (`key` against `last_key`), or a second has passed since `last_draw` (s). Unchanged
/// windows are not drawn 20 times a second for nothing; uncovered ones are redrawn by the
/// windowing component itself.
[[nodiscard]] bool redraw_due(std::size_t key, std::size_t last_key, double now, double last_draw);

/// The wall-clock text of the text window: "W: hh:mm:ss".
[[nodiscard]] std::string wall_clock_text();

/// What the stopped-simulator check asks the world.
struct StopProbe {
    /// The simulator's flight state: 1 in flight, 0 or -1 not, -999 unknown (log unreadable).
    std::function<int()> simulator_state;
    /// Shows the question; true when the user answers OK.
    std::function<bool(const std::string& question)> confirm;
};

/// The check of one tick at time `now` (s): only after data has come and then stopped for more
/// than 10 s, every 20 ticks (200 after the user declined once). Returns true when the program
/// must end (the user agreed, or StopWait -1 says not to ask).
bool check_simulator_stopped(DisplayStateRecord& s, double now, const StopProbe& probe);

/// The probe of the running program: the simulator's log, and an OK/Cancel box.
[[nodiscard]] StopProbe program_stop_probe(const Installation& installation);

/// The "Timer" lines of the log: every kTimerLogTicks ticks, every tick in debug mode.
void log_timer_line(const DisplayStateRecord& s, double now);

/// A datagram arrived at `now` and the cycle made `tas` of it: the windows show it.
void show_datagram(DisplayStateRecord& s, int tas, double now);

/// What keys asked of the windows: the horizon window cycled, the volume shown for a second.
void serve_window_requests(InstrumentWindows& windows, double now);

/// Ends the event loop; `restart` when the settings editor wants the program to start again.
void end_run(InstrumentWindows& windows, bool restart);

/// The windows' own part of a tick: a redraw every second tick when what they show changed
/// (or a second has passed), the tick count and the blink phase.
void advance_windows(InstrumentWindows& windows, double now);

} // namespace kalveo
