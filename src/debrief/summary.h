// debrief/summary: what a kept flight comes to: speeds against VNE, alarms, flap advice
// followed, thermals and glides.
#pragma once

#include "debrief/kept_flight.h"

#include <array>
#include <vector>

namespace kalveo::debrief {

/// Longest gap between two samples that counts as flown time (s); longer ones are pauses.
inline constexpr double kLongestStep = 2.0;
/// A change of flap position made this long after the advice counts as late (s).
inline constexpr double kLateFlapChange = 3.0;
/// Shortest circling that counts as a thermal (s).
inline constexpr double kShortestThermal = 20.0;

struct Thermal {
    double start = 0.0;  ///< (s)
    double end = 0.0;    ///< (s)
    double climb = 0.0;  ///< average climb (m/s)
    double gained = 0.0; ///< height gained (m)
};

struct LateChange {
    double advised_at = 0.0; ///< when the advice changed (s)
    int position = 0;        ///< the position advised
    double late = 0.0;       ///< how long until it was set (s)
};

struct FlightSummary {
    double duration = 0.0;            ///< (s)
    double air_distance = 0.0;        ///< distance flown through the air (m)
    double top_tas = 0.0;             ///< highest true airspeed (m/s)
    double top_tas_vne = 0.0;         ///< its share of the VNE then (1 = at VNE)
    double top_tas_at = 0.0;          ///< when (s)
    double top_tas_altitude = 0.0;    ///< where (m)
    std::array<double, 4> in_level{}; ///< time in each alarm level (s)
    int alarms = 0;                   ///< times the alarm started
    bool flaps = false;               ///< a glider with flaps
    double cruise_time = 0.0;         ///< straight flight with flaps (s)
    double advice_followed = 0.0;     ///< share of cruise time in the advised position
    std::vector<LateChange> late;     ///< flap changes made late
    std::vector<Thermal> thermals;
    double thermal_climb = 0.0; ///< average climb in the thermals (m/s)
    double glide_netto = 0.0;   ///< average netto in straight flight (m/s)
    int polar_points = 0;
};

[[nodiscard]] FlightSummary summarise(const KeptFlight& flight);

} // namespace kalveo::debrief
