#include "flight_sender.h"

#include "replay/datagram.h"

#include <chrono>
#include <thread>

namespace kalveo::testing {

namespace {

constexpr double kRateHz = 10.0;
constexpr double kAltitude = 1000.0;

} // namespace

FlightSender::FlightSender(int port) {
    socket_library_start();
    socket_ = udp_socket_open();
    target_ = Ipv4Endpoint{kIpv4Loopback, static_cast<std::uint16_t>(port)};
}

FlightSender::~FlightSender() {
    if (socket_ != kNoSocket) socket_close(socket_);
}

void FlightSender::fly(double tas_kmh, double seconds) {
    const auto start = std::chrono::steady_clock::now();
    const auto period = std::chrono::duration<double>(1.0 / kRateHz);
    for (int n = 0; n < static_cast<int>(seconds * kRateHz); ++n) {
        std::this_thread::sleep_until(start + n * period);
        replay::FlightSample s;
        s.time_h = 12.0 + clock_s_ / 3600.0;
        s.altitude = kAltitude;
        s.height = kAltitude - 200.0;
        s.airspeed = replay::indicated_from_true(tas_kmh / 3.6, kAltitude);
        s.ground_speed = tas_kmh / 3.6;
        s.vario = -1.0;
        const std::string text = replay::datagram_text(s);
        socket_send_to(socket_, text, target_);
        clock_s_ += 1.0 / kRateHz;
    }
}

} // namespace kalveo::testing
