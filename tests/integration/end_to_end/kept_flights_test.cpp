// Flights kept by the real program: a flight flown to it (a key pressed on the way, a dive into
// the alarm) is in its flight file with the key, the key's own sound and the alarm told apart,
// and the run's end writes the page the log names; a run killed mid-flight leaves a file that
// reads back to within a minute of the kill, and the next start writes its page, which the
// window key f opens.
#include "debrief/flight_file.h"
#include "debrief/summary.h"
#include "flight_sender.h"
#include "key_recorder.h"
#include "program_folder.h"
#include "x_windows.h"
#include "xvfb_server.h"

#include <csignal>
#include <cstdlib>
#include <gtest/gtest.h>
#include <regex>
#include <thread>

namespace kalveo::testing {
namespace {

namespace fs = std::filesystem;
using debrief::EventKind;

// The path a log line "<label><path>" names (the log quotes a line with a "/"); empty when
// there is none.
fs::path named_in_log(const fs::path& log, const std::string& label) {
    const std::string text = read_file(log);
    const std::size_t at = text.find(label);
    if (at == std::string::npos) return {};
    const std::size_t from = at + label.size();
    std::string path = text.substr(from, text.find_first_of("\r\n", from) - from);
    if (!path.empty() && path.back() == '"') path.pop_back();
    return fs::path(path);
}

// The duration the page's summary shows (s); -1 when it shows none.
double page_duration(const fs::path& page) {
    std::smatch m;
    const std::string html = read_file(page);
    static const std::regex duration(R"re(id="duration" data-value="([0-9.]+)")re");
    return std::regex_search(html, m, duration) ? std::stod(m[1]) : -1.0;
}

class KeptFlights : public ::testing::Test {
  protected:
    void SetUp() override {
        if (shared_xvfb() == nullptr) GTEST_SKIP() << "Xvfb is not available";
        display_ = shared_xvfb()->display();
    }

    void start(ProgramFolder& folder) {
        ASSERT_TRUE(folder.ready()) << folder.problem();
        // Version 2 is missing, the glider is not in the data file, its VNE is asked for.
        folder.answers("ok\nok\n280\nok\n");
        run_ = folder.start({}, display_);
        ASSERT_TRUE(run_->started());
        ASSERT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0))
            << read_file(folder.early_output());
    }

    void close(ProgramFolder& folder) {
        const auto text = find_window(display_, "Kalveo - Display", 5.0);
        ASSERT_TRUE(text.has_value());
        ASSERT_TRUE(request_close(display_, text->id));
        const auto status = run_->wait(10.0);
        ASSERT_TRUE(status.has_value()) << "still running";
        EXPECT_EQ(*status, 0) << read_file(folder.run_log());
    }

    std::string display_;
    std::unique_ptr<ProgramRun> run_;
    TempDir work_;
};

TEST_F(KeptFlights, AFlownFlightIsKeptWithItsKeysAndAlarmsAndTheRunsEndWritesItsPage) {
    ProgramFolder folder;
    ASSERT_NO_FATAL_FAILURE(start(folder));
    KeyRecorder simulator(display_);
    ASSERT_TRUE(simulator.focused());
    FlightSender sim(folder.port());
    sim.fly(120.0, 2.0);
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Flight file: ", 5.0))
        << read_file(folder.run_log());
    ASSERT_TRUE(type_keys(display_, {"8"}, 50)); // volume up: its own sound, the level-2 one
    ASSERT_TRUE(wait_for_text(folder.run_log(), "VNE_2", 5.0)) << read_file(folder.run_log());
    sim.fly(120.0, 1.0);
    sim.fly(288.0, 2.0); // into the alarm's last level (VNE 280)
    sim.fly(120.0, 1.0);
    const fs::path file = named_in_log(folder.run_log(), "Flight file: ");
    EXPECT_EQ(file.parent_path(), folder.program_dir() / "Flights");
    EXPECT_TRUE(named_in_log(folder.run_log(), "Flight page: ").empty()) << "before the end";
    ASSERT_NO_FATAL_FAILURE(close(folder));

    // The page, named in the log at the end, beside the flight file.
    const fs::path page = named_in_log(folder.run_log(), "Flight page: ");
    EXPECT_EQ(page, fs::path(file).replace_extension(".html"));
    EXPECT_TRUE(fs::exists(page));
    const debrief::KeptFlight flight = debrief::read_flight(file);
    EXPECT_TRUE(flight.problem.empty()) << flight.problem;
    EXPECT_EQ(flight.header.glider, "LS8neo"); // the flight plan's, not the VNE answered
    EXPECT_NE(file.filename().string().find("_LS8neo.kflight"), std::string::npos) << file;
    ASSERT_FALSE(flight.samples.empty());
    EXPECT_NEAR(flight.samples.back().t, 6.0, 0.6); // 6 s flown, kept five times a second
    EXPECT_GE(flight.samples.size(), 27U);
    EXPECT_NEAR(page_duration(page), debrief::summarise(flight).duration, 0.1);

    std::vector<std::string> keys, sounds;
    for (const debrief::KeptEvent& e : flight.events) {
        if (e.kind == EventKind::key) keys.push_back(e.text);
        if (e.kind == EventKind::feedback) sounds.push_back(std::to_string(e.level) + " " + e.text);
    }
    EXPECT_EQ(keys, std::vector<std::string>{"volume up: volume 0.55"});
    EXPECT_EQ(sounds, std::vector<std::string>{"2 volume up"});
    // The key's level-2 sound is no alarm: the dive's is the only one.
    const debrief::FlightSummary summary = debrief::summarise(flight);
    EXPECT_EQ(summary.alarms, 1);
    EXPECT_GT(summary.in_level[3], 0.5);
    EXPECT_NEAR(summary.top_tas * 3.6, 288.0, 3.0);
    EXPECT_NE(read_file(page).find("volume up: volume 0.55"), std::string::npos);
}

