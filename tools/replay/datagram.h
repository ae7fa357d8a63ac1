// replay/datagram: telemetry datagrams as the simulator sends them: 35 key=value lines in
// its order, CR LF line ends.
#pragma once

#include <string>

namespace kalveo::replay {

/// The state of the glider in one datagram. Angles in radians unless said otherwise.
struct FlightSample {
    double time_h = 12.0;      ///< simulator time of day (hours)
    double airspeed = 0.0;     ///< indicated airspeed (m/s)
    double altitude = 500.0;   ///< altitude (m)
    double vario = 0.0;        ///< vertical speed (m/s)
    double netto = 0.0;        ///< netto vario (m/s)
    double heading_deg = 0.0;  ///< heading (degrees, 0 north)
    double pitch = 0.0;        ///< pitch (rad)
    double bank = 0.0;         ///< bank (rad)
    double gforce = 1.0;       ///< load factor (g)
    double ground_speed = 0.0; ///< along the heading, no wind (m/s)
    double height = 500.0;     ///< height above the ground (m)
    double water = 0.0;        ///< water ballast (kg)
};

/// The datagram text of a sample.
[[nodiscard]] std::string datagram_text(const FlightSample& sample);

/// Number of keys in every datagram.
inline constexpr int kDatagramKeys = 35;

} // namespace kalveo::replay
