#include "platform/socket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

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

int fd_of(SocketHandle socket) {
    return static_cast<int>(socket);
}

} // namespace

int socket_library_start() {
    return 0;
}

int socket_library_stop() {
    return 0;
}

long socket_last_error() {
    return errno;
}

bool socket_error_is_would_block(long code) {
    return code == EAGAIN || code == EWOULDBLOCK;
}

SocketHandle udp_socket_open() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_UDP);
    return fd < 0 ? kNoSocket : fd;
}

int socket_bind(SocketHandle socket, const Ipv4Endpoint& local) {
    const sockaddr_in address = to_sockaddr(local);
    return ::bind(fd_of(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0
               ? 0
               : -1;
}

int socket_connect(SocketHandle socket, const Ipv4Endpoint& remote) {
    const sockaddr_in address = to_sockaddr(remote);
    return ::connect(fd_of(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) ==
                   0
               ? 0
               : -1;
}

int socket_close(SocketHandle socket) {
    return ::close(fd_of(socket)) == 0 ? 0 : -1;
}

std::optional<Ipv4Endpoint> socket_local_endpoint(SocketHandle socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getsockname(fd_of(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return std::nullopt;
    return from_sockaddr(address);
}

std::optional<Ipv4Endpoint> socket_peer_endpoint(SocketHandle socket) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    if (::getpeername(fd_of(socket), reinterpret_cast<sockaddr*>(&address), &size) != 0)
        return std::nullopt;
    return from_sockaddr(address);
}

int socket_wait_readable(SocketHandle socket, int timeout_us) {
    const int fd = fd_of(socket);
    // FD_SET beyond FD_SETSIZE would write outside the set.
    if (fd < 0 || fd >= FD_SETSIZE) {
        errno = EBADF;
        return -1;
    }
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timeval timeout{timeout_us / 1000000, timeout_us % 1000000};
    const int ready = ::select(fd + 1, &readable, nullptr, nullptr, &timeout);
    if (ready < 0 && errno == EINTR) return 0;
    return ready;
}

int socket_receive(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender) {
    sockaddr_in address{};
    socklen_t size = sizeof address;
    const ssize_t length = ::recvfrom(fd_of(socket), buffer.data(), buffer.size(), 0,
                                      reinterpret_cast<sockaddr*>(&address), &size);
    if (length < 0) return -1;
    if (sender != nullptr) *sender = from_sockaddr(address);
    return static_cast<int>(length);
}

int socket_enable_arrival_stamps(SocketHandle socket) {
    const int on = 1;
    return ::setsockopt(fd_of(socket), SOL_SOCKET, SO_TIMESTAMP, &on, sizeof on) == 0 ? 0 : -1;
}

int socket_receive_stamped(SocketHandle socket, std::span<char> buffer, Ipv4Endpoint* sender,
                           double& arrival) {
    sockaddr_in address{};
    iovec part{buffer.data(), buffer.size()};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(timeval))];
    msghdr message{};
    message.msg_name = &address;
    message.msg_namelen = sizeof address;
    message.msg_iov = &part;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    const ssize_t length = ::recvmsg(fd_of(socket), &message, 0);
    if (length < 0) return -1;
    if (sender != nullptr) *sender = from_sockaddr(address);
    arrival = epoch_seconds_now();
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c)) {
        if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMP) continue;
        timeval stamp{};
        std::memcpy(&stamp, CMSG_DATA(c), sizeof stamp);
        arrival = static_cast<double>(stamp.tv_sec) + static_cast<double>(stamp.tv_usec) * 1e-6;
    }
    return static_cast<int>(length);
}

double epoch_seconds_now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

int socket_send(SocketHandle socket, std::span<const char> datagram) {
    const ssize_t sent = ::send(fd_of(socket), datagram.data(), datagram.size(), MSG_NOSIGNAL);
    return sent < 0 ? -1 : static_cast<int>(sent);
}

int socket_send_to(SocketHandle socket, std::span<const char> datagram,
                   const Ipv4Endpoint& remote) {
    const sockaddr_in address = to_sockaddr(remote);
    const ssize_t sent = ::sendto(fd_of(socket), datagram.data(), datagram.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return sent < 0 ? -1 : static_cast<int>(sent);
}

} // namespace kalveo
