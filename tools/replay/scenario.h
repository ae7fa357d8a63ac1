// replay/scenario: the short flights the replayer sends: a glide, and a dive through the four
// VNE alarm levels and back, placed around the glider's VNE and alarm margins.
#pragma once

#include "replay/datagram.h"

#include <string>
#include <vector>

namespace kalveo::replay {

struct ScenarioOptions {
    std::string name = "flight"; ///< "glide", "dive" or "flight" (the glide, then the dive)
    double vne_kmh = 280.0;      ///< the glider's VNE (km/h)
    double dv1_kmh = 10.0;       ///< the alarm starts this far below VNE (km/h)
    double dv2_kmh = 20.0;       ///< width of the four-level alarm band (km/h)
    double glide_s = 8.0;        ///< length of the glide (s)
    double hold_s = 3.0;         ///< time at each speed of the dive (s)
    double altitude_m = 1200.0;  ///< altitude at the start (m)
};

/// One stretch of the flight at a steady true airspeed.
struct Phase {
    double start_s = 0.0;    ///< from the start of the flight (s)
    double duration_s = 0.0; ///< (s)
    std::string name;
    double tas_kmh = 0.0; ///< true airspeed (km/h)
    int alarm_level = -1; ///< the VNE alarm level the speed should sound, -1 none
    double sink_ms = 1.0; ///< sink rate (m/s)
};

/// The phases of a scenario; empty for an unknown name.
[[nodiscard]] std::vector<Phase> scenario_phases(const ScenarioOptions& options);

/// Length of the flight (s).
[[nodiscard]] double flight_length(const std::vector<Phase>& phases);

/// Indicated airspeed (m/s) of a true airspeed (m/s) at an altitude (m) of the standard
/// atmosphere.
[[nodiscard]] double indicated_from_true(double tas_ms, double altitude_m);

/// The glider's state at `t` seconds into the flight.
[[nodiscard]] FlightSample sample_at(const std::vector<Phase>& phases,
                                     const ScenarioOptions& options, double t);

} // namespace kalveo::replay
