// kalveo-replay: sends a flight to the program as the simulator would (datagrams of telemetry
// to 127.0.0.1:<port> at the simulator's rate), records the datagrams a simulator sends to a
// port with their arrival times, and plays such a recording back at its own pace.
#include "debrief/flight_pages.h"
#include "platform/program_path.h"
#include "platform/socket.h"
#include "replay/debrief.h"
#include "replay/recording.h"
#include "replay/scenario.h"

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>

namespace {

using kalveo::replay::Phase;
using kalveo::replay::ScenarioOptions;
using Clock = std::chrono::steady_clock;

struct Options {
    ScenarioOptions scenario;
    std::string host = "127.0.0.1";
    int port = 55278;
    double rate_hz = 10.0;
    bool print = false; ///< write the datagrams to standard output instead of sending them
    bool quiet = false;
    std::string record; ///< record into this file
    std::string play;   ///< play this recording
    std::string write;  ///< write the flight as a recording into this file, send nothing
    double speed = 1.0;
    double seconds = 0.0; ///< recording: stop after this long (0: at Ctrl+C)
    double idle = 0.0;    ///< recording: stop this long after the last datagram (0: never)
    kalveo::replay::DebriefOptions debrief; ///< the page of this recording, when named
    bool vne_given = false;
    bool speed_given = false;
    std::string page;  ///< write the page of this flight file
    bool help = false; ///< show the usage and end well
};

void usage() {
    std::puts(
        "Usage: kalveo-replay [options]                 send a flight\n"
        "       kalveo-replay --record FILE [--port N]  record what the simulator sends\n"
        "       kalveo-replay --play FILE [--speed X]   send a recording again\n"
        "       kalveo-replay --debrief FILE [--glider NAME] [--out FOLDER]\n"
        "                                               write the page of a recorded flight\n"
        "       kalveo-replay --page FILE.kflight        write the page of a kept flight\n"
        "  --port N        UDP port (default 55278): the program's, or the one to record on\n"
        "  --host A        the program's IPv4 address (default 127.0.0.1)\n"
        "  --rate HZ       datagrams per second (default 10, as the simulator sends)\n"
        "  --scenario S    flight (default: glide then dive), glide, dive, thermal, cruise\n"
        "                  (in the flapped Diana2) or tour (glide, thermal, cruise, dive, landing\n"
        "                  flap, in the Diana2)\n"
        "  --vne KMH       the glider's VNE the dive is placed around (default 280)\n"
        "  --dv1 KMH       alarm start below VNE (default 10)\n"
        "  --dv2 KMH       width of the alarm band (default 20)\n"
        "  --hold S        seconds at each speed of the dive (default 3)\n"
        "  --glide S       seconds of each glide (default 8)\n"
        "  --circles N     full circles in the thermal (default 3)\n"
        "  --wind DEG/KMH  wind, where it blows from and its speed (default 270/15)\n"
        "  --seconds S     recording: stop after S seconds (default: at Ctrl+C)\n"
        "  --idle S        recording: stop S seconds after the last datagram\n"
        "  --speed X       playing: X times the recorded pace (default 1)\n"
        "  --glider NAME   debrief: the glider, from the program's glider data file (default:\n"
        "                  the simulator's flight plan, as the program learns it)\n"
        "  --out FOLDER    debrief: where the flight file and its page go (default: beside FILE)\n"
        "  --lang L        debrief: the page's language, EN, FR or DE (default EN)\n"
        "  --speed X       debrief: keep the flight at X times the recorded pace (default: at\n"
        "                  once)\n"
        "  --polar         debrief: a flight in polar mode (a point every 5 s of steady speed)\n"
        "  --write FILE    write the flight as a recording (at --rate), send nothing\n"
        "  --print         write the datagrams to standard output, send nothing\n"
        "  --quiet         no timeline\n"
        "  --help          this text");
}

bool number(const char* text, double& out) {
    char* end = nullptr;
    const double value = std::strtod(text, &end);
    if (end == text || *end != '\0' || !std::isfinite(value)) return false;
    out = value;
    return true;
}

bool wind(const char* text, ScenarioOptions& o) {
    const char* slash = std::strchr(text, '/');
    if (slash == nullptr) return false;
    double from = 0.0, speed = 0.0;
    if (!number(std::string(text, slash).c_str(), from) || !number(slash + 1, speed) || speed < 0)
        return false;
    o.wind_from_deg = from;
    o.wind_kmh = speed;
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
        if (arg == "--polar") {
            o.debrief.polar = true;
            continue;
        }
        if (arg == "--quiet") {
            o.quiet = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            o.help = true;
            continue;
        }
        if (i + 1 >= argc) return false;
        const char* value = argv[++i];
        double x = 0.0;
        if (arg == "--scenario") {
            o.scenario.name = value;
        } else if (arg == "--host") {
            o.host = value;
        } else if (arg == "--record") {
            o.record = value;
        } else if (arg == "--play") {
            o.play = value;
        } else if (arg == "--write") {
            o.write = value;
        } else if (arg == "--debrief") {
            o.debrief.recording = value;
        } else if (arg == "--page") {
            o.page = value;
        } else if (arg == "--glider") {
            o.debrief.glider = value;
        } else if (arg == "--out") {
            o.debrief.out_folder = value;
        } else if (arg == "--lang") {
            o.debrief.language = value;
            if (value != std::string("EN") && value != std::string("FR") &&
                value != std::string("DE"))
                return false;
        } else if (arg == "--wind") {
            if (!wind(value, o.scenario)) return false;
        } else if (!number(value, x)) {
            return false;
        } else if (arg == "--port" && x >= 1 && x <= 65535) {
            o.port = static_cast<int>(x);
        } else if (arg == "--rate" && x > 0 && x <= 1000) {
            o.rate_hz = x;
        } else if (arg == "--vne" && x > 0) {
            o.scenario.vne_kmh = x;
            o.vne_given = true;
        } else if (arg == "--dv1" && x >= 0) {
            o.scenario.dv1_kmh = x;
        } else if (arg == "--dv2" && x > 0) {
            o.scenario.dv2_kmh = x;
        } else if (arg == "--hold" && x > 0) {
            o.scenario.hold_s = x;
        } else if (arg == "--glide" && x >= 0) {
            o.scenario.glide_s = x;
        } else if (arg == "--circles" && x >= 1 && x <= 50) {
            o.scenario.circles = static_cast<int>(x);
        } else if (arg == "--seconds" && x > 0) {
            o.seconds = x;
        } else if (arg == "--idle" && x > 0) {
            o.idle = x;
        } else if (arg == "--speed" && x > 0 && x <= 1000) {
            o.speed = x;
            o.speed_given = true;
        } else {
            return false;
        }
    }
    if (o.vne_given) o.debrief.vne_kmh = o.scenario.vne_kmh;
    if (o.speed_given) o.debrief.pace = o.speed;
    const int modes =
        !o.record.empty() + !o.play.empty() + !o.debrief.recording.empty() + !o.page.empty();
    return modes <= 1;
}

