// The hotkeys of the running program, typed with xdotool while another program's window has
// the keyboard (as the simulator has it in flight): the alarm margin, switching the alarm off
// and on, the volume of the next alarm, the stopwatch and the polar-mode beep, checked in the
// log and the captured audio; the focused window (even grabbing the keyboard) still gets every
// key. Without the keyboard watch the text window takes the reduced set.
#include "flight_sender.h"
#include "key_recorder.h"
#include "program_folder.h"
#include "replay/audio_report.h"
#include "x_windows.h"
#include "xvfb_server.h"

#include <cmath>
#include <gtest/gtest.h>
#include <thread>

namespace kalveo::testing {
namespace {

constexpr int kAudioRate = 44100;

double captured_seconds(const std::filesystem::path& audio) {
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(audio, ec);
    return ec ? 0.0 : static_cast<double>(bytes) / 2.0 / kAudioRate;
}

// The sounds heard from `from` (s) on, with their RMS level.
struct Heard {
    replay::HeardSound sound;
    double rms = 0.0;
};
std::vector<Heard> heard_since(const std::filesystem::path& audio, double from) {
    std::vector<Heard> out;
    const auto samples = replay::read_raw_audio(audio);
    if (!samples) return out;
    for (const auto& sound : replay::hear(*samples, kAudioRate)) {
        if (sound.start_s < from) continue;
        const auto first = static_cast<std::size_t>((sound.start_s + 0.02) * kAudioRate);
        const auto last =
            std::min(samples->size(), static_cast<std::size_t>((sound.end_s - 0.02) * kAudioRate));
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i)
            sum += static_cast<double>((*samples)[i]) * (*samples)[i];
        out.push_back(
            {sound, last > first ? std::sqrt(sum / static_cast<double>(last - first)) : 0.0});
    }
    return out;
}

// The first level-3 alarm heard from `from` on, waiting for it a little.
std::optional<Heard> first_alarm_since(const std::filesystem::path& audio, double from) {
    for (int i = 0; i < 20; ++i) {
        for (const Heard& h : heard_since(audio, from))
            if (h.sound.level == 3 && h.sound.end_s - h.sound.start_s > 0.2) return h;
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return std::nullopt;
}

class HotkeysEndToEnd : public ::testing::Test {
  protected:
    void SetUp() override {
        if (shared_xvfb() == nullptr) GTEST_SKIP() << "Xvfb is not available";
        display_ = shared_xvfb()->display();
    }

    // Starts the program and sets up a flight (VNE 280 km/h, alarm from 270).
    void start_flight(ProgramFolder& folder, const std::vector<std::string>& args,
                      FlightSender& sim, const std::string& more_answers = "") {
        ASSERT_TRUE(folder.ready()) << folder.problem();
        // Version 2 is missing, the glider is not in the data file, its VNE is asked for.
        folder.answers("ok\nok\n280\nok\n" + more_answers);
        run_ = folder.start(args, display_);
        ASSERT_TRUE(run_->started());
        ASSERT_TRUE(wait_for_text(folder.stdout_log(), "ByteReceived", 20.0))
            << read_file(folder.early_output());
        sim.fly(120.0, 2.0);
        ASSERT_TRUE(wait_for_text(folder.run_log(), "UpdVNE", 5.0))
            << read_file(folder.stdout_log());
    }

    void end_run(ProgramFolder& folder) {
        const auto text = find_window(display_, "Kalveo - Display", 5.0);
        ASSERT_TRUE(text.has_value());
        ASSERT_TRUE(request_close(display_, text->id));
        const auto status = run_->wait(10.0);
        ASSERT_TRUE(status.has_value()) << "still running";
        EXPECT_EQ(*status, 0);
        EXPECT_NE(read_file(folder.run_log()).find("Cleanup complete"), std::string::npos);
    }

    std::string display_;
    std::unique_ptr<ProgramRun> run_;
};

TEST_F(HotkeysEndToEnd, HotkeysActWhileAnotherWindowHasTheKeyboard) {
    ProgramFolder folder;
    FlightSender sim(folder.port());
    ASSERT_NO_FATAL_FAILURE(start_flight(folder, {}, sim));
    const std::string startup = read_file(folder.run_log());
    ASSERT_NE(startup.find("Keyboard Hook started : "), std::string::npos) << startup;
    EXPECT_EQ(startup.find("Keyboard hook not available"), std::string::npos);

    KeyRecorder simulator(display_);
    ASSERT_TRUE(simulator.focused());

    // "Key increase": the margin grows by one, the alarm now starts at 269 km/h.
    ASSERT_TRUE(type_keys(display_, {"i"}, 50));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "DV1 updated : 11.00 269.00", 5.0))
        << read_file(folder.run_log());

    // A dive past the alarm speed at the starting volume (0.5).
    double mark = captured_seconds(folder.audio());
    sim.fly(288.0, 1.5);
    const auto loud = first_alarm_since(folder.audio(), mark);
    ASSERT_TRUE(loud.has_value()) << "no alarm at 288 km/h";
    sim.fly(120.0, 1.0);

