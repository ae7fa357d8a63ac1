#include "replay/datagram.h"

#include <cmath>
#include <cstdio>

namespace kalveo::replay {

namespace {

constexpr double kPi = 3.14159265358979323846;

void line(std::string& out, const char* key, double value, const char* format = "%.4f") {
    char number[64];
    std::snprintf(number, sizeof number, format, value);
    out += key;
    out += '=';
    out += number;
    out += "\r\n";
}

struct Quaternion {
    double x, y, z, w;
};

// Body attitude from yaw, pitch and roll (Z-Y-X order).
Quaternion attitude(double yaw, double pitch, double roll) {
    const double cy = std::cos(yaw / 2), sy = std::sin(yaw / 2);
    const double cp = std::cos(pitch / 2), sp = std::sin(pitch / 2);
    const double cr = std::cos(roll / 2), sr = std::sin(roll / 2);
    return {sr * cp * cy - cr * sp * sy, cr * sp * cy + sr * cp * sy, cr * cp * sy - sr * sp * cy,
            cr * cp * cy + sr * sp * sy};
}

} // namespace

std::string datagram_text(const FlightSample& s) {
    const double yaw = s.heading_deg * kPi / 180.0;
    const Quaternion q = attitude(yaw, s.pitch, s.bank);
    const double g = 9.81;
    // A coordinated turn: the turn splits into yaw and pitch rates by the bank.
    const double yaw_rate = s.turn_rate * std::cos(s.bank);
    const double pitch_rate = s.turn_rate * std::sin(s.bank);
    std::string out;
    line(out, "time", s.time_h, "%.7f");
    line(out, "airspeed", s.airspeed, "%.3f");
    line(out, "altitude", s.altitude, "%.3f");
    line(out, "vario", s.vario, "%.3f");
    line(out, "evario", s.evario, "%.3f");
    line(out, "nettovario", s.netto, "%.3f");
    line(out, "integrator", s.integrator, "%.3f");
    line(out, "compass", s.heading_deg, "%.2f");
    line(out, "slipball", 0.0, "%.3f");
    line(out, "turnrate", s.turn_rate);
    line(out, "yawstringangle", 0.0, "%.3f");
    line(out, "radiofrequency", 123.5, "%.1f");
    line(out, "yaw", yaw, "%.3f");
    line(out, "pitch", s.pitch);
    line(out, "bank", s.bank);
    line(out, "quaternionx", q.x);
    line(out, "quaterniony", q.y);
    line(out, "quaternionz", q.z);
    line(out, "quaternionw", q.w);
    line(out, "ax", s.along_accel, "%.3f");
    line(out, "ay", 0.0, "%.3f");
    line(out, "az", -g * s.gforce, "%.3f");
    line(out, "vx", -s.ground_speed * std::sin(yaw) + s.wind_x, "%.4f");
    line(out, "vy", s.ground_speed * std::cos(yaw) + s.wind_y, "%.4f");
    line(out, "vz", s.vario, "%.3f");
    line(out, "rollrate", s.roll_rate);
    line(out, "pitchrate", pitch_rate);
    line(out, "yawrate", yaw_rate);
    line(out, "gforce", s.gforce, "%.3f");
    line(out, "height", s.height, "%.3f");
    line(out, "wheelheight", s.height - 0.6, "%.3f");
    line(out, "turbulencestrength", 0.3, "%.3f");
    line(out, "surfaceroughness", 1.0, "%.0f");
    line(out, "MC", 0.0, "%.0f");
    line(out, "water", s.water, "%.0f");
    if (s.flaps >= 0) line(out, "flaps", s.flaps, "%.0f");
    return out;
}

} // namespace kalveo::replay
