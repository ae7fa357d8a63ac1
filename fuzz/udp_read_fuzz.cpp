// The link's reading loop: the input cut at 0xFF bytes into datagrams (empty ones, ones longer
// than the receive buffer, many back to back), sent over loopback to the open link, which
// reads, forwards and decodes them. Whatever reaches the decoder or the forward target is a
// datagram as it was sent, cut to the buffer, never an empty one; and when the socket could
// hold them all, every datagram is forwarded in order and the newest one decoded.
#include "fuzz_support.h"
#include "link/udp_link.h"
#include "platform/socket.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

using namespace kalveo;

namespace {

std::vector<std::string>& decoded() {
    static std::vector<std::string> seen;
    return seen;
}

SocketHandle bound_to_loopback() {
    const SocketHandle s = udp_socket_open();
    if (s == kNoSocket || socket_bind(s, {kIpv4Loopback, 0}) != 0) std::abort();
    return s;
}

std::uint16_t port_of(SocketHandle s) {
    const auto local = socket_local_endpoint(s);
    if (!local) std::abort();
    return local->port;
}

// The link, open once for the process, forwarding to a socket of ours.
struct Harness {
    SocketHandle sender = kNoSocket;
    SocketHandle forwarded = kNoSocket;
    Ipv4Endpoint link;
};

Harness& harness() {
    static Harness h = [] {
        Harness made;
        socket_library_start();
        made.forwarded = bound_to_loopback();
        const SocketHandle probe = bound_to_loopback();
        const std::uint16_t port = port_of(probe);
        socket_close(probe);
        set_packet_handler([](std::string_view datagram) {
            decoded().emplace_back(datagram);
            return 0.0;
        });
        if (udp_init(port, port_of(made.forwarded), "127.0.0.1", "127.0.0.1") < 0) std::abort();
        made.sender = udp_socket_open();
        made.link = {kIpv4Loopback, port};
        return made;
    }();
    return h;
}

std::vector<std::string> receive_all(SocketHandle s) {
    std::vector<std::string> got;
    std::array<char, 70000> buffer{};
    for (int n; (n = socket_receive(s, buffer, nullptr)) >= 0;)
        got.emplace_back(buffer.data(), static_cast<std::size_t>(n));
    return got;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    Harness& h = harness();
    const auto pieces = fuzz::split(fuzz::as_text(data, size), '\xff');
    std::vector<std::string> expected;
    for (const std::string_view piece : pieces) {
        socket_send_to(h.sender, piece, h.link);
        if (!piece.empty()) expected.emplace_back(piece.substr(0, kUdpBufferLength));
    }
    decoded().clear();
    int tas = 0;
    while (udp_read(tas) != 0) {
    }
    const std::vector<std::string> forwarded = receive_all(h.forwarded);

    const auto sent = [&expected](const std::string& datagram) {
        return std::find(expected.begin(), expected.end(), datagram) != expected.end();
    };
    for (const std::string& d : decoded())
        if (!sent(d)) std::abort();
    for (const std::string& d : forwarded)
        if (!sent(d)) std::abort();
    // A few datagrams of a few kilobytes always fit the sockets' buffers: nothing is lost.
    if (pieces.size() <= 32 && size <= 32 * 1024) {
        if (forwarded != expected) std::abort();
        if (expected.empty() != decoded().empty()) std::abort();
        if (!expected.empty() && (decoded().size() != 1 || decoded().back() != expected.back()))
            std::abort();
    }
    return 0;
}