    // "Key decrease" pressed twice quickly: the alarm is off, the dive stays silent.
    ASSERT_TRUE(type_keys(display_, {"u", "u"}, 60));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "VNE_Alarm : 0", 5.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    mark = captured_seconds(folder.audio());
    sim.fly(288.0, 1.5);
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    for (const Heard& h : heard_since(folder.audio(), mark))
        EXPECT_LT(h.sound.level, 0) << replay::describe(h.sound);

    // Twice "Key increase": the alarm is on again; four times "Key Sound Down": 0.5 -> 0.32.
    sim.fly(120.0, 0.5);
    ASSERT_TRUE(type_keys(display_, {"i", "i"}, 60));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "VNE_Alarm : 1", 5.0));
    ASSERT_TRUE(type_keys(display_, {"7", "7", "7", "7"}, 400));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "volume 0.32", 5.0)) << read_file(folder.run_log());
    std::this_thread::sleep_for(std::chrono::milliseconds(800)); // the feedback sound ends
    mark = captured_seconds(folder.audio());
    sim.fly(288.0, 1.5);
    const auto soft = first_alarm_since(folder.audio(), mark);
    ASSERT_TRUE(soft.has_value()) << "no alarm after the volume change";
    EXPECT_NEAR(soft->rms / loud->rms, 0.32 / 0.5, 0.05);
    sim.fly(120.0, 0.5);

    // The stopwatch.
    ASSERT_TRUE(type_keys(display_, {"0"}, 50));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "RunTim 1", 5.0));
    EXPECT_TRUE(wait_for_text(folder.stdout_log(), " run_tim -1", 2.0));

    // The focused window got every key, pressed and released.
    const std::map<std::string, int> expected = {{"i", 3}, {"u", 2}, {"7", 4}, {"0", 1}};
    EXPECT_EQ(simulator.presses(), expected);
    EXPECT_EQ(simulator.releases(), expected);
    end_run(folder);
    EXPECT_NE(read_file(folder.run_log()).find("Release Hook"), std::string::npos);
}

// What the keyboard watch writes of a key it sees: its codes, the modifiers, a hotkey match.
bool holds_key_trace(const std::string& text) {
    for (const char* trace : {"scancode vk", " DOWN ", "Key code for", "detect_key", "KBD "})
        if (text.find(trace) != std::string::npos) return true;
    return false;
}

int count_of(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++n;
    return n;
}

TEST_F(HotkeysEndToEnd, TypedTextIsWrittenNowhereAndKeyDefinitionShowsOnlyTheNextKey) {
    ProgramFolder folder;
    FlightSender sim(folder.port());
    // In debug mode, which logs every tick and draw.
    ASSERT_NO_FATAL_FAILURE(start_flight(folder, {"-d"}, sim));
    KeyRecorder simulator(display_);
    ASSERT_TRUE(simulator.focused());

    // A sentence with capitals (no hotkey in it, nor the simulator's chat key T), then a
    // hotkey that shows the watch saw the keys.
    const std::string sentence = "Hey Sarah, Please Pack Bags Early";
    ASSERT_TRUE(type_text(display_, sentence, 40));
    ASSERT_TRUE(type_keys(display_, {"i"}, 50));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "DV1 updated : 11.00 269.00", 5.0));
    // Nor is a key typed into Kalveo's own window that is none of its commands.
    const auto window = find_window(display_, "Kalveo - Display", 5.0);
    ASSERT_TRUE(window.has_value());
    ASSERT_TRUE(type_key(display_, window->id, "x"));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_EQ(simulator.presses().at("Shift_L"), 6);
    EXPECT_EQ(simulator.presses().at("a"), 6);
    for (const auto& file : {folder.stdout_log(), folder.run_log(), folder.early_output()}) {
        const std::string text = read_file(file);
        EXPECT_FALSE(holds_key_trace(text)) << file << ":\n" << text;
        EXPECT_EQ(text.find("Sarah"), std::string::npos) << file;
        EXPECT_EQ(text.find("Key "), std::string::npos) << file << ":\n" << text;
    }

    // Key-definition mode (the window key "d"): the next key is shown, and only that one.
    ASSERT_TRUE(type_key(display_, window->id, "d"));
    ASSERT_TRUE(wait_for_text(folder.stdout_log(), "Key definition mode started", 5.0))
        << read_file(folder.stdout_log());
    ASSERT_TRUE(simulator.focus());
    ASSERT_TRUE(type_keys(display_, {"q"}, 50));
    ASSERT_TRUE(type_text(display_, sentence, 40));
    ASSERT_TRUE(wait_for_text(folder.stdout_log(), "Key definition mode ended", 5.0));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const std::string shown = read_file(folder.stdout_log());
    EXPECT_NE(shown.find("Key code for Kalveo.ini : \"Q\" or SCN16"), std::string::npos) << shown;
    EXPECT_EQ(count_of(shown, "Key code for"), 1) << shown;
    EXPECT_EQ(count_of(shown, "scancode vk"), 2) << "the press and release of Q only";
    EXPECT_EQ(count_of(shown, "scancode vk 16 81 51 0 Down"), 2) << shown;
    EXPECT_FALSE(holds_key_trace(read_file(folder.run_log())));
    EXPECT_EQ(simulator.presses().at("q"), 1);
    end_run(folder);
}

