#include "link/udp_link.h"

#include "flight/records.h"
#include "link/udp_module.h"
#include "report/messages.h"
#include "report/records.h"
#include "text/blanks.h"
#include "text/text_format.h"

#include <cctype>
#include <utility>

namespace kalveo {

using namespace udp_detail;

namespace {

constexpr int kHighestPort = 65535;

// Undoes whatever udp_init had opened, without status lines: the caller has
// just reported why it gives up.
void abandon_sockets() {
    UdpModule& m = module();
    if (m.sending != kNoSocket) socket_close(m.sending);
    if (m.receiving != kNoSocket) socket_close(m.receiving);
    if (m.library_started) socket_library_stop();
    m.sending = m.receiving = kNoSocket;
    m.library_started = false;
    m.forward_enabled = false;
}

int fail(const std::string& line) {
    report(line);
    abandon_sockets();
    return -1;
}

// A port number the settings gave must fit the 16 bits on the wire; cutting it
// would quietly listen or forward somewhere else.
bool set_ports(int in_port, int out_port) {
    UdpModule& m = module();
    if (in_port > kHighestPort) {
        report(format_text("Server: Port %d is not a valid UDP port", in_port));
        return false;
    }
    if (out_port > kHighestPort) {
        report(format_text("Server: Forward port %d is not a valid UDP port", out_port));
        return false;
    }
    m.port = in_port > 0 ? in_port : kDefaultUdpPort;
    print_line(format_text("Port = %d %d\n", in_port, m.port));
    m.forward_enabled = out_port > 0;
    m.send_port = m.forward_enabled ? out_port : 0;
    print_line(format_text("SendPort = %d %d %d\n", out_port, m.send_port, m.forward_enabled));
    return true;
}

int open_receiving_socket(std::string_view simulator_host) {
    UdpModule& m = module();
    m.receiving = udp_socket_open();
    if (m.receiving == kNoSocket)
        return fail(format_text("Server: Error at socket(): %ld", socket_last_error()));
    m.address = listen_address(simulator_host);
    const Ipv4Endpoint local{m.address, static_cast<std::uint16_t>(m.port)};
    print_line(format_text("ReceiverAddr.sin_port %d \n", network_order16(local.port)));
    print_line(format_text("ReceiverAddr.sin_addr.s_addr %d \n",
                           static_cast<int>(network_order32(local.address))));
    if (socket_bind(m.receiving, local) != 0)
        return fail(format_text("Server: Bind() failed! Error: %ld", socket_last_error()));
    report("Server: Receiving on " + format_ipv4(m.address) + " port " + std::to_string(m.port));
    if (m.stamp_arrivals && socket_enable_arrival_stamps(m.receiving) != 0)
        print_line("Datagram arrival stamps not available: the read time stands in\n");
    return 0;
}

// Forwarding to our own socket would feed every datagram back in, twice as many each time.
bool feeds_itself(const Ipv4Endpoint& target) {
    const UdpModule& m = module();
    return target.port == m.port && ipv4_address_is_local(target.address);
}

void refuse_own_socket(const Ipv4Endpoint& target) {
    UdpModule& m = module();
    const std::string where = format_ipv4(target.address) + " port " + std::to_string(target.port);
    report("Server: Forward target " + where + " is this program's own socket: not forwarding");
    const std::string text =
        cmndta001.qfr
            ? "Forward Port " + std::to_string(target.port) +
                  " est le port de Kalveo sur cet ordinateur : chaque datagramme lui "
                  "reviendrait.\nKalveo continue sans renvoi ; choisissez un autre Forward Port "
                  "dans Kalveo.ini."
            : "Forward Port " + std::to_string(target.port) +
                  " is Kalveo's own port on this computer: every datagram would come back to "
                  "it.\nKalveo goes on without forwarding; choose another Forward Port in "
                  "Kalveo.ini.";
    error_message_tit(kBoxWarning, my_tas_c.msg_tit, text, cmndta001.qline);
    socket_close(m.sending);
    m.sending = kNoSocket;
    m.forward_enabled = false;
    m.send_port = 0;
}

int open_forwarding_socket(std::string_view out_addr) {
    UdpModule& m = module();
    m.sending = udp_socket_open();
    if (m.sending == kNoSocket)
        return fail(format_text("Client: Error at socket(): %ld", socket_last_error()));
    print_line("Client: socket() is OK!");
    const auto address = parse_ipv4(out_addr);
    if (!address) {
        const std::string text(out_addr);
        return fail(format_text("Server: Sending Bind() failed! Invalid forward address: %.64s",
                                text.c_str()));
    }
    const Ipv4Endpoint target{*address, static_cast<std::uint16_t>(m.send_port)};
    print_line(format_text("SendingAddr.sin_port %d \n", network_order16(target.port)));
    print_line(format_text("SendingAddr.sin_addr.s_addr %d \n",
                           static_cast<int>(network_order32(target.address))));
    if (feeds_itself(target)) {
        refuse_own_socket(target);
        return 0;
    }
    if (socket_connect(m.sending, target) != 0)
        return fail(format_text("Server: Sending Bind() failed! Error: %ld", socket_last_error()));
    return 0;
}

// The first read failed outright: say where from, and give up.
int first_read_failed() {
    const UdpModule& m = module();
    report(format_text("Server: Connection closed with error code: %ld", m.last_error));
    report("Server: Sending IP used: " + format_ipv4(m.sender.address));
    report(format_text("Server: Sending port used: %d", m.sender.port));
    udp_close();
    return -1;
}

bool is_localhost(std::string_view host) {
    constexpr std::string_view kName = "localhost";
    if (host.size() != kName.size()) return false;
    for (std::size_t i = 0; i < host.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(host[i])) != kName[i]) return false;
    return true;
}

} // namespace

