#include "link/udp_link.h"

#include "flight/records.h"
#include "link/udp_module.h"
#include "report/messages.h"
#include "text/blanks.h"
#include "text/text_format.h"

#include <cctype>
#include <utility>

namespace kalveo {

using namespace udp_detail;

namespace {

constexpr int kHighestPort = 65535;

bool is_localhost(std::string_view host) {
    constexpr std::string_view kName = "localhost";
    if (host.size() != kName.size()) return false;
    for (std::size_t i = 0; i < host.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(host[i])) != kName[i]) return false;
    return true;
}

} // namespace

// Undoes whatever open had opened, without status lines: the caller has
// just reported why it gives up.
void UdpLink::abandon_sockets() {
    if (sending_ != kNoSocket) socket_close(sending_);
    if (receiving_ != kNoSocket) socket_close(receiving_);
    if (library_started_) socket_library_stop();
    sending_ = receiving_ = kNoSocket;
    library_started_ = false;
    forward_enabled_ = false;
}

int UdpLink::fail(const std::string& line) {
    report(line);
    abandon_sockets();
    return -1;
}

// A port number the settings gave must fit the 16 bits on the wire; cutting it
// would quietly listen or forward somewhere else.
bool UdpLink::set_ports(int in_port, int out_port) {
    if (in_port > kHighestPort) {
        report(format_text("Server: Port %d is not a valid UDP port", in_port));
        return false;
    }
    if (out_port > kHighestPort) {
        report(format_text("Server: Forward port %d is not a valid UDP port", out_port));
        return false;
    }
    port_ = in_port > 0 ? in_port : kDefaultUdpPort;
    print_line(format_text("Port = %d %d\n", in_port, port_));
    forward_enabled_ = out_port > 0;
    send_port_ = forward_enabled_ ? out_port : 0;
    print_line(format_text("SendPort = %d %d %d\n", out_port, send_port_, forward_enabled_));
    return true;
}

int UdpLink::open_receiving_socket(std::string_view simulator_host) {
    receiving_ = udp_socket_open();
    if (receiving_ == kNoSocket)
        return fail(format_text("Server: Error at socket(): %ld", socket_last_error()));
    address_ = listen_address(simulator_host);
    const Ipv4Endpoint local{address_, static_cast<std::uint16_t>(port_)};
    print_line(format_text("ReceiverAddr.sin_port %d \n", network_order16(local.port)));
    print_line(format_text("ReceiverAddr.sin_addr.s_addr %d \n",
                           static_cast<int>(network_order32(local.address))));
    if (socket_bind(receiving_, local) != 0)
        return fail(format_text("Server: Bind() failed! Error: %ld", socket_last_error()));
    report("Server: Receiving on " + format_ipv4(address_) + " port " + std::to_string(port_));
    if (stamp_arrivals_ && socket_enable_arrival_stamps(receiving_) != 0)
        print_line("Datagram arrival stamps not available: the read time stands in\n");
    return 0;
}

// Forwarding to our own socket would feed every datagram back in, twice as many each time.
bool UdpLink::feeds_itself(const Ipv4Endpoint& target) const {
    return target.port == port_ && ipv4_address_is_local(target.address);
}

void UdpLink::refuse_own_socket(const Ipv4Endpoint& target) {
    const std::string where = format_ipv4(target.address) + " port " + std::to_string(target.port);
    report("Server: Forward target " + where + " is this program's own socket: not forwarding");
    const std::string text =
        french_
            ? "Forward Port " + std::to_string(target.port) +
                  " est le port de Kalveo sur cet ordinateur : chaque datagramme lui "
                  "reviendrait.\nKalveo continue sans renvoi ; choisissez un autre Forward Port "
                  "dans Kalveo.ini."
            : "Forward Port " + std::to_string(target.port) +
                  " is Kalveo's own port on this computer: every datagram would come back to "
                  "it.\nKalveo goes on without forwarding; choose another Forward Port in "
                  "Kalveo.ini.";
    error_message_tit(kBoxWarning, kDefaultBoxTitle, text);
    socket_close(sending_);
    sending_ = kNoSocket;
    forward_enabled_ = false;
    send_port_ = 0;
}

