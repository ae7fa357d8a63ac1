// The program end to end under the test's own X server: start-up, windows where the settings
// put them, telemetry, the VNE alarm in the captured audio, and the orderly ends (simulator
// left its flight, Escape, a close request) and the restart after a settings edit.
#include "flight_sender.h"
#include "program_folder.h"
#include "replay/audio_report.h"
#include "x_windows.h"
#include "xvfb_server.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <thread>

namespace kalveo::testing {
namespace {

constexpr int kScreenWidth = 1280;
constexpr int kScreenHeight = 1024;
constexpr int kAudioRate = 44100;
constexpr const char* kTextTitle = "Kalveo - Display";
constexpr const char* kHorizonTitle = "Kalveo - Horizon";

XvfbServer* screen() {
    static const std::unique_ptr<XvfbServer> server = [] {
        auto started = std::make_unique<XvfbServer>(kScreenWidth, kScreenHeight);
        if (!started->running()) started.reset();
        return started;
    }();
    return server.get();
}

int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

double captured_seconds(const std::filesystem::path& audio) {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(audio, ec);
    return ec ? 0.0 : static_cast<double>(bytes) / 2.0 / kAudioRate;
}

std::vector<replay::HeardSound> heard_alarms(const std::filesystem::path& audio) {
    std::vector<replay::HeardSound> alarms;
    if (const auto samples = replay::read_raw_audio(audio)) {
        for (const auto& sound : replay::hear(*samples, kAudioRate))
            if (sound.level >= 0) alarms.push_back(sound);
    }
    return alarms;
}

class EndToEndTest : public ::testing::Test {
  protected:
    void SetUp() override {
        if (screen() == nullptr) GTEST_SKIP() << "Xvfb is not available";
        display_ = screen()->display();
    }

    // Starts the program and waits for its first timer tick.
    void start(ProgramFolder& folder, const std::vector<std::string>& args = {}) {
        ASSERT_TRUE(folder.ready()) << folder.problem();
        run_ = folder.start(args, display_);
        ASSERT_TRUE(run_->started());
        ASSERT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0))
            << read_file(folder.early_output()) << read_file(folder.stdout_log());
    }

    // The run must end by itself, in order, with status 0.
    void expect_orderly_end(ProgramFolder& folder, double seconds) {
        const auto status = run_->wait(seconds);
        ASSERT_TRUE(status.has_value()) << "still running";
        const std::string log = read_file(folder.run_log());
        EXPECT_EQ(*status, 0) << read_file(folder.early_output())
                              << read_file(folder.program_dir() / "StdErr.log") << log;
        EXPECT_NE(log.find("Cleanup complete"), std::string::npos) << log;
    }

    std::string display_;
    std::unique_ptr<ProgramRun> run_;
};

TEST_F(EndToEndTest, AFlightFromStartUpToTheSimulatorLeavingIt) {
    SampleInstallOptions sample;
    sample.log_state = SampleLogState::in_flight;
    ProgramFolder folder(sample);
    // Version 2 is missing (a notice), the sample's glider is not in the data file (a
    // warning), then its VNE is asked for; the question when the simulator stops takes OK.
    folder.answers("ok\nok\n280\n");
    start(folder, {"-ha"});

    const std::string startup = read_file(folder.run_log());
    for (const char* line : {"Program    - version : 3.2.1.0", "Kalveo.ini - version : 3.2.1.0",
                             "Screen W H 1280 1024", "Wid Hei 336 30", "Waiting for datagrams"})
        EXPECT_NE(startup.find(line), std::string::npos) << line;

    // Text window right and top, horizon centred at the top (the shipped settings).
    const auto text = find_window(display_, kTextTitle, 5.0);
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(text->x, kScreenWidth - 336);
    EXPECT_EQ(text->y, 0);
    EXPECT_EQ(text->width, 336);
    EXPECT_EQ(text->height, 30);
    const auto horizon = find_window(display_, kHorizonTitle, 5.0);
    ASSERT_TRUE(horizon.has_value());
    EXPECT_EQ(horizon->x, kScreenWidth / 2 - 75);
    EXPECT_EQ(horizon->y, 0);
    EXPECT_EQ(horizon->width, 150);

    FlightSender sim(folder.port());
    sim.fly(120.0, 2.0);
    ASSERT_TRUE(wait_for_text(folder.run_log(), "UpdVNE", 5.0)) << read_file(folder.stdout_log());
    EXPECT_TRUE(wait_for_text(folder.stdout_log(), "answer=\"280\"", 1.0));
    EXPECT_TRUE(heard_alarms(folder.audio()).empty()) << "an alarm in a slow glide";

    // VNE 280 km/h: the alarm starts at 270 and its last level at 285.
    const double dive_start = captured_seconds(folder.audio());
    sim.fly(288.0, 1.5);
    std::vector<replay::HeardSound> alarms;
    for (int i = 0; i < 20 && alarms.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        alarms = heard_alarms(folder.audio());
    }
    ASSERT_FALSE(alarms.empty()) << "no alarm in the captured audio";
    EXPECT_EQ(alarms.front().level, 3);
    EXPECT_GE(alarms.front().start_s, dive_start);
    EXPECT_LE(alarms.front().start_s, dive_start + 1.0);
    EXPECT_NE(read_file(folder.run_log()).find("Sounds\\VNE_3.wav"), std::string::npos);

    // No data for more than 10 s, but the simulator is still in its flight: nothing happens.
    std::this_thread::sleep_for(std::chrono::seconds(11));
    EXPECT_TRUE(run_->running());
    EXPECT_EQ(read_file(folder.stdout_log()).find("Condor has stopped"), std::string::npos);

    folder.simulator_log(SampleLogState::left);
    expect_orderly_end(folder, 5.0);
    EXPECT_NE(read_file(folder.stdout_log()).find("text=\"Condor has stopped"), std::string::npos);
}

