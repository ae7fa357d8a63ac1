#include "platform/socket.h"

#include <chrono>
#include <winsock2.h>
#include <ws2tcpip.h>

namespace kalveo {

namespace {

sockaddr_in to_sockaddr(const Ipv4Endpoint& endpoint) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    address.sin_addr.s_addr = htonl(endpoint.address);
    return address;
}

Ipv4Endpoint from_sockaddr(const sockaddr_in& address) {
    return {ntohl(address.sin_addr.s_addr), ntohs(address.sin_port)};
}

SOCKET native(SocketHandle socket) {
    return static_cast<SOCKET>(socket);
}

int byte_count(std::span<const char> bytes) {
    return bytes.size() > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(bytes.size());
}

} // namespace

int socket_library_start() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data);
}

int socket_library_stop() {
    return WSACleanup() == 0 ? 0 : WSAGetLastError();
}

long socket_last_error() {
    return WSAGetLastError();
}

bool socket_error_is_would_block(long code) {
    return code == WSAEWOULDBLOCK;
}

SocketHandle udp_socket_open() {
    const SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) return kNoSocket;
    u_long non_blocking = 1;
    if (ioctlsocket(s, FIONBIO, &non_blocking) != 0) {
        const int error = WSAGetLastError();
        closesocket(s);
        WSASetLastError(error);
        return kNoSocket;
    }
    return static_cast<SocketHandle>(s);
}

int socket_bind(SocketHandle socket, const Ipv4Endpoint& local) {
    const sockaddr_in address = to_sockaddr(local);
    return ::bind(native(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
               ? 0
               : -1;
}

int socket_connect(SocketHandle socket, const Ipv4Endpoint& remote) {
    const sockaddr_in address = to_sockaddr(remote);
    return ::connect(native(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
                   0
               ? 0
               : -1;
}

int socket_close(SocketHandle socket) {
    return closesocket(native(socket)) == 0 ? 0 : -1;
}

std::optional<Ipv4Endpoint> socket_local_endpoint(SocketHandle socket) {
    sockaddr_in address{};
    int size = sizeof address;
    if (::getsockname(native(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return std::nullopt;
    return from_sockaddr(address);
}

std::optional<Ipv4Endpoint> socket_peer_endpoint(SocketHandle socket) {
    sockaddr_in address{};
    int size = sizeof address;
    if (::getpeername(native(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return std::nullopt;
    return from_sockaddr(address);
}

int socket_wait_readable(SocketHandle socket, int timeout_us) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(native(socket), &readable);
    timeval timeout{timeout_us / 1000000, timeout_us % 1000000};
    const int ready = ::select(0, &readable, nullptr, nullptr, &timeout);
    return ready == SOCKET_ERROR ? -1 : ready;
}

int socket_receive(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender) {
    sockaddr_in address{};
    int size = sizeof address;
    const int capacity = byte_count(buffer);
    const int length = ::recvfrom(native(socket), buffer.data(), capacity, 0,
                                  reinterpret_cast<sockaddr*>(&address), &size);
    if (length == SOCKET_ERROR) {
        // Winsock fills the buffer with the head of a longer datagram, drops
        // the rest and calls that an error; keep the head as POSIX does.
        if (WSAGetLastError() != WSAEMSGSIZE) return -1;
        if (sender != nullptr) *sender = from_sockaddr(address);
        return capacity;
    }
    if (sender != nullptr) *sender = from_sockaddr(address);
    return length;
}

int socket_enable_arrival_stamps(SocketHandle /*socket*/) {
    return -1; // Winsock stamps no datagrams; the time of the read stands in.
}

int socket_receive_stamped(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender,
                           double& arrival) {
    const int length = socket_receive(socket, buffer, sender);
    arrival = epoch_seconds_now();
    return length;
}

double epoch_seconds_now() {
    using namespace std::chrono;
    return duration<double>(system_clock::now().time_since_epoch()).count();
}

int socket_send(SocketHandle socket, std::span<const char> datagram) {
    const int sent = ::send(native(socket), datagram.data(), byte_count(datagram), 0);
    return sent == SOCKET_ERROR ? -1 : sent;
}

int socket_send_to(SocketHandle socket, std::span<const char> datagram,
                   const Ipv4Endpoint& remote) {
    const sockaddr_in address = to_sockaddr(remote);
    const int sent = ::sendto(native(socket), datagram.data(), byte_count(datagram), 0,
                              reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent == SOCKET_ERROR ? -1 : sent;
}

} // namespace kalveo
