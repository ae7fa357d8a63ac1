// sim/fpl: the flight plan (Flightplan.fpl) the simulator writes when a flight
// starts: glider, ballast, bug wipers, weather zones and turnpoints.
#pragma once

#include "config/records.h"
#include "sim/records.h"

#include <functional>
#include <istream>
#include <optional>
#include <string>

namespace kalveo {

/// Pause between two attempts to find and open the flight plan (ms), and the
/// number of attempts.
inline constexpr int kFplRetryPause = 50;
inline constexpr int kFplAttempts = 10;

/// Waits for the flight plan `file` (a simulator path) to appear (ten attempts 50 ms apart)
/// and reads it, with its task altitudes. The plan's bug wipers count only when they are
/// usable in this task. A file that never appears is told to the pilot (with a note when
/// the units follow the simulator) and stops the program; a file that exists but cannot be
/// opened gives nothing; `texts` are the language's, `french` its messages in French. `pause` is
/// the wait between attempts (tests replace it). `installation` names the pilot folder and learns a
/// version 3 plan.
[[nodiscard]] std::optional<FlightPlan>
read_fpl_0(Installation& installation, const std::string& file, bool units_follow_simulator,
           const MessagesRecord& texts, bool french, const std::function<void()>& pause = {});

/// Reads a flight plan from `in`. `qverb` traces progress, `qfr` gives messages
/// in French. `nl` receives the number of lines read, `ios` 0 when the reading
/// ended normally, else 1. A version 3 plan makes version 3 the active one in
/// `installation`.
[[nodiscard]] FlightPlan read_fpl(std::istream& in, Installation& installation, bool qverb,
                                  bool qfr, int& nl, int& ios);

} // namespace kalveo