int UdpLink::open_forwarding_socket(std::string_view out_addr) {
    sending_ = udp_socket_open();
    if (sending_ == kNoSocket)
        return fail(format_text("Client: Error at socket(): %ld", socket_last_error()));
    print_line("Client: socket() is OK!");
    const auto address = parse_ipv4(out_addr);
    if (!address) {
        const std::string text(out_addr);
        return fail(format_text("Server: Sending Bind() failed! Invalid forward address: %.64s",
                                text.c_str()));
    }
    const Ipv4Endpoint target{*address, static_cast<std::uint16_t>(send_port_)};
    print_line(format_text("SendingAddr.sin_port %d \n", network_order16(target.port)));
    print_line(format_text("SendingAddr.sin_addr.s_addr %d \n",
                           static_cast<int>(network_order32(target.address))));
    if (feeds_itself(target)) {
        refuse_own_socket(target);
        return 0;
    }
    if (socket_connect(sending_, target) != 0)
        return fail(format_text("Server: Sending Bind() failed! Error: %ld", socket_last_error()));
    return 0;
}

// The first read failed outright: say where from, and give up.
int UdpLink::first_read_failed() {
    report(format_text("Server: Connection closed with error code: %ld", last_error_));
    report("Server: Sending IP used: " + format_ipv4(sender_.address));
    report(format_text("Server: Sending port used: %d", sender_.port));
    close();
    return -1;
}

std::uint32_t listen_address(std::string_view simulator_host) {
    const std::string_view host = trim(simulator_host);
    if (host.empty() || is_localhost(host)) return kIpv4Loopback;
    const auto address = parse_ipv4(host);
    if (address && (*address >> 24) == 127) return *address;
    return kIpv4Any;
}

UdpLink::UdpLink() : forward_fault_(report), read_fault_(report) {}

UdpLink::~UdpLink() {
    close();
}

int UdpLink::open(int in_port, int out_port, std::string_view out_addr,
                  std::string_view simulator_host, const Decoder& decode) {
    // A second init without a close would leak the open sockets.
    if (receiving_ != kNoSocket) close();
    if (!set_ports(in_port, out_port)) return -1;

    if (const int error = socket_library_start(); error != 0) {
        report(format_text("Server: WSAStartup failed with error %ld", static_cast<long>(error)));
        return -1;
    }
    library_started_ = true;
    if (open_receiving_socket(simulator_host) != 0) return -1;
    if (forward_enabled_ && open_forwarding_socket(out_addr) != 0) return -1;

    report("Waiting for datagrams ...");
    const int bytes = read();
    if (bytes > 0 && decode) decoded(decode(newest()));
    if (bytes < 0) return first_read_failed();
    report(format_text("Server: Total Bytes received: %d %d", bytes, count_));
    return bytes;
}

int UdpLink::close() {
    if (!library_started_) return 0;
    read_fault_.finish();
    forward_fault_.finish();
    report("Finished receiving. Closing the listening socket...");
    if (receiving_ != kNoSocket) {
        if (socket_close(receiving_) != 0)
            report(format_text("RCV closesocket() failed! Error code: %ld", socket_last_error()));
        else
            report("RCV closesocket() is OK");
    }
    if (forward_enabled_ && sending_ != kNoSocket) {
        if (socket_close(sending_) != 0)
            report(format_text("FWD closesocket() failed! Error code: %ld", socket_last_error()));
        else
            report("FWD closesocket() is OK");
    }
    report("Cleaning up...");
    if (const int error = socket_library_stop(); error != 0)
        report(format_text("WSACleanup() failed! Error code: %ld", static_cast<long>(error)));
    else
        report("WSACleanup() is OK");
    receiving_ = sending_ = kNoSocket;
    library_started_ = false;
    forward_enabled_ = false;
    return 0;
}

UdpLinkState UdpLink::state() const {
    return {receiving_ != kNoSocket,
            address_,
            port_,
            forward_enabled_ && sending_ != kNoSocket,
            send_port_,
            count_,
            last_batch_};
}

} // namespace kalveo
