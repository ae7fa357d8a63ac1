// replay/datagram: telemetry datagrams as the simulator sends them: its 35 key=value lines in
// its order, CR LF line ends, and flaps= after them for a glider with flaps.
#pragma once

#include <string>

namespace kalveo::replay {

/// The state of the glider in one datagram. Angles in radians unless said otherwise. The
/// simulator's horizontal axes: x points west, y north.
struct FlightSample {
    double time_h = 12.0;      ///< simulator time of day (hours)
    double airspeed = 0.0;     ///< indicated airspeed (m/s)
    double altitude = 500.0;   ///< altitude (m)
    double vario = 0.0;        ///< vertical speed (m/s)
    double evario = 0.0;       ///< total-energy vario (m/s)
    double netto = 0.0;        ///< netto vario (m/s)
    double integrator = 0.0;   ///< the simulator's averaged vario (m/s)
    double heading_deg = 0.0;  ///< heading (degrees, 0 north)
    double pitch = 0.0;        ///< pitch (rad)
    double bank = 0.0;         ///< bank (rad, positive right)
    double turn_rate = 0.0;    ///< rate of turn (rad/s, positive right)
    double roll_rate = 0.0;    ///< (rad/s)
    double along_accel = 0.0;  ///< acceleration along the flight path (m/s²)
    double gforce = 1.0;       ///< load factor (g)
    double ground_speed = 0.0; ///< horizontal air speed along the heading (m/s), before wind
    double wind_x = 0.0;       ///< wind velocity, x west (m/s)
    double wind_y = 0.0;       ///< wind velocity, y north (m/s)
    double height = 500.0;     ///< height above the ground (m)
    double water = 0.0;        ///< water ballast (kg)
    int flaps = -1;            ///< flaps= value (0 the fastest position); -1: no flaps
};

/// The datagram text of a sample.
[[nodiscard]] std::string datagram_text(const FlightSample& sample);

/// Number of the simulator's keys in every datagram.
inline constexpr int kDatagramKeys = 35;

} // namespace kalveo::replay