TEST_F(EndToEndTest, EscapeAsksAndOkEndsTheProgram) {
    ProgramFolder folder;
    folder.answers("ok\ncancel\n"); // the version 2 notice; the first Escape is cancelled
    start(folder);
    const auto text = find_window(display_, kTextTitle, 5.0);
    ASSERT_TRUE(text.has_value());

    ASSERT_TRUE(type_key(display_, text->id, "Escape"));
    ASSERT_TRUE(wait_for_text(folder.stdout_log(), "answer=cancel", 5.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(run_->running());

    ASSERT_TRUE(type_key(display_, text->id, "Escape"));
    expect_orderly_end(folder, 5.0);
    EXPECT_EQ(count_of(read_file(folder.stdout_log()), "messageBox okcancel question"), 2);
}

TEST_F(EndToEndTest, ACloseRequestEndsTheProgram) {
    ProgramFolder folder;
    folder.answers("ok\n");
    start(folder, {"-ha"});
    const auto horizon = find_window(display_, kHorizonTitle, 5.0);
    ASSERT_TRUE(horizon.has_value());
    ASSERT_TRUE(request_close(display_, horizon->id));
    expect_orderly_end(folder, 5.0);
    EXPECT_NE(read_file(folder.stdout_log()).find("messageBox okcancel question"),
              std::string::npos);
}

TEST_F(EndToEndTest, EditingTheSettingsRestartsWithTheNewOnes) {
    ProgramFolder folder;
    // A stand-in editor that moves the text window to (100, 50).
    const auto editor = folder.program_dir() / "stand-in-editor";
    write_file(editor, "#!/bin/sh\n"
                       "sed -i -e 's/^Hor. position=.*/Hor. position=100/' "
                       "-e 's/^Ver. position=.*/Ver. position=50/' \"$1\"\n");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    folder.set_setting("Text editor", editor.string());
    // Version 2 notice, yes to the restart, the notice again on the second pass.
    folder.answers("ok\nyes\nok\n");
    start(folder);
    const auto before = find_window(display_, kTextTitle, 5.0);
    ASSERT_TRUE(before.has_value());
    EXPECT_EQ(before->x, kScreenWidth - 336);

    ASSERT_TRUE(type_key(display_, before->id, "e"));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Kalveo will restart", 10.0))
        << read_file(folder.stdout_log());

    std::optional<XWindow> after;
    for (int i = 0; i < 50; ++i) {
        after = find_window(display_, kTextTitle, 5.0);
        if (after && after->x == 100) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->x, 100);
    EXPECT_EQ(after->y, 50);
    EXPECT_EQ(count_of(read_file(folder.run_log()), "Kalveo.ini - version"), 2);
    EXPECT_TRUE(run_->running());

    ASSERT_TRUE(type_key(display_, after->id, "Escape"));
    expect_orderly_end(folder, 5.0);
}

} // namespace
} // namespace kalveo::testing
