// The hook and the hotkeys fed with synthetic key events as the keyboard watch delivers them:
// press timing, exact modifiers, extended keys and AltGr, double presses, volume steps, the
// simulator's chat, the task timer, what the other hotkeys change, and that the strip shows
// what the flight cycle runs.
#include "config/key_codes.h"
#include "config/settings_value.h"
#include "display/display_options.h"
#include "display/display_state.h"
#include "display/tas_colour.h"
#include "display/text_colours.h"
#include "display/text_layout.h"
#include "flight/cycle.h"
#include "flight/outputs.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/hook.h"
#include "keys/hotkeys.h"
#include "sim/controls.h"
#include "sim/records.h"
#include "support/test_files.h"
#include "text/number_read.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

namespace kalveo {
namespace {

struct Key {
    int vk;
    int scan;
    bool ext = false;
};
const Key kA{65, 30}, kI{73, 23}, kU{85, 22}, kT{84, 20}, k1{49, 2}, k5{53, 6}, k6{54, 7};
const Key k7{55, 8}, k8{56, 9}, k9{57, 10}, k0{48, 11}, kEnter{13, 28}, kPadEnter{13, 28, true};
const Key kLShift{160, 42}, kRShift{161, 54, true}, kLCtrl{162, 29}, kRCtrl{163, 29, true};
const Key kAltGr{165, 56, true}, kFakeCtrl{162, 541}; // Windows sends this Ctrl with AltGr

// A flight set up with VNE 280 km/h and the default 10 km/h margin, and a watch on its cycle.
class HotkeysTest : public ::testing::Test {
  protected:
    HotkeysTest()
        : cycle_(out_, [](FlightFacts&, FlightRecords& f,
                          const Settings&) { f.my_tas_0.vne = 280.0 / 3.6; }),
          watch_(cycle_, display) {}

    void SetUp() override {
        DisplayStateRecord& s = display;
        s.count = 1000;
        s.GotPlaneData = 1;
        s.ScnChatO = 20; // T, as learned from the simulator
        s.HorWinInfo.width = 150;
        out_.play_alarm = [this](int level, double vol) { played_.push_back({level, vol}); };
        cycle_.my_tas("airspeed=30\r\ntime=12\r\n");
    }

    [[nodiscard]] int margin() const { return cycle_.status().margin; }
    [[nodiscard]] const ChronoRecord& runs() const { return cycle_.controls().chrono; }

    void event(const Key& k, bool down) {
        KeyEvent e{k.vk, k.scan, k.ext, down, false, now_};
        watch_.on_event(0, e);
    }
    // Held for `ms` with `mods` held around it; the timer ticks on by `ticks` afterwards.
    void tap(const Key& k, int ms = 60, int ticks = 20, const std::vector<Key>& mods = {}) {
        for (const Key& m : mods)
            event(m, true);
        event(k, true);
        now_ += static_cast<std::uint32_t>(ms);
        event(k, false);
        for (const Key& m : mods)
            event(m, false);
        display.count += ticks;
    }
    // True when the probe hotkey (the horizon key, set to `code`) fired.
    bool fires(int code, const Key& k, const std::vector<Key>& mods = {}, int ms = 60) {
        display.KeyHor = code;
        display.MoveHorizon = 0;
        tap(k, ms, 20, mods);
        return display.MoveHorizon == 1;
    }

    std::uint32_t now_ = 5'000'000;
    std::vector<std::pair<int, double>> played_;

  private:
    testing::TempDir dir_;
    testing::ScopedCwd cwd_{dir_.path()};

