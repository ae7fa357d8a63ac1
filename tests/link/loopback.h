// Loopback helpers for the link tests: free ports, and a peer socket that
// plays the simulator (sending) or the program datagrams are forwarded to.
#pragma once

#include "platform/socket.h"

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kalveo::testing {

/// A port on 127.0.0.1 that was free a moment ago.
[[nodiscard]] int free_udp_port();

/// True when a socket could be bound to the port right now.
[[nodiscard]] bool udp_port_is_free(int port);

/// An address of this machine outside the loopback range (the one it would send to the
/// outside from), or nothing when it has no such interface.
[[nodiscard]] std::optional<std::uint32_t> outward_address();

/// A UDP socket bound to 127.0.0.1 on a port of its own (or the given one).
/// The socket library held for a scope (Winsock wants its start before any socket).
class SocketLibrary {
  public:
    SocketLibrary() { socket_library_start(); }
    ~SocketLibrary() { socket_library_stop(); }
    SocketLibrary(const SocketLibrary&) = delete;
    SocketLibrary& operator=(const SocketLibrary&) = delete;
};

class LoopbackPeer {
  public:
    explicit LoopbackPeer(int port = 0);
    ~LoopbackPeer();
    LoopbackPeer(const LoopbackPeer&) = delete;
    LoopbackPeer& operator=(const LoopbackPeer&) = delete;

    [[nodiscard]] bool ok() const { return socket_ != kNoSocket; }
    [[nodiscard]] int port() const { return port_; }

    /// Sends one datagram to 127.0.0.1:`port`; true when it all went.
    bool send_to(int port, std::string_view bytes);

    /// Every datagram that arrives until none has come for `quiet`.
    [[nodiscard]] std::vector<std::string>
    receive_all(std::chrono::milliseconds quiet = std::chrono::milliseconds(200));

  private:
    SocketLibrary library_;
    SocketHandle socket_ = kNoSocket;
    int port_ = 0;
};

} // namespace kalveo::testing
