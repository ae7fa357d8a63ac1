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

} // namespace

void UdpLink::forward(int length) {
    const int sent = socket_send(sending_, {receive_buf_.data(), static_cast<std::size_t>(length)});
    if (count_ <= kTracedReads)
        print_line(
            format_text("Server: Total Bytes received, sent: %d %d %d \n", count_, length, sent));
    if (sent < 1)
        forward_fault_.fault(format_text("Server: UDP forward failed : %ld", socket_last_error()));
    else
        forward_fault_.worked();
}

int UdpLink::read() {
    ++count_;
    last_batch_ = 0;
    newest_length_ = 0;
    if (receiving_ == kNoSocket) return 0;

    int length = 0;
    int ready = socket_wait_readable(receiving_, kUdpSelectTimeoutUs);
    const auto deadline = std::chrono::steady_clock::now() + kDrainBudget;
    for (int drained = 0; ready > 0 && drained < kMostDatagramsPerRead &&
                          (drained == 0 || std::chrono::steady_clock::now() < deadline);
         ++drained) {
        const int received =
            stamp_arrivals_ ? socket_receive_stamped(receiving_, receive_buf_, &sender_, arrival_)
                            : socket_receive(receiving_, receive_buf_, &sender_);
        const long error = received < 0 ? socket_last_error() : 0;
        // Announced but gone (a datagram with a bad checksum): nothing to read.
        if (received < 0 && socket_error_is_would_block(error)) break;
        // An empty datagram carries nothing: not decoded, not forwarded, not logged.
        if (received != 0) {
            length = received;
            ++last_batch_;
            if (count_ <= kTracedReads)
                print_line(format_text("Select, bytes rcvd %d %d %d\n", count_, ready, length));
            if (received < 0) {
                last_error_ = error;
                read_fault_.fault(
                    format_text("Server: Connection closed with error code: %ld", error));
            } else {
                read_fault_.worked();
                if (forward_enabled_) forward(length);
            }
        }
        ready = socket_wait_readable(receiving_, kUdpSelectTimeoutUs);
    }
    if (count_ <= kTracedReads)
        print_line(format_text("Select, bytes rcvd %d %d %d\n", count_, ready, length));
    if (length >= 1) {
        decoded_arrival_ = arrival_;
        newest_length_ = length;
    }
    return length;
}

std::string_view UdpLink::newest() const {
    return {receive_buf_.data(), static_cast<std::size_t>(newest_length_)};
}

int UdpLink::decoded(double tas) const {
    const int whole = truncate_to_int(tas);
    if (count_ <= kTracedReads) print_line(format_text("udp_read TAS = %d \n", whole));
    return whole;
}

} // namespace kalveo
