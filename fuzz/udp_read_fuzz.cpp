// The link's reading loop: the input cut at 0xFF bytes into datagrams (empty ones, ones longer
// than the receive buffer, many back to back), sent over loopback to the open link, which
// reads, forwards and decodes them. Whatever reaches the decoder or the forward target is a
// datagram as it was sent, cut to the buffer, never an empty one; and when the socket could
// hold them all, every datagram is forwarded in order and the newest one decoded last.
#include "fuzz_support.h"
#include "link/udp_link.h"
#include "platform/socket.h"

#include <algorithm>
#include <array>
#include <chrono>
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
    UdpLink* udp = nullptr;
};

// One read of the link, the newest datagram decoded as the instrument's tick does.
int read_link(UdpLink& link) {
    const int length = link.read();
    if (length > 0) decoded().emplace_back(link.newest());
    return length;
}

Harness& harness() {
    static Harness h = [] {
        Harness made;
        socket_library_start();
        made.forwarded = bound_to_loopback();
        const SocketHandle probe = bound_to_loopback();
        const std::uint16_t port = port_of(probe);
        socket_close(probe);
        static UdpLink udp;
        const auto decode = [](std::string_view datagram) {
            decoded().emplace_back(datagram);
            return 0.0;
        };
        if (udp.open(port, port_of(made.forwarded), "127.0.0.1", "127.0.0.1", decode) < 0)
            std::abort();
        made.udp = &udp;
        made.sender = udp_socket_open();
        made.link = {kIpv4Loopback, port};
        return made;
    }();
    return h;
}

void receive_all(SocketHandle s, std::vector<std::string>& got) {
    std::array<char, 70000> buffer{};
    for (int n; (n = socket_receive(s, buffer, nullptr)) >= 0;)
        got.emplace_back(buffer.data(), static_cast<std::size_t>(n));
}

// `part` in `whole`, in the same order.
bool in_order(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    auto at = whole.begin();
    for (const std::string& p : part) {
        at = std::find(at, whole.end(), p);
        if (at == whole.end()) return false;
        ++at;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::quiet_start();
    Harness& h = harness();
    std::vector<std::string> forwarded;
    // What a busy machine delivered late from the input before goes first.
    while (read_link(*h.udp) != 0) {
    }
    receive_all(h.forwarded, forwarded);
    forwarded.clear();
    decoded().clear();

    const auto pieces = fuzz::split(fuzz::as_text(data, size), '\xff');
    std::vector<std::string> expected;
    for (const std::string_view piece : pieces) {
        socket_send_to(h.sender, piece, h.link);
        if (!piece.empty()) expected.emplace_back(piece.substr(0, kUdpBufferLength));
    }
    // A few datagrams of a few kilobytes always fit the sockets' buffers: none may be lost.
    const bool all_kept = pieces.size() <= 32 && size <= 32 * 1024;
    // Loopback delivery can lag behind a busy machine: those wait for every datagram.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    for (;;) {
        const int length = read_link(*h.udp);
        receive_all(h.forwarded, forwarded);
        if (length != 0) continue;
        if (!all_kept || forwarded.size() >= expected.size()) break;
        if (std::chrono::steady_clock::now() > deadline) break;
    }

    if (!in_order(forwarded, expected) || !in_order(decoded(), expected)) std::abort();
    if (all_kept) {
        if (forwarded != expected) std::abort();
        if (expected.empty() != decoded().empty()) std::abort();
        if (!expected.empty() && decoded().back() != expected.back()) std::abort();
    }
    return 0;
}
