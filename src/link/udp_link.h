// link/udp_link: the UDP socket on which the simulator's telemetry arrives,
// and the optional forwarding of every datagram to another program.
//
// Polled from the event loop: udp_init once at start-up, udp_read on every
// timer tick, udp_close at clean-up. Every status line goes to standard output
// and to the log.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

namespace kalveo {

/// Port the telemetry arrives on when the settings give none.
inline constexpr int kDefaultUdpPort = 55278;
/// Largest datagram read; longer ones are cut to this (bytes).
inline constexpr int kUdpBufferLength = 1024;
/// Longest wait of each poll of the socket (microseconds).
inline constexpr int kUdpSelectTimeoutUs = 2500;

/// Decodes one datagram (its bytes exactly, not NUL-terminated) and returns
/// the true airspeed in display units.
using PacketHandler = std::function<double(std::string_view datagram)>;

/// Sets the decoder udp_read hands the newest datagram of each tick to;
/// an empty handler drops datagrams after forwarding them.
void set_packet_handler(PacketHandler handler);

/// The address to receive on when the simulator sends to `simulator_host` (the Host of its
/// UDP.ini): the loopback address it names (127.x.x.x; "localhost" and no host at all are
/// 127.0.0.1), every interface (0.0.0.0) only when it names another host.
[[nodiscard]] std::uint32_t listen_address(std::string_view simulator_host);

/// Opens the link: receives on `in_port` (the built-in port when 0 or
/// negative) at listen_address(`simulator_host`) and, when `out_port` > 0,
/// forwards every datagram to `out_addr`:`out_port` (dotted IPv4 text). A
/// forward target that is this socket itself (same port on an address of this
/// machine) is refused with a message; the link then opens without forwarding.
/// Reads once. Returns the byte count of that read (0 or more), or -1 after
/// reporting why it failed; nothing stays open then.
int udp_init(int in_port, int out_port, std::string_view out_addr,
             std::string_view simulator_host = {});

/// Drains the datagrams waiting on the socket, forwards each, and decodes the
/// last one. Empty datagrams are passed over without a word. A failure that
/// repeats (a forward refused, a read failing) is logged when it starts, then
/// at most once a minute with its count, and when it ends. Waits at most
/// kUdpSelectTimeoutUs when nothing is waiting.
/// Returns the length of the last datagram (0 when none arrived); `tas`
/// receives the decoder's result for it, truncated, or 0 when nothing was decoded.
int udp_read(int& tas);

/// Asks for the arrival time of every datagram (taken when the socket opens); off by default.
void udp_stamp_arrivals(bool wanted);

/// Arrival time (seconds since the epoch) of the datagram last handed to the decoder: the
/// system's stamp when udp_stamp_arrivals was asked for, else 0.
[[nodiscard]] double udp_last_arrival();

/// Closes the sockets. Safe to call when the link is not open. Returns 0.
int udp_close();

/// What the link is doing, for the display and for checks.
struct UdpLinkState {
    bool open = false;         ///< sockets open
    std::uint32_t address = 0; ///< address the receiving socket is bound to
    int port = 0;              ///< receiving port
    bool forwarding = false;   ///< forwarding socket open
    int send_port = 0;         ///< forward port
    int reads = 0;             ///< udp_read calls so far, over the program's life
    int last_batch = 0;        ///< datagrams the last udp_read took (decoded: the last one)
};

[[nodiscard]] UdpLinkState udp_link_state();

} // namespace kalveo
