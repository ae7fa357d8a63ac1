// link/udp_module: state and status lines shared by the link's source files.
#pragma once

#include "link/udp_link.h"
#include "platform/socket.h"
#include "report/repeated_fault.h"

#include <array>
#include <string>

namespace kalveo::udp_detail {

/// A status line: standard output and the log.
void report(const std::string& line);

/// The link's one instance of state; lives for the program's run.
struct UdpModule {
    std::uint32_t address = kIpv4Loopback; ///< address the receiving socket is bound to
    int port = kDefaultUdpPort;            ///< receiving port
    int send_port = 0;                     ///< forward port
    bool forward_enabled = false;          ///< forwarding socket wanted and open
    bool library_started = false;          ///< socket library started by udp_init
    SocketHandle receiving = kNoSocket;    ///< bound receiving socket
    SocketHandle sending = kNoSocket;      ///< forwarding socket, connected to its target
    Ipv4Endpoint sender;                   ///< sender of the last datagram read
    long last_error = 0;                   ///< error code of the last failed read
    std::array<char, kUdpBufferLength> receive_buf{}; ///< the last datagram read
    int count = 0;                                    ///< udp_read calls so far; never reset
    int last_batch = 0;                               ///< datagrams taken by the last udp_read
    PacketHandler handler;                            ///< decoder of the newest datagram
    bool stamp_arrivals = false;                      ///< arrival times wanted
    double arrival = 0.0;                ///< arrival of the last datagram read (s since the epoch)
    double decoded_arrival = 0.0;        ///< arrival of the datagram last decoded
    RepeatedFault forward_fault{report}; ///< forwards refused
    RepeatedFault read_fault{report};    ///< reads failing
};

UdpModule& module();

/// Reads up to this count also print their diagnostic lines.
inline constexpr int kTracedReads = 9;

/// A diagnostic line: standard output only.
void print_line(const std::string& line);

} // namespace kalveo::udp_detail
