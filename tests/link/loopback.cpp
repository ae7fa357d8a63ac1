#include "loopback.h"

#include <array>

namespace kalveo::testing {

namespace {

SocketHandle bound_socket(int port) {
    const SocketHandle socket = udp_socket_open();
    if (socket == kNoSocket) return kNoSocket;
    if (socket_bind(socket, {kIpv4Loopback, static_cast<std::uint16_t>(port)}) != 0) {
        socket_close(socket);
        return kNoSocket;
    }
    return socket;
}

} // namespace

int free_udp_port() {
    LoopbackPeer probe;
    return probe.port();
}

std::optional<std::uint32_t> outward_address() {
    const SocketLibrary library;
    const SocketHandle socket = udp_socket_open();
    if (socket == kNoSocket) return std::nullopt;
    // Connecting a datagram socket sends nothing; it only picks the route (TEST-NET-3).
    std::optional<std::uint32_t> address;
    if (socket_connect(socket, {*parse_ipv4("203.0.113.1"), 9}) == 0) {
        const auto local = socket_local_endpoint(socket);
        if (local && (local->address >> 24) != 127 && local->address != kIpv4Any)
            address = local->address;
    }
    socket_close(socket);
    return address;
}

bool udp_port_is_free(int port) {
    const SocketLibrary library;
    const SocketHandle socket = udp_socket_open();
    if (socket == kNoSocket) return false;
    const bool free = socket_bind(socket, {kIpv4Any, static_cast<std::uint16_t>(port)}) == 0;
    socket_close(socket);
    return free;
}

LoopbackPeer::LoopbackPeer(int port) : socket_(bound_socket(port)) {
    if (socket_ == kNoSocket) return;
    if (const auto local = socket_local_endpoint(socket_)) port_ = local->port;
}

LoopbackPeer::~LoopbackPeer() {
    if (socket_ != kNoSocket) socket_close(socket_);
}

bool LoopbackPeer::send_to(int port, std::string_view bytes) {
    const int sent = socket_send_to(socket_, {bytes.data(), bytes.size()},
                                    {kIpv4Loopback, static_cast<std::uint16_t>(port)});
    return sent == static_cast<int>(bytes.size());
}

std::vector<std::string> LoopbackPeer::receive_all(std::chrono::milliseconds quiet) {
    std::vector<std::string> datagrams;
    std::array<char, 65536> buffer{};
    const int timeout_us = static_cast<int>(quiet.count() * 1000);
    while (socket_wait_readable(socket_, timeout_us) > 0) {
        const int length = socket_receive(socket_, buffer, nullptr);
        if (length < 0) break;
        datagrams.emplace_back(buffer.data(), static_cast<std::size_t>(length));
    }
    return datagrams;
}

} // namespace kalveo::testing
