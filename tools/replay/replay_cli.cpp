// kalveo-replay: sends a short flight to the program as the simulator would: datagrams of
// telemetry to 127.0.0.1:<port>, a glide and then a dive through the four VNE alarm levels
// and back.
#include "platform/socket.h"
#include "replay/scenario.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>

namespace {

using kalveo::replay::Phase;
using kalveo::replay::ScenarioOptions;

struct Options {
    ScenarioOptions scenario;
    std::string host = "127.0.0.1";
    int port = 55278;
    double rate_hz = 10.0;
    bool print = false; ///< write the datagrams to standard output instead of sending them
    bool quiet = false;
};

void usage() {
    std::puts("Usage: kalveo-replay [options]\n"
              "  --port N        UDP port of the program (default 55278)\n"
              "  --host A        its IPv4 address (default 127.0.0.1)\n"
              "  --rate HZ       datagrams per second (default 10)\n"
              "  --scenario S    flight (default: glide then dive), glide or dive\n"
              "  --vne KMH       the glider's VNE the dive is placed around (default 280)\n"
              "  --dv1 KMH       alarm start below VNE (default 10)\n"
              "  --dv2 KMH       width of the alarm band (default 20)\n"
              "  --hold S        seconds at each speed of the dive (default 3)\n"
              "  --glide S       seconds of the glide (default 8)\n"
              "  --print         write the datagrams to standard output, send nothing\n"
              "  --quiet         no timeline");
}

bool number(const char* text, double& out) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value)) return false;
    out = value;
    return true;
}

// Returns false on a bad option; `i` moves past an option's value.
bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--print") {
            o.print = true;
            continue;
        }
        if (arg == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        double x = 0.0;
        if (arg == "--scenario") {
            o.scenario.name = value;
            continue;
        }
        if (arg == "--host") {
            o.host = value;
            continue;
        }
        if (!number(value, x)) return false;
        if (arg == "--port" && x >= 1 && x <= 65535)
            o.port = static_cast<int>(x);
        else if (arg == "--rate" && x > 0 && x <= 1000)
            o.rate_hz = x;
        else if (arg == "--vne" && x > 0)
            o.scenario.vne_kmh = x;
        else if (arg == "--dv1" && x >= 0)
            o.scenario.dv1_kmh = x;
        else if (arg == "--dv2" && x > 0)
            o.scenario.dv2_kmh = x;
        else if (arg == "--hold" && x > 0)
            o.scenario.hold_s = x;
        else if (arg == "--glide" && x >= 0)
            o.scenario.glide_s = x;
        else
            return false;
    }
    return true;
}

void print_timeline(const std::vector<Phase>& phases) {
    for (const Phase& p : phases) {
        char level[32] = "";
        if (p.alarm_level >= 0)
            std::snprintf(level, sizeof level, ", alarm level %d", p.alarm_level);
        std::printf("  %6.1f s  %-22s TAS %5.1f km/h%s\n", p.start_s, p.name.c_str(), p.tas_kmh,
                    level);
    }
    std::fflush(stdout);
}

int send_flight(const Options& o, const std::vector<Phase>& phases) {
    const auto address = kalveo::parse_ipv4(o.host);
    if (!address) {
        std::fprintf(stderr, "kalveo-replay: %s is no IPv4 address\n", o.host.c_str());
        return 2;
    }
    kalveo::SocketHandle socket = kalveo::kNoSocket;
    if (!o.print) {
        kalveo::socket_library_start();
        socket = kalveo::udp_socket_open();
        if (socket == kalveo::kNoSocket) {
            std::fprintf(stderr, "kalveo-replay: no socket (error %ld)\n",
                         kalveo::socket_last_error());
            return 1;
        }
    }
    const kalveo::Ipv4Endpoint target{*address, static_cast<std::uint16_t>(o.port)};
    const double length = kalveo::replay::flight_length(phases);
    const auto period = std::chrono::duration<double>(1.0 / o.rate_hz);
    const auto start = std::chrono::steady_clock::now();
    int sent = 0;
    for (int n = 0;; ++n) {
        const double t = n / o.rate_hz;
        if (t > length) break;
        std::this_thread::sleep_until(start + n * period);
        const std::string text =
            kalveo::replay::datagram_text(kalveo::replay::sample_at(phases, o.scenario, t));
        if (o.print) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fputs("\r\n", stdout);
        } else if (kalveo::socket_send_to(socket, text, target) > 0) {
            ++sent;
        }
    }
    if (!o.print) {
        kalveo::socket_close(socket);
        kalveo::socket_library_stop();
        if (!o.quiet)
            std::printf("kalveo-replay: %d datagrams sent to %s:%d\n", sent, o.host.c_str(),
                        o.port);
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
    }
    const std::vector<Phase> phases = kalveo::replay::scenario_phases(o.scenario);
    if (phases.empty()) {
        std::fprintf(stderr, "kalveo-replay: unknown scenario %s\n", o.scenario.name.c_str());
        return 2;
    }
    if (!o.quiet && !o.print) print_timeline(phases);
    return send_flight(o, phases);
}
