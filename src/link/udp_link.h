// link/udp_link: the UDP socket on which the simulator's telemetry arrives,
// and the optional forwarding of every datagram to another program.
//
// Polled by the instrument's tick: open once at start-up, read on every timer
// tick, close at clean-up. Every status line goes to standard output and to the log.
#pragma once

#include "platform/socket.h"
#include "report/repeated_fault.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace kalveo {

/// Port the telemetry arrives on when the settings give none.
inline constexpr int kDefaultUdpPort = 55278;
/// Largest datagram read; longer ones are cut to this (bytes).
inline constexpr int kUdpBufferLength = 1024;
/// Longest wait of each poll of the socket (microseconds).
inline constexpr int kUdpSelectTimeoutUs = 2500;

/// The address to receive on when the simulator sends to `simulator_host` (the Host of its
/// UDP.ini): the loopback address it names (127.x.x.x; "localhost" and no host at all are
/// 127.0.0.1), every interface (0.0.0.0) only when it names another host.
[[nodiscard]] std::uint32_t listen_address(std::string_view simulator_host);

/// What the link is doing, for the display and for checks.
struct UdpLinkState {
    bool open = false;         ///< sockets open
    std::uint32_t address = 0; ///< address the receiving socket is bound to
    int port = 0;              ///< receiving port
    bool forwarding = false;   ///< forwarding socket open
    int send_port = 0;         ///< forward port
    int reads = 0;             ///< read calls so far, over the link's life
    int last_batch = 0;        ///< datagrams the last read took (the newest is kept)
};

/// Decodes one datagram (its bytes exactly) and returns the true airspeed in display units.
using Decoder = std::function<double(std::string_view datagram)>;

/// The telemetry socket and the forwarding socket. The instrument owns one for the program's
/// life (its read count, which paces the diagnostic lines, is never reset).
class UdpLink {
  public:
    UdpLink();
    ~UdpLink();
    UdpLink(const UdpLink&) = delete;
    UdpLink& operator=(const UdpLink&) = delete;

    /// Opens the link: receives on `in_port` (the built-in port when 0 or negative) at
    /// listen_address(`simulator_host`) and, when `out_port` > 0, forwards every datagram to
    /// `out_addr`:`out_port` (dotted IPv4 text). A forward target that is this socket itself
    /// (same port on an address of this machine) is refused with a message; the link then
    /// opens without forwarding. Reads once; a datagram that came goes to `decode` before the
    /// read is reported. Returns the byte count of that read (0 or more), or -1 after reporting
    /// why it failed; nothing stays open then.
    int open(int in_port, int out_port, std::string_view out_addr,
             std::string_view simulator_host = {}, const Decoder& decode = {});

    /// Drains the datagrams waiting on the socket and forwards each; newest() then holds the
    /// last one. Empty datagrams are passed over without a word. A failure that repeats (a
    /// forward refused, a read failing) is logged when it starts, then at most once a minute
    /// with its count, and when it ends. Waits at most kUdpSelectTimeoutUs when nothing is
    /// waiting. Returns the length of the last datagram (0 when none arrived).
    int read();

    /// The datagram the last read took last (its bytes exactly); empty when it took none.
    [[nodiscard]] std::string_view newest() const;

    /// The decoder's result for newest() as the integer the caller keeps (truncated, held
    /// to the int range, 0 for what is not a number); the first reads also print it.
    int decoded(double tas) const;

    /// Asks for the arrival time of every datagram (taken when the socket opens); off by
    /// default.
    void stamp_arrivals(bool wanted) { stamp_arrivals_ = wanted; }

    /// Boxes in French (the settings' language).
    void speak_french(bool french) { french_ = french; }

    /// Arrival time (seconds since the epoch) of newest(): the system's stamp when
    /// stamp_arrivals was asked for, else 0.
    [[nodiscard]] double last_arrival() const { return decoded_arrival_; }

    /// Closes the sockets. Safe to call when the link is not open. Returns 0.
    int close();

    [[nodiscard]] UdpLinkState state() const;

  private:
    int fail(const std::string& line);
    void abandon_sockets();
    bool set_ports(int in_port, int out_port);
    int open_receiving_socket(std::string_view simulator_host);
    bool feeds_itself(const Ipv4Endpoint& target) const;
    void refuse_own_socket(const Ipv4Endpoint& target);
    int open_forwarding_socket(std::string_view out_addr);
    int first_read_failed();
    void forward(int length);

    std::uint32_t address_ = kIpv4Loopback; ///< address the receiving socket is bound to
    int port_ = kDefaultUdpPort;            ///< receiving port
    int send_port_ = 0;                     ///< forward port
    bool forward_enabled_ = false;          ///< forwarding socket wanted and open
    bool library_started_ = false;          ///< socket library started by open
    SocketHandle receiving_ = kNoSocket;    ///< bound receiving socket
    SocketHandle sending_ = kNoSocket;      ///< forwarding socket, connected to its target
    Ipv4Endpoint sender_;                   ///< sender of the last datagram read
    long last_error_ = 0;                   ///< error code of the last failed read
    std::array<char, kUdpBufferLength> receive_buf_{}; ///< the last datagram read
    int newest_length_ = 0;                            ///< its length when the last read kept it
    int count_ = 0;                                    ///< read calls so far; never reset
    int last_batch_ = 0;                               ///< datagrams taken by the last read
    bool stamp_arrivals_ = false;                      ///< arrival times wanted
    bool french_ = false;                              ///< boxes in French
    double arrival_ = 0.0;         ///< arrival of the last datagram read (s since the epoch)
    double decoded_arrival_ = 0.0; ///< arrival of newest()
    RepeatedFault forward_fault_;  ///< forwards refused
    RepeatedFault read_fault_;     ///< reads failing
};

} // namespace kalveo