void print_timeline(const std::vector<Phase>& phases) {
    for (const Phase& p : phases) {
        std::string notes;
        if (p.bank_deg != 0.0) notes += ", bank " + std::to_string(std::lround(p.bank_deg)) + "°";
        if (p.sink_ms < 0.0) {
            char climb[32];
            std::snprintf(climb, sizeof climb, ", climbing %.1f m/s", -p.sink_ms);
            notes += climb;
        }
        if (p.alarm_level >= 0) notes += ", alarm level " + std::to_string(p.alarm_level);
        if (!p.advice.empty()) notes += ", flaps " + p.advice;
        std::printf("  %6.1f s  %-22s TAS %5.1f km/h%s\n", p.start_s, p.name.c_str(), p.tas_kmh,
                    notes.c_str());
    }
    std::fflush(stdout);
}

class Sender {
  public:
    explicit Sender(const Options& o) : print_(o.print) {
        const auto address = kalveo::parse_ipv4(o.host);
        if (!address) {
            problem_ = o.host + " is no IPv4 address";
            return;
        }
        target_ = kalveo::Ipv4Endpoint{*address, static_cast<std::uint16_t>(o.port)};
        if (print_) return;
        kalveo::socket_library_start();
        socket_ = kalveo::udp_socket_open();
        if (socket_ == kalveo::kNoSocket)
            problem_ = "no socket (error " + std::to_string(kalveo::socket_last_error()) + ")";
    }
    ~Sender() {
        if (socket_ != kalveo::kNoSocket) {
            kalveo::socket_close(socket_);
            kalveo::socket_library_stop();
        }
    }
    Sender(const Sender&) = delete;
    Sender& operator=(const Sender&) = delete;