std::uint32_t listen_address(std::string_view simulator_host) {
    const std::string_view host = trim(simulator_host);
    if (host.empty() || is_localhost(host)) return kIpv4Loopback;
    const auto address = parse_ipv4(host);
    if (address && (*address >> 24) == 127) return *address;
    return kIpv4Any;
}

void set_packet_handler(PacketHandler handler) {
    module().handler = std::move(handler);
}

int udp_init(int in_port, int out_port, std::string_view out_addr,
             std::string_view simulator_host) {
    // A second init without a close would leak the open sockets.
    if (module().receiving != kNoSocket) udp_close();
    if (!set_ports(in_port, out_port)) return -1;

    UdpModule& m = module();
    if (const int error = socket_library_start(); error != 0) {
        report(format_text("Server: WSAStartup failed with error %ld", static_cast<long>(error)));
        return -1;
    }
    m.library_started = true;
    if (open_receiving_socket(simulator_host) != 0) return -1;
    if (m.forward_enabled && open_forwarding_socket(out_addr) != 0) return -1;

    report("Waiting for datagrams ...");
    int tas = 0;
    const int bytes = udp_read(tas);
    if (bytes < 0) return first_read_failed();
    report(format_text("Server: Total Bytes received: %d %d", bytes, m.count));
    return bytes;
}

int udp_close() {
    UdpModule& m = module();
    if (!m.library_started) return 0;
    m.read_fault.finish();
    m.forward_fault.finish();
    report("Finished receiving. Closing the listening socket...");
    if (m.receiving != kNoSocket) {
        if (socket_close(m.receiving) != 0)
            report(format_text("RCV closesocket() failed! Error code: %ld", socket_last_error()));
        else
            report("RCV closesocket() is OK");
    }
    if (m.forward_enabled && m.sending != kNoSocket) {
        if (socket_close(m.sending) != 0)
            report(format_text("FWD closesocket() failed! Error code: %ld", socket_last_error()));
        else
            report("FWD closesocket() is OK");
    }
    report("Cleaning up...");
    if (const int error = socket_library_stop(); error != 0)
        report(format_text("WSACleanup() failed! Error code: %ld", static_cast<long>(error)));
    else
        report("WSACleanup() is OK");
    m.receiving = m.sending = kNoSocket;
    m.library_started = false;
    m.forward_enabled = false;
    return 0;
}

UdpLinkState udp_link_state() {
    const UdpModule& m = module();
    return {m.receiving != kNoSocket,
            m.address,
            m.port,
            m.forward_enabled && m.sending != kNoSocket,
            m.send_port,
            m.count,
            m.last_batch};
}

} // namespace kalveo
