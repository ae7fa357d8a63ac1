#include "flight/datagram.h"

#include "text/number_read.h"

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

} // namespace

std::string_view datagram_text(const char* buffer, std::size_t length) {
    if (buffer == nullptr) return {};
    const std::size_t size = length < kDatagramMax ? length : kDatagramMax;
    const void* nul = std::memchr(buffer, '\0', size);
    const std::size_t used = nul != nullptr ? static_cast<const char*>(nul) - buffer : size;
    return {buffer, used};
}

std::optional<std::string_view> datagram_value(std::string_view text, std::string_view key) {
    while (!text.empty()) {
        const std::size_t eol = text.find('\n');
        const std::string_view line = text.substr(0, eol);
        text = eol == std::string_view::npos ? std::string_view{} : text.substr(eol + 1);
        const std::size_t eq = line.find('=');
        if (eq == std::string_view::npos) continue;
        if (strip(line.substr(0, eq)) == key) return strip(line.substr(eq + 1));
    }
    return std::nullopt;
}

namespace {

std::optional<double> real_of(std::string_view text, std::string_view key) {
    const auto value = datagram_value(text, key);
    return value ? read_real(*value) : std::nullopt;
}

} // namespace

TelemetryPacket decode_datagram(std::string_view text) {
    TelemetryPacket p;
    p.airspeed = real_of(text, "airspeed");
    p.altitude = real_of(text, "altitude");
    p.vx = real_of(text, "vx");
    p.vy = real_of(text, "vy");
    p.vz = real_of(text, "vz");
    p.time = real_of(text, "time");
    const auto evario = datagram_value(text, "evario");
    p.has_evario_key = evario.has_value();
    if (evario) p.evario = read_real(*evario);
    const auto netto = datagram_value(text, "nettovario");
    p.has_nettovario_key = netto.has_value();
    if (netto) p.nettovario = read_real(*netto);
    p.yaw = real_of(text, "yaw");
    const auto compass = datagram_value(text, "compass");
    p.has_compass_key = compass.has_value();
    if (compass) p.compass = read_real(*compass);
    p.pitch = real_of(text, "pitch");
    p.bank = real_of(text, "bank");
    p.gforce = real_of(text, "gforce");
    p.yawstringangle = real_of(text, "yawstringangle");
    if (const auto flaps = datagram_value(text, "flaps")) p.flaps = read_int(*flaps);
    p.mc = real_of(text, "MC");
    p.water = real_of(text, "water");
    return p;
}

} // namespace kalveo
