#include "scenario_flight.h"

#include "platform/process.h"

#include <cstdio>
#include <utility>

namespace kalveo::testing {

namespace {

constexpr double kRateHz = 10.0; // the simulator's rate (100 ms in its UDP.ini)

} // namespace

ScenarioFlight::ScenarioFlight(int port, const replay::ScenarioOptions& options, Alteration alter)
    : phases_(replay::scenario_phases(options)), options_(options), alter_(std::move(alter)) {
    socket_library_start();
    socket_ = udp_socket_open();
    target_ = Ipv4Endpoint{kIpv4Loopback, static_cast<std::uint16_t>(port)};
    start_ = std::chrono::steady_clock::now();
    thread_ = std::thread([this] {
        replay::Flight flight(phases_, options_);
        const double length = replay::flight_length(phases_);
        for (int n = 0; !stop_; ++n) {
            const double t = n / kRateHz;
            if (t > length) break;
            std::this_thread::sleep_until(
                start_ + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                             std::chrono::duration<double>(t)));
            const std::string datagram = replay::datagram_text(flight.at(t));
            socket_send_to(socket_, alter_ ? alter_(n, datagram) : datagram, target_);
        }
    });
}

ScenarioFlight::~ScenarioFlight() {
    stop_ = true;
    finish();
    if (socket_ != kNoSocket) socket_close(socket_);
}

double ScenarioFlight::phase_start(const std::string& name, int nth) const {
    for (const replay::Phase& p : phases_)
        if (p.name == name && --nth == 0) return p.start_s;
    return -1.0;
}

double ScenarioFlight::elapsed() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void ScenarioFlight::wait_until(double t) const {
    std::this_thread::sleep_until(start_ +
                                  std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(t)));
}

void ScenarioFlight::finish() {
    if (thread_.joinable()) thread_.join();
}

std::string read_window_text(const std::string& display, unsigned long window,
                             const std::filesystem::path& work) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", window);
    const auto shot = (work / "window.png").string();
    const auto big = (work / "window-big.png").string();
    if (run_program({"import", "-display", display, "-window", id, shot}) != 0) return "";
    // Larger letters read more reliably.
    if (run_program({"convert", shot, "-resize", "300%", big}) != 0) return "";
    std::string text;
    if (run_program_capture({"tesseract", big, "stdout", "--psm", "7", "-l", "eng"}, text) != 0)
        return "";
    return text;
}

} // namespace kalveo::testing
