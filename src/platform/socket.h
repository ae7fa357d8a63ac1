// platform/socket: IPv4 UDP sockets (BSD sockets on POSIX, Winsock 2 on Windows).
//
// Sockets are non-blocking: callers wait with socket_wait_readable, so a
// datagram that vanishes between the wait and the read can never hang them.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace kalveo {

/// An open socket; kNoSocket when there is none.
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

/// An IPv4 address and port, both in host byte order.
struct Ipv4Endpoint {
    std::uint32_t address = 0;
    std::uint16_t port = 0;
};

inline constexpr std::uint32_t kIpv4Any = 0;
inline constexpr std::uint32_t kIpv4Loopback = 0x7F000001;

/// Starts the socket library (Winsock 2.2; nothing to do on POSIX).
/// Returns 0, or the error code.
int socket_library_start();

/// Releases the socket library again. Returns 0, or the error code.
int socket_library_stop();

/// Error code of the last failed socket call of this thread (errno or WSAGetLastError).
[[nodiscard]] long socket_last_error();

/// True when the error code only says that nothing was waiting.
[[nodiscard]] bool socket_error_is_would_block(long code);

/// A new non-blocking IPv4 UDP socket, or kNoSocket (see socket_last_error).
[[nodiscard]] SocketHandle udp_socket_open();

/// Returns 0, or -1 on failure (see socket_last_error); the same for the calls below.
int socket_bind(SocketHandle socket, const Ipv4Endpoint& local);
int socket_connect(SocketHandle socket, const Ipv4Endpoint& remote);
int socket_close(SocketHandle socket);

/// The address the socket is bound to, or its connected peer; nothing on failure.
[[nodiscard]] std::optional<Ipv4Endpoint> socket_local_endpoint(SocketHandle socket);
[[nodiscard]] std::optional<Ipv4Endpoint> socket_peer_endpoint(SocketHandle socket);

/// Waits at most `timeout_us` (microseconds) for a datagram: 1 when one is
/// waiting, 0 when the time ran out, -1 on failure.
int socket_wait_readable(SocketHandle socket, int timeout_us);

/// Takes the next datagram into `buffer`; a longer one is cut to the buffer's
/// size and its rest discarded. Returns the byte count kept, or -1 on failure.
/// `sender` (may be null) receives the sender's address.
int socket_receive(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender);

/// Asks the system to stamp each datagram with its arrival time. Returns 0, or -1 when it
/// cannot (socket_receive_stamped then gives the time of the call instead).
int socket_enable_arrival_stamps(SocketHandle socket);

/// socket_receive that also gives the datagram's arrival time `arrival` (seconds since the
/// epoch): the system's stamp where there is one, else the time of this call.
int socket_receive_stamped(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender,
                           double& arrival);

/// Seconds since the epoch, on the clock of the arrival stamps.
[[nodiscard]] double epoch_seconds_now();

/// Sends one datagram on a connected socket, or to `remote`. Returns the byte
/// count sent, or -1 on failure.
int socket_send(SocketHandle socket, std::span<const char> datagram);
int socket_send_to(SocketHandle socket, std::span<const char> datagram, const Ipv4Endpoint& remote);

/// True when `address` belongs to this machine, so that a datagram sent there stays on it: the
/// loopback range, every interface (0.0.0.0) and the address of any of its interfaces. Needs
/// the socket library started.
[[nodiscard]] bool ipv4_address_is_local(std::uint32_t address);

/// The address of a strict dotted-quad text ("127.0.0.1"), host byte order.
/// Blanks around the text are ignored; anything else gives nothing.
[[nodiscard]] std::optional<std::uint32_t> parse_ipv4(std::string_view text);

/// Dotted-quad text of an address in host byte order.
[[nodiscard]] std::string format_ipv4(std::uint32_t address);

/// A value as its bytes would read in network byte order (big endian), as the
/// socket structures hold it.
[[nodiscard]] std::uint16_t network_order16(std::uint16_t host);
[[nodiscard]] std::uint32_t network_order32(std::uint32_t host);

} // namespace kalveo
