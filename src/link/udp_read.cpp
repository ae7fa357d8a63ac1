#include "link/udp_link.h"
#include "link/udp_module.h"
#include "text/text_format.h"

#include <chrono>
#include <cmath>
#include <limits>

namespace kalveo {

using namespace udp_detail;

namespace {

// A flood of datagrams must not hold the event loop: a tick drains for at most
// 5 ms (a fifth of the timer's 25 ms; the simulator's highest rate, 1000 a
// second, needs well under 1 ms of it) and at most this many datagrams; the
// rest waits for the next tick, and what the socket cannot hold the kernel drops.
constexpr int kMostDatagramsPerRead = 4096;
constexpr auto kDrainBudget = std::chrono::milliseconds(5);

// The decoder's real result as the integer the caller stores; values that do
// not fit an int (or are not numbers) must not reach the conversion.
int truncate_to_int(double value) {
    if (std::isnan(value)) return 0;
    if (value >= static_cast<double>(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= static_cast<double>(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return static_cast<int>(value);
}

void forward(int length) {
    UdpModule& m = module();
    const int sent =
        socket_send(m.sending, {m.receive_buf.data(), static_cast<std::size_t>(length)});
    if (m.count <= kTracedReads)
        print_line(
            format_text("Server: Total Bytes received, sent: %d %d %d \n", m.count, length, sent));
    if (sent < 1)
        m.forward_fault.fault(format_text("Server: UDP forward failed : %ld", socket_last_error()));
    else
        m.forward_fault.worked();
}

int decode(int length) {
    UdpModule& m = module();
    if (!m.handler) return 0;
    const int tas = truncate_to_int(m.handler(std::string_view(m.receive_buf.data(), length)));
    if (m.count <= kTracedReads) print_line(format_text("udp_read TAS = %d \n", tas));
    return tas;
}

} // namespace

int udp_read(int& tas) {
    UdpModule& m = module();
    ++m.count;
    m.last_batch = 0;
    tas = 0;
    if (m.receiving == kNoSocket) return 0;

    int length = 0;
    int ready = socket_wait_readable(m.receiving, kUdpSelectTimeoutUs);
    const auto deadline = std::chrono::steady_clock::now() + kDrainBudget;
    for (int drained = 0; ready > 0 && drained < kMostDatagramsPerRead &&
                          (drained == 0 || std::chrono::steady_clock::now() < deadline);
         ++drained) {
        const int received =
            m.stamp_arrivals
                ? socket_receive_stamped(m.receiving, m.receive_buf, &m.sender, m.arrival)
                : socket_receive(m.receiving, m.receive_buf, &m.sender);
        const long error = received < 0 ? socket_last_error() : 0;
        // Announced but gone (a datagram with a bad checksum): nothing to read.
        if (received < 0 && socket_error_is_would_block(error)) break;
        // An empty datagram carries nothing: not decoded, not forwarded, not logged.
        if (received != 0) {
            length = received;
            ++m.last_batch;
            if (m.count <= kTracedReads)
                print_line(format_text("Select, bytes rcvd %d %d %d\n", m.count, ready, length));
            if (received < 0) {
                m.last_error = error;
                m.read_fault.fault(
                    format_text("Server: Connection closed with error code: %ld", error));
            } else {
                m.read_fault.worked();
                if (m.forward_enabled) forward(length);
            }
        }
        ready = socket_wait_readable(m.receiving, kUdpSelectTimeoutUs);
    }
    if (m.count <= kTracedReads)
        print_line(format_text("Select, bytes rcvd %d %d %d\n", m.count, ready, length));
    if (length >= 1) {
        m.decoded_arrival = m.arrival;
        tas = decode(length);
    }
    return length;
}

void udp_stamp_arrivals(bool wanted) {
    module().stamp_arrivals = wanted;
}

double udp_last_arrival() {
    return module().decoded_arrival;
}

} // namespace kalveo
