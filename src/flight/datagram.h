// flight/datagram: reads the simulator's telemetry datagram, one key=value item a line.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace kalveo {

/// Largest datagram the simulator sends and the receiver keeps (bytes).
inline constexpr std::size_t kDatagramMax = 1024;

/// The text of the datagram just received: its first `length` bytes (at most
/// kDatagramMax) up to the first NUL. Bytes after `length` belong to earlier,
/// longer datagrams left in the receive buffer and are never part of it.
[[nodiscard]] std::string_view datagram_text(const char* buffer, std::size_t length);

/// The value text of the first line whose key is exactly `key` (key without
/// "="; blanks around the key and before the value ignored, a CR before the
/// line feed dropped). Keys are matched whole, so "vario" never finds
/// "evario=" or "nettovario=", nor "yaw" "yawrate=". nullopt when absent.
[[nodiscard]] std::optional<std::string_view> datagram_value(std::string_view text,
                                                             std::string_view key);

/// What one datagram says: each item holds a value only when its key was
/// present with a readable number (read in free form: the first item of the
/// value; "nan", "inf", an empty value and trailing letters are not numbers)
/// inside what the simulator can send for that key in any flight.
struct TelemetryPacket {
    std::optional<double> airspeed;       ///< indicated airspeed (m/s)
    std::optional<double> altitude;       ///< altitude as sent (m, or ft in imperial units)
    std::optional<double> vx;             ///< ground velocity, x (m/s)
    std::optional<double> vy;             ///< ground velocity, y (m/s)
    std::optional<double> vz;             ///< vertical speed (m/s)
    std::optional<double> time;           ///< simulator time of day (hours)
    std::optional<double> evario;         ///< electronic vario (m/s)
    std::optional<double> nettovario;     ///< netto vario (m/s)
    std::optional<double> yaw;            ///< yaw (rad)
    std::optional<double> compass;        ///< heading (degrees)
    std::optional<double> pitch;          ///< pitch (rad)
    std::optional<double> bank;           ///< bank (rad)
    std::optional<double> gforce;         ///< load factor (g)
    std::optional<double> yawstringangle; ///< yaw-string deflection
    std::optional<int> flaps;             ///< flap lever, 0 = fastest position
    std::optional<double> mc;             ///< McCready setting (m/s)
    std::optional<double> water;          ///< water ballast (kg)
    bool has_evario_key = false;          ///< evario= present, readable or not
    bool has_nettovario_key = false;      ///< nettovario= present, readable or not
    bool has_compass_key = false;         ///< compass= present, readable or not

    /// A packet without airspeed and time carries nothing the cycle can use.
    [[nodiscard]] bool usable() const { return airspeed.has_value() || time.has_value(); }
};

/// Reads every key the flight processing uses from the datagram text.
[[nodiscard]] TelemetryPacket decode_datagram(std::string_view text);

} // namespace kalveo
