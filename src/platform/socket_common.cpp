#include "platform/socket.h"

#include <bit>
#include <cstdio>

namespace kalveo {

namespace {

std::string_view trim_blanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// One decimal part of a dotted quad: 1 to 3 digits, 0 to 255.
std::optional<std::uint32_t> parse_octet(std::string_view part) {
    if (part.empty() || part.size() > 3) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : part) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<std::uint32_t>(c - '0');
    }
    if (value > 255) return std::nullopt;
    return value;
}

} // namespace

bool ipv4_address_is_local(std::uint32_t address) {
    if ((address >> 24) == 127 || address == kIpv4Any) return true;
    // The system binds a socket only to an address of its own.
    const SocketHandle probe = udp_socket_open();
    if (probe == kNoSocket) return false;
    const bool local = socket_bind(probe, Ipv4Endpoint{address, 0}) == 0;
    socket_close(probe);
    return local;
}

std::optional<std::uint32_t> parse_ipv4(std::string_view text) {
    text = trim_blanks(text);
    std::uint32_t address = 0;
    for (int i = 0; i < 4; ++i) {
        const auto dot = text.find('.');
        const bool last = i == 3;
        if (last != (dot == std::string_view::npos)) return std::nullopt;
        const auto octet = parse_octet(last ? text : text.substr(0, dot));
        if (!octet) return std::nullopt;
        address = (address << 8) | *octet;
        if (!last) text.remove_prefix(dot + 1);
    }
    return address;
}

std::string format_ipv4(std::uint32_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", (address >> 24) & 0xFFu,
                  (address >> 16) & 0xFFu, (address >> 8) & 0xFFu, address & 0xFFu);
    return text;
}

std::uint16_t network_order16(std::uint16_t host) {
    if constexpr (std::endian::native == std::endian::little)
        return static_cast<std::uint16_t>((host >> 8) | (host << 8));
    return host;
}

std::uint32_t network_order32(std::uint32_t host) {
    if constexpr (std::endian::native == std::endian::little)
        return (host >> 24) | ((host >> 8) & 0xFF00u) | ((host << 8) & 0xFF0000u) | (host << 24);
    return host;
}

} // namespace kalveo
