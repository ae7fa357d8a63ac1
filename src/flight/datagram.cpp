#include "flight/datagram.h"

#include "text/number_read.h"

#include <array>
#include <cstring>

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

constexpr std::array<std::string_view, kKeyCount> kKeyNames = {
    "airspeed", "altitude",       "vx",    "vy",      "vz",    "time",
    "evario",   "nettovario",     "yaw",   "compass", "pitch", "bank",
    "gforce",   "yawstringangle", "flaps", "MC",      "water"};

using FoundValues = std::array<std::optional<std::string_view>, kKeyCount>;

// One pass over the lines: the first value of every key we read. A datagram carries about
// 35 lines, and this runs for each of them 50 to 100 times a second.
FoundValues find_values(std::string_view text) {
    FoundValues found;
    scan_items(text, [&found](std::string_view key, std::string_view value) {
        for (std::size_t k = 0; k < kKeyCount; ++k) {
            if (key != kKeyNames[k]) continue;
            if (!found[k]) found[k] = value;
            break;
        }
        return false;
    });
    return found;
}

std::optional<double> real_at(const FoundValues& found, Key key) {
    return found[key] ? read_real(*found[key]) : std::nullopt;
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
    if (found[kFlaps]) p.flaps = read_int(*found[kFlaps]);
    p.mc = real_at(found, kMc);
    p.water = real_at(found, kWater);
    return p;
}

} // namespace kalveo