TEST_F(HotkeysEndToEnd, TheHotkeysAndTheAlarmWorkWhileTheSettingsEditorIsOpen) {
    ProgramFolder folder;
    // A stand-in editor that moves the text window to x = 100, then stays open (30 s at most)
    // until the test closes it. It runs in the program folder.
    const auto editor = folder.program_dir() / "stand-in-editor";
    write_file(editor, "#!/bin/sh\nsed -i -e 's/^Hor. position=.*/Hor. position=100/' \"$1\"\n"
                       "for n in $(seq 300); do [ -e close-editor ] || sleep 0.1; done\n");
    std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
    folder.set_setting("Text editor", editor.string());
    FlightSender sim(folder.port());
    ASSERT_NO_FATAL_FAILURE(start_flight(folder, {}, sim, "yes\n")); // yes: restart
    const auto text = find_window(display_, "Kalveo - Display", 5.0);
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(type_key(display_, text->id, "e"));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "stand-in-editor", 5.0));

    // The editor is open: a hotkey typed into the simulator's window acts, a dive is heard.
    KeyRecorder simulator(display_);
    ASSERT_TRUE(simulator.focused());
    ASSERT_TRUE(type_keys(display_, {"i"}, 50));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "DV1 updated : 11.00 269.00", 5.0));
    const double mark = captured_seconds(folder.audio());
    sim.fly(288.0, 1.5);
    EXPECT_TRUE(first_alarm_since(folder.audio(), mark).has_value()) << "no alarm";
    sim.fly(120.0, 0.5);
    EXPECT_EQ(read_file(folder.run_log()).find("CONFIG :"), std::string::npos);

    // Closed, the editor's settings are taken up by a restart.
    write_file(folder.program_dir() / "close-editor", "");
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Kalveo will restart", 10.0))
        << read_file(folder.stdout_log());
    std::optional<XWindow> after;
    for (int i = 0; i < 50 && !(after && after->x == 100); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        after = find_window(display_, "Kalveo - Display", 5.0);
    }
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(after->x, 100);
    end_run(folder);
}

TEST_F(HotkeysEndToEnd, InPolarModeTheIntegratorKeyRecordsAPointWithABeep) {
    ProgramFolder folder;
    FlightSender sim(folder.port());
    ASSERT_NO_FATAL_FAILURE(start_flight(folder, {"-p"}, sim));
    KeyRecorder simulator(display_, true); // even a keyboard grab does not hide the keys
    ASSERT_TRUE(simulator.grabbed());
    const double mark = captured_seconds(folder.audio());
    ASSERT_TRUE(type_keys(display_, {"9"}, 50));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "WRITE POLAR", 5.0));
    sim.fly(120.0, 3.0); // steady: the point is taken
    ASSERT_TRUE(wait_for_text(folder.run_log(), "Beep 930 Hz 100 ms", 5.0))
        << read_file(folder.stdout_log());
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    bool beep = false;
    for (const Heard& h : heard_since(folder.audio(), mark)) {
        const double length = h.sound.end_s - h.sound.start_s;
        if (std::abs(h.sound.frequency_hz - 930.0) < 30.0 && length > 0.06 && length < 0.16)
            beep = true;
    }
    EXPECT_TRUE(beep) << "no 930 Hz beep in the captured audio";
    EXPECT_NE(read_file(folder.stdout_log()).find("write polar"), std::string::npos);
    end_run(folder);
}

TEST_F(HotkeysEndToEnd, WithoutTheKeyboardWatchTheTextWindowTakesTheReducedSet) {
    ProgramFolder folder;
    folder.set_setting("KeyboardHook", "0");
    FlightSender sim(folder.port());
    ASSERT_NO_FATAL_FAILURE(start_flight(folder, {}, sim));
    EXPECT_EQ(read_file(folder.run_log()).find("Keyboard Hook started"), std::string::npos);

    // Typed into another window, the keys reach nothing of ours.
    {
        KeyRecorder simulator(display_);
        ASSERT_TRUE(simulator.focused());
        ASSERT_TRUE(type_keys(display_, {"i"}, 50));
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        EXPECT_EQ(read_file(folder.run_log()).find("DV1 updated"), std::string::npos);
        EXPECT_EQ(simulator.presses().at("i"), 1);
    }
    const auto text = find_window(display_, "Kalveo - Display", 5.0);
    ASSERT_TRUE(text.has_value());
    ASSERT_TRUE(type_key(display_, text->id, "i"));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "DV1 updated : 11.00 269.00", 5.0));
    ASSERT_TRUE(type_key(display_, text->id, "u"));
    ASSERT_TRUE(wait_for_text(folder.run_log(), "DV1 updated : 10.00 270.00", 5.0));
    end_run(folder);
}

} // namespace
} // namespace kalveo::testing
