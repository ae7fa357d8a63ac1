// What arrives on the network cannot knock the program off course: a burst of impossible
// values in every key leaves the rest of the flight as it would have been, heard, logged and
// seen in both windows; and junk datagrams and a forward target nobody listens on add only a
// few lines to the log.
#include "flight_sender.h"
#include "key_recorder.h"
#include "platform/process.h"
#include "platform/socket.h"
#include "program_folder.h"
#include "replay/audio_report.h"
#include "replay/datagram.h"
#include "run_log.h"
#include "scenario_flight.h"
#include "x_windows.h"
#include "xvfb_server.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <sstream>

namespace kalveo::testing {
namespace {

constexpr int kAudioRate = 44100;

// Every value of a datagram replaced by `value`.
std::string poisoned(const std::string& datagram, const std::string& value) {
    std::istringstream in(datagram);
    std::string out;
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t eq = line.find('=');
        if (eq != std::string::npos) out += line.substr(0, eq + 1) + value + "\r\n";
    }
    return out;
}

// The alarm levels heard around the top level's long sound (the dive), a run of one level
// counted once. The flap calls sweep through the alarms' pitches; the dive has none.
std::vector<int> dive_heard(const std::filesystem::path& audio) {
    std::vector<replay::HeardSound> alarms;
    if (const auto samples = replay::read_raw_audio(audio))
        for (const auto& s : replay::hear(*samples, kAudioRate))
            if (s.level >= 0 && s.end_s - s.start_s >= 0.3) alarms.push_back(s);
    const auto top = std::find_if(alarms.begin(), alarms.end(), [](const auto& s) {
        return s.level == 3 && s.end_s - s.start_s > 1.5;
    });
    std::vector<int> levels;
    for (const auto& s : alarms)
        if (top != alarms.end() && std::abs(s.start_s - top->start_s + 0.25) <= 7.25)
            levels.push_back(s.level);
    return level_runs(levels);
}

// The sounds played that are not alarms, in order.
std::vector<std::string> flap_calls(const std::vector<Played>& sounds) {
    std::vector<std::string> calls;
    for (const Played& p : sounds)
        if (p.sound.rfind("VNE_", 0) != 0) calls.push_back(p.sound);
    return calls;
}

// The window's pixels (8-bit RGB), read back from the X server; empty when a tool failed.
std::string window_pixels(const std::string& display, unsigned long window,
                          const std::filesystem::path& png) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", window);
    const std::filesystem::path raw = png.string() + ".rgb";
    if (run_program({"import", "-display", display, "-window", id, png.string()}) != 0) return "";
    if (run_program({"convert", png.string(), "-depth", "8", "rgb:" + raw.string()}) != 0)
        return "";
    return read_file(raw);
}

// Pixels that differ between two shots of the same size; -1 when the sizes differ.
long differing_pixels(const std::string& a, const std::string& b) {
    if (a.size() != b.size() || a.empty()) return -1;
    long n = 0;
    for (std::size_t i = 0; i + 2 < a.size(); i += 3)
        if (a.compare(i, 3, b, i, 3) != 0) ++n;
    return n;
}

int count_lines(const std::string& text) {
    return static_cast<int>(std::count(text.begin(), text.end(), '\n'));
}

class OutsideInput : public ::testing::Test {
  protected:
    void SetUp() override {
        if (shared_xvfb() == nullptr) GTEST_SKIP() << "Xvfb is not available";
        display_ = shared_xvfb()->display();
    }

    std::unique_ptr<ProgramRun> start(ProgramFolder& folder, const std::vector<std::string>& args) {
        EXPECT_TRUE(folder.ready()) << folder.problem();
        auto run = folder.start(args, display_);
        EXPECT_TRUE(run->started());
        EXPECT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0))
            << read_file(folder.early_output());
        return run;
    }

    std::string display_;
    TempDir work_;
};

