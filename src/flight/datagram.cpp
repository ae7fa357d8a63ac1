#include "flight/datagram.h"

#include "glider/records.h"
#include "text/number_read.h"

#include <array>
#include <cstring>
#include <numbers>

namespace kalveo {

namespace {

bool is_space(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

std::string_view strip(std::string_view text) {
    while (!text.empty() && is_space(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && is_space(text.back()))
        text.remove_suffix(1);
    return text;
}

// Hands every "key=value" line to `take(key, value)`, both stripped, until `take` says it has
// what it wanted (returns true). Lines without "=" are skipped.
template <class Take> void scan_items(std::string_view text, Take take) {
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (take(strip(line.substr(0, eq)), strip(line.substr(eq + 1)))) return;
    }
}

} // namespace

std::string_view datagram_text(const char* buffer, std::size_t length) {
    if (buffer == nullptr) return {};
    const std::size_t size = length < kDatagramMax ? length : kDatagramMax;
    const void* nul = std::memchr(buffer, '\0', size);
    const std::size_t used = nul != nullptr ? static_cast<const char*>(nul) - buffer : size;
    return {buffer, used};
}

std::optional<std::string_view> datagram_value(std::string_view text, std::string_view key) {
    std::optional<std::string_view> found;
    scan_items(text, [&](std::string_view k, std::string_view value) {
        if (k != key) return false;
        found = value;
        return true;
    });
    return found;
}

namespace {

// The keys the cycle reads, in the order of the values found for them.
enum Key : std::size_t {
    kAirspeed,
    kAltitude,
    kVx,
    kVy,
    kVz,
    kTime,
    kEvario,
    kNettovario,
    kYaw,
    kCompass,
    kPitch,
    kBank,
    kGforce,
    kYawstringangle,
    kFlaps,
    kMc,
    kWater,
    kKeyCount
};

// What the simulator can send in any flight, with room to spare: a dive far beyond VNE,
// aerobatics, a winch launch, the ground roll, wave flying, a clock past midnight. A value
// outside is no reading of a glider (a fault, or a sender that is not the simulator); it is
// not taken, and the cycle keeps that key's last good value.
struct KeyRange {
    std::string_view name;
    double lowest;
    double highest;
};

constexpr double kTurn = 2.0 * std::numbers::pi;

constexpr std::array<KeyRange, kKeyCount> kKeys = {{
    // Indicated airspeed (m/s): at rest, or sliding back on the tail; no dive, however far
    // beyond VNE, comes near the speed of sound.
    {"airspeed", -50.0, 340.0},
    // Altitude (m, or ft in imperial units): the lowest land lies 430 m (1411 ft) below the
    // sea; wave flights stay under 15 km (49000 ft).
    {"altitude", -5000.0, 100000.0},
    // Ground velocity (m/s): the airspeed bound plus the strongest jet stream.
    {"vx", -500.0, 500.0},
    {"vy", -500.0, 500.0},
    // Vertical speed (m/s): the airspeed bound, straight down or up.
    {"vz", -400.0, 400.0},
    // Time of day (hours); past midnight the clock may count on beyond 24.
    {"time", 0.0, 48.0},
    // Varios (m/s): wave and rotor stay within 30 m/s; a pull-up out of a dive swings the
    // total-energy reading further.
    {"evario", -200.0, 200.0},
    {"nettovario", -200.0, 200.0},
    // Yaw (rad): two full turns either way, whether counted from 0 or from -pi.
    {"yaw", -2.0 * kTurn, 2.0 * kTurn},
    // Heading (degrees): the same two turns.
    {"compass", -720.0, 720.0},
    // Pitch and bank (rad): loops and rolls, a full turn either way.
    {"pitch", -kTurn, kTurn},
    {"bank", -kTurn, kTurn},
    // Load factor (g): aerobatics stay within 10 g; a hard landing spikes higher.
    {"gforce", -100.0, 100.0},
    // Yaw string (degrees): the string cannot turn further than once round.
    {"yawstringangle", -360.0, 360.0},
    // Flap lever: an index of at most kMaxFlaps positions, 0 the fastest.
    {"flaps", 0.0, kMaxFlaps},
    // McCready setting (m/s): never below 0; the simulator's scale ends far below 20 m/s.
    {"MC", 0.0, 20.0},
    // Water ballast (kg): the largest tanks hold a few hundred kilograms.
    {"water", 0.0, 2000.0},
}};

using FoundValues = std::array<std::optional<std::string_view>, kKeyCount>;

// One pass over the lines: the first value of every key we read. A datagram carries about
// 35 lines, and this runs for each of them 50 to 100 times a second.
FoundValues find_values(std::string_view text) {
    FoundValues found;
    scan_items(text, [&found](std::string_view key, std::string_view value) {
        for (std::size_t k = 0; k < kKeyCount; ++k) {
            if (key != kKeys[k].name) continue;
            if (!found[k]) found[k] = value;
            break;
        }
        return false;
    });
    return found;
}

bool in_range(double value, Key key) {
    return value >= kKeys[key].lowest && value <= kKeys[key].highest;
}

std::optional<double> real_at(const FoundValues& found, Key key) {
    if (!found[key]) return std::nullopt;
    const std::optional<double> value = read_real(*found[key]);
    if (!value || !in_range(*value, key)) return std::nullopt;
    return value;
}

std::optional<int> int_at(const FoundValues& found, Key key) {
    if (!found[key]) return std::nullopt;
    const std::optional<int> value = read_int(*found[key]);
    if (!value || !in_range(*value, key)) return std::nullopt;
    return value;
}

} // namespace

TelemetryPacket decode_datagram(std::string_view text) {
    const FoundValues found = find_values(text);
    TelemetryPacket p;
    p.airspeed = real_at(found, kAirspeed);
    p.altitude = real_at(found, kAltitude);
    p.vx = real_at(found, kVx);
    p.vy = real_at(found, kVy);
    p.vz = real_at(found, kVz);
    p.time = real_at(found, kTime);
    p.has_evario_key = found[kEvario].has_value();
    p.evario = real_at(found, kEvario);
    p.has_nettovario_key = found[kNettovario].has_value();
    p.nettovario = real_at(found, kNettovario);
    p.yaw = real_at(found, kYaw);
    p.has_compass_key = found[kCompass].has_value();
    p.compass = real_at(found, kCompass);
    p.pitch = real_at(found, kPitch);
    p.bank = real_at(found, kBank);
    p.gforce = real_at(found, kGforce);
    p.yawstringangle = real_at(found, kYawstringangle);
    p.flaps = int_at(found, kFlaps);
    p.mc = real_at(found, kMc);
    p.water = real_at(found, kWater);
    return p;
}

} // namespace kalveo
