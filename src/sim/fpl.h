// sim/fpl: the flight plan (Flightplan.fpl) the simulator writes when a flight
// starts: glider, ballast, bug wipers, weather zones and turnpoints.
#pragma once

#include <functional>
#include <istream>
#include <optional>
#include <string>

namespace kalveo {

/// Pause between two attempts to find and open the flight plan (ms), and the
/// number of attempts.
inline constexpr int kFplRetryPause = 50;
inline constexpr int kFplAttempts = 10;

/// Altitudes of the first and the last turnpoint of a flight plan (m).
struct TaskAltitudes {
    double start = 0.0;
    double finish = 0.0;
};

/// Waits for the flight plan `file` (a simulator path) to appear (ten attempts 50 ms apart),
/// reads it, sets ggg002.qbugwipers for the flight and returns its altitudes. A file that
/// never appears is told to the pilot (with a note when the units follow the simulator) and
/// stops the program; a file that exists but cannot be opened returns nothing and leaves
/// every value as it was. `pause` is the wait between attempts (tests replace it).
std::optional<TaskAltitudes> read_fpl_0(const std::string& file, bool units_follow_simulator,
                                        const std::function<void()>& pause = {});

/// Reads a flight plan from `in` into the flight-plan records and the glider
/// records. With `reset` the flight-plan records are cleared first. `qverb`
/// traces progress, `qfr` gives messages in French. `nl` receives the number
/// of lines read, `ios` 0 when the reading ended normally, else 1.
void read_fpl(std::istream& in, bool reset, bool qverb, bool qfr, int& nl, int& ios);

/// Resets the glider records: masses 0, names blank, cgbias 0, seat 1, no bug
/// wipers, polar figures 0.
void init_glider();

/// Resets the flight-plan version, task size, landscape, pressure, task options
/// and weather zones.
void init_read_fpl();

/// Resets the turnpoint altitudes.
void init_wp();

} // namespace kalveo