    [[nodiscard]] const std::string& problem() const { return problem_; }
    [[nodiscard]] int sent() const { return sent_; }

    void send(const std::string& text) {
        if (print_) {
            std::fwrite(text.data(), 1, text.size(), stdout);
            std::fputs("\r\n", stdout);
        } else if (kalveo::socket_send_to(socket_, text, target_) > 0) {
            ++sent_;
        }
    }

  private:
    bool print_;
    kalveo::SocketHandle socket_ = kalveo::kNoSocket;
    kalveo::Ipv4Endpoint target_;
    std::string problem_;
    int sent_ = 0;
};

int fail(const std::string& what) {
    std::fprintf(stderr, "kalveo-replay: %s\n", what.c_str());
    return 1;
}

void report_sent(const Options& o, const Sender& sender) {
    if (!o.print && !o.quiet)
        std::printf("kalveo-replay: %d datagrams sent to %s:%d\n", sender.sent(), o.host.c_str(),
                    o.port);
}

int write_flight(const Options& o, const std::vector<Phase>& phases) {
    std::ofstream out(o.write, std::ios::binary | std::ios::trunc);
    if (!out) return fail("cannot write " + o.write);
    kalveo::replay::write_recording_header(out);
    kalveo::replay::Flight flight(phases, o.scenario);
    const double length = kalveo::replay::flight_length(phases);
    for (int n = 0; n / o.rate_hz <= length; ++n) {
        const double t = n / o.rate_hz;
        kalveo::replay::write_recorded_datagram(out,
                                                {t, kalveo::replay::datagram_text(flight.at(t))});
    }
    return out ? 0 : fail("writing " + o.write + " failed");
}

int send_flight(const Options& o) {
    const std::vector<Phase> phases = kalveo::replay::scenario_phases(o.scenario);
    if (phases.empty()) {
        std::fprintf(stderr, "kalveo-replay: unknown scenario %s\n", o.scenario.name.c_str());
        return 2;
    }
    if (!o.write.empty()) return write_flight(o, phases);
    if (!o.quiet && !o.print) print_timeline(phases);
    Sender sender(o);
    if (!sender.problem().empty()) return fail(sender.problem());
    kalveo::replay::Flight flight(phases, o.scenario);
    const double length = kalveo::replay::flight_length(phases);
    const auto period = std::chrono::duration<double>(1.0 / o.rate_hz);
    const auto start = Clock::now();
    for (int n = 0;; ++n) {
        const double t = n / o.rate_hz;
        if (t > length) break;
        if (!o.print)
            std::this_thread::sleep_until(start +
                                          std::chrono::duration_cast<Clock::duration>(n * period));
        sender.send(kalveo::replay::datagram_text(flight.at(t)));
    }
    report_sent(o, sender);
    return 0;
}

int play(const Options& o) {
    const kalveo::replay::Recording r = kalveo::replay::read_recording(o.play);
    if (!r.problem.empty()) {
        if (r.datagrams.empty()) return fail(o.play + ": " + r.problem);
        std::fprintf(stderr, "kalveo-replay: %s: %s; playing the %zu datagrams before it\n",
                     o.play.c_str(), r.problem.c_str(), r.datagrams.size());
    }
    Sender sender(o);
    if (!sender.problem().empty()) return fail(sender.problem());
    if (!o.quiet && !o.print && !r.datagrams.empty())
        std::printf("kalveo-replay: playing %zu datagrams, %.1f s at %g times their pace\n",
                    r.datagrams.size(), r.datagrams.back().at_s / o.speed, o.speed);
    const auto start = Clock::now();
    for (const auto& d : r.datagrams) {
        if (!o.print)
            std::this_thread::sleep_until(start +
                                          std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(d.at_s / o.speed)));
        sender.send(d.bytes);
    }
    report_sent(o, sender);
    return r.problem.empty() ? 0 : 1;
}

