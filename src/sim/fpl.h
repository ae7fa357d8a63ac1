// sim/fpl: the flight plan (Flightplan.fpl) the simulator writes when a flight
// starts: glider, ballast, bug wipers, weather zones and turnpoints.
#pragma once

#include <functional>
#include <istream>

namespace kalveo {

/// Pause between two attempts to find and open the flight plan (ms), and the
/// number of attempts.
inline constexpr int kFplRetryPause = 50;
inline constexpr int kFplAttempts = 10;

/// Waits for my_tas_c.fplfile to appear (ten attempts 50 ms apart), reads it
/// and sets my_tas_0.z_0 / z_fin and ggg002.qbugwipers for the flight. A file
/// that never appears is told to the pilot and stops the program; a file that
/// exists but cannot be opened leaves every value as it was. `pause` is the
/// wait between attempts (tests replace it).
void read_fpl_0(const std::function<void()>& pause = {});

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