TEST_F(KeptFlights, KilledMidFlightTheFileReadsBackToWithinAMinuteAndTheNextStartWritesItsPage) {
    // A long glide sent at thirty times its pace: four seconds are two minutes of flight.
    constexpr double kPace = 30.0;
    const fs::path bin = env_folder("KALVEO_BIN_DIR");
    const fs::path recording = work_ / "glide.rec";
    ProgramRun writer(bin / "kalveo-replay",
                      {"--scenario", "glide", "--glide", "600", "--write", recording.string()}, {},
                      work_ / "writer.txt");
    ASSERT_EQ(writer.wait(20.0), std::optional<int>(0)) << read_file(work_ / "writer.txt");

    ProgramFolder folder;
    ASSERT_NO_FATAL_FAILURE(start(folder));
    ProgramRun player(bin / "kalveo-replay",
                      {"--play", recording.string(), "--port", std::to_string(folder.port()),
                       "--speed", std::to_string(kPace)},
                      {}, work_ / "player.txt");
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Flight file: ", 10.0));
    const auto kept_from = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(4));
    ASSERT_EQ(::kill(run_->pid(), SIGKILL), 0);
    const double reached =
        kPace * std::chrono::duration<double>(std::chrono::steady_clock::now() - kept_from).count();
    ASSERT_TRUE(run_->wait(5.0).has_value());
    const fs::path file = named_in_log(folder.run_log(), "Flight file: ");
    EXPECT_FALSE(fs::exists(fs::path(file).replace_extension(".html")));
    const debrief::KeptFlight flight = debrief::read_flight(file);
    ASSERT_FALSE(flight.samples.empty()) << flight.problem;
    const double kept = flight.samples.back().t;
    EXPECT_GE(kept, reached - 60.0) << "killed " << reached << " s into the flight";
    EXPECT_LE(kept, reached + 5.0);

    // The next start (keeping no flight now) writes the page of the one left without it; the
    // window key f opens it in the desktop's browser (here one that notes what it was given).
    folder.set_setting("Debrief", "0");
    fs::create_directories(work_ / "bin");
    write_file(work_ / "bin" / "xdg-open",
               "#!/bin/sh\nprintf '%s\\n' \"$@\" > '" + (work_ / "opened.txt").string() + "'\n");
    fs::permissions(work_ / "bin" / "xdg-open", fs::perms::owner_all);
    std::map<std::string, std::string> env = folder.environment(display_);
    const char* path = std::getenv("PATH");
    env["PATH"] = (work_ / "bin").string() + ":" + (path ? path : "/usr/bin:/bin");
    run_ = std::make_unique<ProgramRun>(folder.program_dir() / "kalveo", std::vector<std::string>{},
                                        env, folder.early_output());
    // (The killed run's log has no page line: pages come at the start, before the link.)
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Flight page: ", 20.0))
        << read_file(folder.early_output());
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Waiting for datagrams", 20.0));
    const fs::path page = named_in_log(folder.run_log(), "Flight page: ");
    EXPECT_EQ(page, fs::path(file).replace_extension(".html"));
    EXPECT_NEAR(page_duration(page), debrief::summarise(flight).duration, 0.1);
    FlightSender sim(folder.port());
    sim.fly(120.0, 1.0);
    const auto text = find_window(display_, "Kalveo - Display", 5.0);
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(type_key(display_, text->id, "f"));
    ASSERT_TRUE(wait_for_text(work_ / "opened.txt", page.string(), 5.0));
    EXPECT_EQ(read_file(work_ / "opened.txt"), page.string() + "\n");
    ASSERT_NO_FATAL_FAILURE(close(folder));
    EXPECT_EQ(read_file(folder.run_log()).find("Flight file: "), std::string::npos);
}

} // namespace
} // namespace kalveo::testing