  protected:
    DisplayStateRecord display;
    FlightOutputs out_;
    FlightCycle cycle_;
    KeyWatch watch_;
};

TEST_F(HotkeysTest, KeysMatchWithExactlyTheirModifiersAndPressLength) {
    struct Case {
        const char* what;
        int code;
        Key key;
        std::vector<Key> mods;
        int ms;
        bool fires;
    };
    const std::vector<Case> cases = {
        {"20065 is Shift+A", 20065, kA, {kLShift}, 60, true},
        {"right Shift is Shift", 20065, kA, {kRShift}, 60, true},
        {"A alone is not Shift+A", 20065, kA, {}, 60, false},
        {"Ctrl+Shift+A is not Shift+A", 20065, kA, {kLShift, kLCtrl}, 60, false},
        {"9970 is Ctrl with scan code 30", 9970, kA, {kRCtrl}, 60, true},
        {"scan code 30 without Ctrl", 9970, kA, {}, 60, false},
        {"no Ctrl in the code, Ctrl held", 65, kA, {kLCtrl}, 60, false},
        {"80049 is a long 1", 80049, k1, {}, 901, true},
        {"900 ms is still a tap", 80049, k1, {}, 900, false},
        {"a long press is not the tap's key", 49, k1, {}, 1200, false},
        {"right Ctrl is 29 + 256", -285, kRCtrl, {}, 60, true},
        {"not the left Ctrl", -29, kRCtrl, {}, 60, false},
        {"keypad / is 53 + 256", -309, {111, 53, true}, {}, 60, true},
        {"Up is 72 + 256", -328, {38, 72, true}, {}, 60, true},
        {"right Shift gets nothing added", -54, kRShift, {}, 60, true},
        {"right Shift is not 310", -310, kRShift, {}, 60, false},
        {"right Ctrl with left Ctrl held", 9715, kRCtrl, {kLCtrl}, 60, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fires(c.code, c.key, c.mods, c.ms), c.fires) << c.what;

    // A tap and a long press of the same key choose different hotkeys.
    display.KeyHor = 80073; // LONG+"I"
    display.MoveHorizon = 0;
    tap(kI, 60);
    EXPECT_EQ(margin(), 11);
    EXPECT_EQ(display.MoveHorizon, 0);
    tap(kI, 1000);
    EXPECT_EQ(margin(), 11);
    EXPECT_EQ(display.MoveHorizon, 1);
}

TEST_F(HotkeysTest, AutoRepeatKeepsThePressTimeAndAltGrIsNoCtrl) {
    display.KeyHor = 80049;
    event(k1, true);
    for (int i = 0; i < 5; ++i) { // the system repeats the held key
        now_ += 200;
        event(k1, true);
    }
    now_ += 50;
    event(k1, false);
    EXPECT_EQ(display.MoveHorizon, 1) << "held 1050 ms from its first press";

    for (const auto& [code, fires] : {std::pair{-312, true}, std::pair{10000 - 312, false}}) {
        display.KeyHor = code;
        display.MoveHorizon = 0;
        event(kFakeCtrl, true);
        tap(kAltGr);
        event(kFakeCtrl, false);
        EXPECT_EQ(display.MoveHorizon == 1, fires) << code;
    }
}

TEST_F(HotkeysTest, DoublePressesWithinTwelveTicksSwitchTheAlarmAndResetTheNetto) {
    cycle_.switch_alarm(false);
    tap(kI, 60, 5);
    tap(kI);
    EXPECT_EQ(margin(), 11) << "the second press does not raise the margin";
    EXPECT_TRUE(cycle_.controls().vne_alarm);
    tap(kU, 60, 11);
    tap(kU);
    EXPECT_EQ(margin(), 10);
    EXPECT_FALSE(cycle_.controls().vne_alarm);
    tap(kU, 60, 12); // 12 ticks apart: two single presses
    tap(kU);
    EXPECT_EQ(margin(), 8);
    EXPECT_NEAR(cycle_.records().my_tas_0.va1 * 3.6, 272.0, 1e-9);

    // Start, stop, start, a quick second press resets, start: (state after, ticks to the next).
    for (const auto& [expected, ticks] : {std::pair{1, 20}, {0, 20}, {1, 3}, {-1, 20}, {1, 20}}) {
        tap(k6, 60, ticks);
        EXPECT_EQ(run_number(runs().run_nv), expected);
    }
}

TEST_F(HotkeysTest, VolumeKeysStayWithinZeroToOneAndAreHeard) {
    Settings settings;
    settings.sound.volume = 0.98;
    cycle_.take_settings(settings);
    tap(k8);
    settings.sound.volume = 0.01;
    cycle_.take_settings(settings);
    tap(k7);
    EXPECT_DOUBLE_EQ(cycle_.controls().volumes.sndvol, 0.0);
    EXPECT_EQ(display.DisVol, 1);
    const std::vector<std::pair<int, double>> heard = {{2, 1.0}, {2, 0.0}};
    EXPECT_EQ(played_, heard);
}

TEST_F(HotkeysTest, TheChatSuspendsEveryHotkeyUntilEnterOrKeypadEnter) {
    DisplayStateRecord& s = display;
    s.KeyHor = 13; // Enter closes the chat and is no hotkey
    for (const Key& close : {kEnter, kPadEnter}) {
        tap(kT);
        ASSERT_EQ(s.ChatActive, 1);
        for (const Key& k : {kI, kU, k8, k0, k5, k9, k6})
            tap(k);
        tap(kI, 1200);
        EXPECT_EQ(margin(), 10);
        EXPECT_EQ(runs().run_tim, RunState::stopped);
        EXPECT_EQ(runs().run_tsktim, RunState::reset);
        EXPECT_TRUE(played_.empty());
        tap(close);
        EXPECT_EQ(s.ChatActive, 0) << "closed by extended " << close.ext;
        EXPECT_EQ(s.MoveHorizon, 0);
    }
    tap(kI);
    EXPECT_EQ(margin(), 11) << "hotkeys work again";
}

TEST_F(HotkeysTest, TaskTimerStartsAloneAndStopsAndResetsWithCtrlShift) {
    for (const int code : {53, 30053}) { // "5" and CTRL+SHFT+"5" behave the same
        display.KeyTskTim = code;
        cycle_.take_settings(Settings{}); // a new pass: the timer at its reset
        const std::vector<std::pair<std::vector<Key>, int>> steps = {{{}, 1},
                                                                     {{}, 1},
                                                                     {{kLCtrl}, 1},
                                                                     {{kLShift}, 1},
                                                                     {{kLCtrl, kLShift}, 0},
                                                                     {{}, 0},
                                                                     {{kRCtrl, kRShift}, -1},
                                                                     {{}, 1}};
        for (const auto& [mods, expected] : steps) {
            tap(k5, 60, 20, mods);
            EXPECT_EQ(run_number(runs().run_tsktim), expected)
                << code << " with " << mods.size() << " mods";
        }
    }
}

TEST_F(HotkeysTest, TheOtherHotkeysAndTheirConditions) {
    DisplayStateRecord& s = display;
    s.GotPlaneData = 0; // averages and timers wait for the flight
    for (const Key& k : {k0, k5, k6, k9})
        tap(k);
    EXPECT_EQ(runs().run_tim, RunState::stopped);
    EXPECT_EQ(runs().run_nv, RunState::reset);
    s.GotPlaneData = 1;
    tap(k0);
    EXPECT_EQ(runs().run_tim, RunState::reset) << "the stopwatch starts from zero";
    tap(k9);
    tap(k9);
    EXPECT_EQ(runs().run_iv, RunState::stopped);
    s.Polar = 1;
    tap(k9);
    EXPECT_TRUE(cycle_.records().my_tas_0.qwrpol);

    // The simulator's g-meter key (G), and an extended one numbered as the simulator does.
    s.ScnGRst = -34; // as the flight's set-up hands it to the windows
    s.GMax = 3.0F;
    tap({71, 34});
    EXPECT_FLOAT_EQ(s.GMax, 1.0F);
    s.ScnGRst = -201;
    s.GMax = 3.0F;
    tap({33, 73, true}); // Page Up
    EXPECT_FLOAT_EQ(s.GMax, 1.0F);
    s.ScnBugW = -48;
    tap({66, 48});
    EXPECT_EQ(s.BW_Time, 0.0) << "no bug wipers";
    s.BugWipers = 1;
    tap({66, 48});
    EXPECT_GT(s.BW_Time, 0.0);
    s.HorWinInfo.width = 0;
    tap({79, 24});
    EXPECT_EQ(s.MoveHorizon, 0) << "no horizon window to cycle";
}

TEST_F(HotkeysTest, KeyNumbersAtTheEndsOfTheIntRangeNameAndMatchNoKey) {
    // A hotkey from the settings, named in the log at start-up.
    for (const auto& [text, name] : {std::pair{"ASC-2147483648", "K : 2147483647 ???? "},
                                     {"ASC2147483647", "K : 2147483647 ?"}}) {
        const int code = b2k(text).value_or(0);
        EXPECT_EQ(key_name_line("K", code), name);
        EXPECT_FALSE(fires(code, kA) || fires(code, {32, 57})) << text;
    }
    // The simulator's g-meter key from controls.ini, as start-up hands it to the windows.
    for (const auto& [number, resets] :
         {std::pair{"34", true}, {"-2147483648", false}, {"2147483647", false}}) {
        SimulatorKeys keys;
        parse_controls_ini(std::string(kKeyboardSection) + "\n3030=" + number + "\n", true, keys);
        DisplayOptions opt{};
        opt.g_reset_scan = keys.scngrst;
        apply_display_options(display, opt);
        display.GMax = 3.0F;
        tap({71, 34});
        EXPECT_EQ(display.GMax == 1.0F, resets) << number;
    }
}

TEST_F(HotkeysTest, KeysAreShownOnlyInKeyDefinitionModeAndOnlyItsNextKey) {
    ::testing::internal::CaptureStdout();
    // Shift, Ctrl, AltGr, Enter, a long press, a key without a scan code, a hook code < 0.
    for (const Key& k : {kA, kEnter, k1, kPadEnter})
        tap(k, 60, 20, {kLShift});
    tap(kA, 60, 20, {kRCtrl});
    tap(kA, 60, 20, {kAltGr});
    tap(kA, 1200);
    tap({65, 0});
    watch_.on_event(-1, {65, 30, false, true, false, now_});
    tap(kI); // a hotkey says what it did, not which key did it
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "  33   0 DV1 updated : 11.00 269.00\n");

    event(kU, true); // held before the mode, released in it: not the key asked for
    ::testing::internal::CaptureStdout();
    watch_.start_key_definition(100.0);
    event(kU, false);
    tap(kRCtrl); // a modifier alone is shown and the mode goes on
    event(kLShift, true);
    event(kA, true);
    tap(k1); // typed on before A was released
    event(kA, false);
    tap(kA);
    watch_.start_key_definition(200.0); // and without a key it ends after 30 s
    watch_.key_definition_tick(229.9);
    watch_.key_definition_tick(230.0);
    tap(kLShift);
    const std::string shown = ::testing::internal::GetCapturedStdout();
    std::size_t at = 0;
    for (const char* line : {"mode started", "scancode vk 29 163 a3 0 Down 1",
                             "Key code for Kalveo.ini : ASC163 or SCN285", "LEFT SHIFT DOWN 1",
                             "scancode vk 30 65 41 0 Down 1", "scancode vk 30 65 41 0 Down 0",
                             "Key code for Kalveo.ini : \"A\" or SCN30", "mode ended\n",
                             "mode started", "mode ended: no key pressed in time\n"}) {
        at = shown.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << " in order in:\n" << shown;
    }
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 15) << shown;
}

// Whatever the keys did, the strip shows the run states, switches and levels the cycle runs;
// the flap-sound key changes nothing for a glider without flaps.
TEST_F(HotkeysTest, TheStripShowsWhatTheCycleRuns) {
    DisplayStateRecord& s = display;
    Settings settings;
    settings.flaps.sounds_on = true;
    cycle_.take_settings(settings); // a new pass, and its flight
    cycle_.my_tas("airspeed=30\r\ntime=12\r\n");
    const Key kM{77, 50};
    tap(kU, 60, 3); // a double press
    for (const Key& k : {kU, kI, kI, k6, k6, k9, kM, kM, k0})
        tap(k);
    const StripField& va1 = strip_field(TextField::VA1);
    const StripField& netto = strip_field(TextField::NettoAverage);
    EXPECT_EQ(s.status, cycle_.status());
    EXPECT_EQ(va1.whole(s), 280 - 11) << "u, then i twice: the margin is 11";
    EXPECT_EQ(tas_colour(s), kAlarmOffGrey) << "u twice quickly: the alarm is off";
    EXPECT_EQ(signed_field_text(netto, s, number_formats(1)).label, "Dz:") << "started, stopped";
    EXPECT_EQ(integrator_colour(s), s.ColInt1) << "the climb average runs";
    EXPECT_EQ(s.status.stopwatch, RunState::running);
    EXPECT_TRUE(cycle_.controls().flap_sounds) << "no flaps: the key changes nothing";
    EXPECT_TRUE(s.status.flap_sounds);

    // The next packet hands over the same, the climb average and stopwatch now truly running.
    cycle_.my_tas("airspeed=30\r\ntime=12.01\r\n");
    EXPECT_EQ(runs().run_iv, RunState::running);
    EXPECT_EQ(s.status, cycle_.status());
}

} // namespace
} // namespace kalveo