// The same flight flown twice at once into two programs, side by side on the screen, one of
// them with a burst of 1e308, -1e308 and 1e-320 in every key while the averages run: the
// alarm, the flap calls, the netto and climb averages and both windows end the same.
TEST_F(OutsideInput, ABurstOfImpossibleValuesLeavesTheFlightAsItWouldHaveBeen) {
    SampleInstallOptions sample;
    sample.log_state = SampleLogState::in_flight;
    sample.glider = replay::kFlappedGlider;
    ProgramFolder clean(sample);
    ProgramFolder burst(sample);
    int row = 0;
    for (ProgramFolder* folder : {&clean, &burst}) {
        folder->answers("ok\nok\nok\n");
        folder->set_setting("Hor. position", "0");
        folder->set_setting("Ver. position", std::to_string(100 + 400 * row));
        folder->set_setting("AH hor. position", "900");
        folder->set_setting("AH ver. position", std::to_string(100 + 400 * row));
        for (const char* shown : {"Display Netto Vario", "Display Netto Integrator",
                                  "Display Long-term Integrator", "Display G meter"})
            folder->set_setting(shown, "1");
        ++row;
    }
    const auto clean_run = start(clean, {"-f", "-d"});
    const auto burst_run = start(burst, {"-f", "-d"});
    KeyRecorder simulator(display_);
    ASSERT_TRUE(simulator.focused());

    replay::ScenarioOptions tour;
    tour.name = "tour";
    tour.vne_kmh = 270.0; // the sample's Diana2
    tour.circles = 1;
    tour.glide_s = 6.0;
    tour.hold_s = 2.0;
    // Two datagrams of each, 3 s into the first glide.
    const auto poison = [](int n, const std::string& datagram) {
        static const char* const values[] = {"1e308",  "1e308",  "-1e308",
                                             "-1e308", "1e-320", "1e-320"};
        return n >= 30 && n < 36 ? poisoned(datagram, values[n - 30]) : datagram;
    };
    ScenarioFlight clean_flight(clean.port(), tour);
    ScenarioFlight burst_flight(burst.port(), tour, poison);

    clean_flight.wait_until(1.5);
    ASSERT_TRUE(type_keys(display_, {"6"}, 60)); // netto average, in both programs
    const double circling = clean_flight.phase_start("circling");
    clean_flight.wait_until(circling - 2.0);
    ASSERT_TRUE(type_keys(display_, {"9"}, 60)); // climb average
    const double glide_on = clean_flight.phase_start("glide on");
    clean_flight.wait_until(glide_on + 1.0);
    ASSERT_TRUE(type_keys(display_, {"9"}, 60)); // the climb average stops
    clean_flight.finish();
    burst_flight.finish();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));

    // The program that took the burst decoded it: a clock at midnight for two datagrams.
    const std::regex midnight(R"(temps, tcalc \S+ 0\.000000\s)");
    EXPECT_TRUE(std::regex_search(read_file(burst.run_log()), midnight));
    EXPECT_FALSE(std::regex_search(read_file(clean.run_log()), midnight));

    // The same flap calls and every alarm level of the dive, in the log and in the audio.
    const std::vector<std::string> calls = flap_calls(played(clean.run_log()));
    EXPECT_EQ(flap_calls(played(burst.run_log())), calls);
    EXPECT_GE(std::count(calls.begin(), calls.end(), "Flaps_Up"), 3);
    const std::vector<int> dive = {0, 1, 2, 3, 2, 1, 0};
    EXPECT_EQ(level_runs(alarm_levels(played(clean.run_log()))), dive);
    EXPECT_EQ(level_runs(alarm_levels(played(burst.run_log()))), dive);
    EXPECT_EQ(dive_heard(clean.audio()), dive);
    EXPECT_EQ(dive_heard(burst.audio()), dive);

    const Averages a = last_averages(clean.run_log());
    const Averages b = last_averages(burst.run_log());
    ASSERT_TRUE(a.found && b.found);
    EXPECT_EQ(b.run_nv, a.run_nv);
    EXPECT_EQ(b.run_iv, a.run_iv);
    EXPECT_NEAR(b.netto_s, a.netto_s, 1.0);
    EXPECT_NEAR(b.netto, a.netto, 0.05);
    EXPECT_NEAR(b.climb, a.climb, 0.05);
    EXPECT_GT(a.climb, 0.5);
    EXPECT_LT(a.netto, 0.0);

    // Both windows of both programs, read back from the screen, show the same.
    for (const char* title : {"Kalveo - Display", "Kalveo - Horizon"}) {
        SCOPED_TRACE(title);
        std::vector<XWindow> windows = find_windows(display_, title);
        ASSERT_EQ(windows.size(), 2U);
        const std::string a_shot = window_pixels(display_, windows[0].id, work_ / "clean.png");
        const std::string b_shot = window_pixels(display_, windows[1].id, work_ / "burst.png");
        ASSERT_FALSE(a_shot.empty());
        EXPECT_EQ(differing_pixels(a_shot, b_shot), 0);
    }
}

// 30 s of telemetry forwarded to a port where nothing listens (each second send is refused),
// then 30 s of empty datagrams, of oversized noise and of oversized telemetry, 100 a second.
// KALVEO_JUNK_SECONDS shortens both halves for a quick look.
TEST_F(OutsideInput, JunkAndAForwardNobodyTakesAddOnlyAFewLinesToTheLog) {
    const char* chosen = std::getenv("KALVEO_JUNK_SECONDS");
    const double seconds = chosen ? std::atof(chosen) : 30.0;
    SampleInstallOptions sample;
    sample.log_state = SampleLogState::in_flight;
    ProgramFolder folder(sample);
    folder.set_setting("Forward Port", std::to_string(free_udp_port()));
    folder.answers("ok\nok\n280\n");
    const auto run = start(folder, {});
    FlightSender simulator(folder.port());
    simulator.fly(120.0, 2.0);
    ASSERT_TRUE(wait_for_text(folder.run_log(), "UpdVNE", 5.0));
    const std::size_t before = read_file(folder.run_log()).size();

    simulator.fly(120.0, seconds);
    socket_library_start();
    const SocketHandle junk = udp_socket_open();
    const Ipv4Endpoint target{kIpv4Loopback, static_cast<std::uint16_t>(folder.port())};
    replay::FlightSample glide;
    glide.airspeed = 33.0;
    const std::string oversized[] = {"", std::string(3000, '#'),
                                     replay::datagram_text(glide) + std::string(2000, 'x')};
    const auto start_junk = std::chrono::steady_clock::now();
    for (int n = 0; n < static_cast<int>(seconds * 100); ++n) {
        std::this_thread::sleep_until(start_junk + std::chrono::milliseconds(10 * n));
        socket_send_to(junk, oversized[n % 3], target);
    }
    socket_close(junk);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(run->running());

    const std::string log = read_file(folder.run_log());
    const std::string added = log.substr(before);
    std::printf("%d lines added to the log in %.0f s:\n%s", count_lines(added), 2 * seconds,
                added.c_str());
    EXPECT_LT(count_lines(added), 20);
    EXPECT_NE(log.find("Server: UDP forward failed"), std::string::npos) << log;
}

} // namespace
} // namespace kalveo::testing