int debrief(const Options& o) {
    const kalveo::replay::DebriefResult r = kalveo::replay::write_debrief(o.debrief);
    if (!r.problem.empty()) return fail(r.problem);
    if (!o.quiet)
        std::printf("kalveo-replay: %d datagrams kept in %s\n", r.datagrams,
                    r.flight_file.string().c_str());
    std::printf("%s\n", r.page.string().c_str());
    return 0;
}

int page(const Options& o) {
    const kalveo::debrief::PageOfFlight r =
        kalveo::debrief::write_page_of(o.page, kalveo::get_inst_path());
    if (r.page.empty()) return fail(r.problem);
    if (!r.problem.empty())
        std::fprintf(stderr, "kalveo-replay: %s: %s; the page shows the %d samples before it\n",
                     o.page.c_str(), r.problem.c_str(), r.samples);
    std::printf("%s\n", r.page.string().c_str());
    return 0;
}

std::atomic<bool> stop_recording{false};

extern "C" void on_stop_signal(int) {
    stop_recording = true;
}

int record(const Options& o) {
    std::ofstream out(o.record, std::ios::binary | std::ios::trunc);
    if (!out) return fail("cannot write " + o.record);
    kalveo::replay::write_recording_header(out);
    kalveo::socket_library_start();
    const kalveo::SocketHandle socket = kalveo::udp_socket_open();
    if (socket == kalveo::kNoSocket) return fail("no socket");
    if (kalveo::socket_bind(socket, {kalveo::kIpv4Any, static_cast<std::uint16_t>(o.port)}) != 0) {
        kalveo::socket_close(socket);
        return fail("cannot listen on port " + std::to_string(o.port) + " (error " +
                    std::to_string(kalveo::socket_last_error()) +
                    "); is Kalveo or another recorder on it?");
    }
    std::signal(SIGINT, on_stop_signal);
    std::signal(SIGTERM, on_stop_signal);
    if (!o.quiet) {
        std::printf("kalveo-replay: recording what arrives on UDP port %d into %s; Ctrl+C ends\n",
                    o.port, o.record.c_str());
        std::fflush(stdout);
    }
    const auto start = Clock::now();
    Clock::time_point first{};
    Clock::time_point last{};
    int count = 0;
    std::string buffer(kalveo::replay::kLongestRecordedDatagram, '\0');
    while (!stop_recording) {
        const auto now = Clock::now();
        if (o.seconds > 0 && now - start >= std::chrono::duration<double>(o.seconds)) break;
        if (o.idle > 0 && count > 0 && now - last >= std::chrono::duration<double>(o.idle)) break;
        if (kalveo::socket_wait_readable(socket, 100000) != 1) continue;
        const int n = kalveo::socket_receive(socket, buffer, nullptr);
        if (n < 0) continue;
        last = Clock::now();
        if (count++ == 0) first = last;
        kalveo::replay::write_recorded_datagram(
            out, {std::chrono::duration<double>(last - first).count(),
                  buffer.substr(0, static_cast<std::size_t>(n))});
    }
    kalveo::socket_close(socket);
    kalveo::socket_library_stop();
    if (!o.quiet)
        std::printf("kalveo-replay: %d datagrams recorded, %.1f s\n", count,
                    std::chrono::duration<double>(last - first).count());
    return out ? 0 : fail("writing " + o.record + " failed");
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
    }
    if (o.help) {
        usage();
        return 0;
    }
    if (!o.record.empty()) return record(o);
    if (!o.play.empty()) return play(o);
    if (!o.debrief.recording.empty()) return debrief(o);
    if (!o.page.empty()) return page(o);
    return send_flight(o);
}
