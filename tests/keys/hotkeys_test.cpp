// The hook and the hotkeys fed with synthetic key events, as the keyboard watch delivers them:
// press timing, modifier matching, double presses, volume steps, the simulator's chat, extended
// keys and AltGr, the task timer, and what every hotkey changes.
#include "display/display_state.h"
#include "flight/outputs.h"
#include "flight/records.h"
#include "keys/hook.h"
#include "keys/hotkeys.h"
#include "keys/records.h"
#include "sound/records.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalveo {
namespace {

struct Key {
    int vk;
    int scan;
    bool ext = false;
};

const Key kA{65, 30};
const Key kE{69, 18};
const Key kI{73, 23};
const Key kT{84, 20};
const Key kU{85, 22};
const Key k1{49, 2};
const Key k5{53, 6};
const Key k6{54, 7};
const Key k7{55, 8};
const Key k8{56, 9};
const Key k9{57, 10};
const Key k0{48, 11};
const Key kG{71, 34};
const Key kEnter{13, 28};
const Key kPadEnter{13, 28, true};
const Key kPageUp{33, 73, true};
const Key kPadSlash{111, 53, true};
const Key kUp{38, 72, true};
const Key kLShift{160, 42};
const Key kRShift{161, 54, true}; // Windows may flag right Shift as extended
const Key kLCtrl{162, 29};
const Key kRCtrl{163, 29, true};
const Key kAltGr{165, 56, true};
const Key kFakeCtrl{162, 541}; // the Ctrl that Windows sends ahead of AltGr

class HotkeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        saved_display_ = display_state;
        saved_hook_ = kbd_state;
        saved_tas0_ = my_tas_0;
        saved_tas1_ = my_tas_1;
        saved_chrono_ = chrono;
        saved_beeps_ = beeps;
        saved_outputs_ = flight_outputs();
        kbd_state = {};
        DisplayStateRecord& s = display_state;
        s.count = 1000;
        s.GotPlaneData = 1;
        s.ChatActive = 0;
        s.KeyChatO = 0;
        s.ScnChatO = 20; // T, as learned from the simulator
        s.dv1 = 10;
        s.SndVol = 0.5F;
        s.HorWinInfo.width = 150;
        s.MoveHorizon = 0;
        my_tas_0.fconv = 3.6;
        my_tas_0.vne = 280.0 / 3.6;
        beeps.sound_num = {0, 0, 1, 2, 3, 4, 5, 6};
        flight_outputs().play_sound = [this](int num, double vol) {
            played_.push_back({num, vol});
        };
    }
    void TearDown() override {
        display_state = saved_display_;
        kbd_state = saved_hook_;
        my_tas_0 = saved_tas0_;
        my_tas_1 = saved_tas1_;
        chrono = saved_chrono_;
        beeps = saved_beeps_;
        flight_outputs() = saved_outputs_;
    }

    void down(const Key& k) { event(k, true); }
    void up(const Key& k) { event(k, false); }
    void wait(int ms) { now_ += static_cast<std::uint32_t>(ms); }
    // Pressed for `ms`, then released; the timer ticks on by `ticks` afterwards.
    void tap(const Key& k, int ms = 60, int ticks = 20) {
        down(k);
        wait(ms);
        up(k);
        display_state.count += ticks;
    }
    void tap_with(const std::vector<Key>& mods, const Key& k, int ms = 60) {
        for (const Key& m : mods)
            down(m);
        tap(k, ms);
        for (const Key& m : mods)
            up(m);
    }
    // True when the probe hotkey (the horizon key, set to `code`) fired.
    bool fires(int code, const std::vector<Key>& mods, const Key& k, int ms = 60) {
        display_state.KeyHor = code;
        display_state.MoveHorizon = 0;
        tap_with(mods, k, ms);
        return display_state.MoveHorizon == 1;
    }

    struct Played {
        int num;
        double vol;
    };
    std::vector<Played> played_;

  private:
    void event(const Key& k, bool is_down) {
        KeyEvent e;
        e.vk = k.vk;
        e.scancode = k.scan;
        e.extended = k.ext;
        e.down = is_down;
        e.time_ms = now_;
        LowLevelKeyboardProc(0, e);
    }

    std::uint32_t now_ = 5'000'000;
    testing::TempDir dir_;
    testing::ScopedCwd cwd_{dir_.path()};
    DisplayStateRecord saved_display_;
    KeyboardHookState saved_hook_;
    MyTas0Record saved_tas0_;
    MyTas1Record saved_tas1_;
    ChronoRecord saved_chrono_;
    BeepsRecord saved_beeps_;
    FlightOutputs saved_outputs_;
};

TEST_F(HotkeysTest, ATapAndALongPressOfTheSameKeyChooseDifferentHotkeys) {
    DisplayStateRecord& s = display_state;
    s.KeyHor = 80000 + 73; // LONG+"I"
    tap(kI, 60);
    EXPECT_EQ(s.dv1, 11);
    EXPECT_EQ(s.MoveHorizon, 0);
    tap(kI, 1000);
    EXPECT_EQ(s.dv1, 11) << "a long press is not the tap's hotkey";
    EXPECT_EQ(s.MoveHorizon, 1);
    // 900 ms is still a tap; LONG "1" is 80049.
    EXPECT_FALSE(fires(80049, {}, k1, 900));
    EXPECT_TRUE(fires(80049, {}, k1, 901));
    EXPECT_FALSE(fires(49, {}, k1, 1200));
}

TEST_F(HotkeysTest, AutoRepeatDoesNotRestartThePressTiming) {
    display_state.KeyHor = 80049;
    down(k1);
    for (int i = 0; i < 5; ++i) {
        wait(200); // the system repeats the held key
        down(k1);
    }
    wait(50);
    up(k1);
    EXPECT_EQ(display_state.MoveHorizon, 1) << "held 1050 ms from its first press";
}

TEST_F(HotkeysTest, ModifiersMustMatchExactly) {
    struct Case {
        const char* what;
        int code;
        std::vector<Key> mods;
        Key key;
        bool fires;
    };
    const std::vector<Case> cases = {
        {"Shift+A is 20065", 20065, {kLShift}, kA, true},
        {"right Shift counts as Shift", 20065, {kRShift}, kA, true},
        {"A alone is not Shift+A", 20065, {}, kA, false},
        {"Ctrl+Shift+A is not Shift+A", 20065, {kLShift, kLCtrl}, kA, false},
        {"9970 is Ctrl with scan code 30", 9970, {kLCtrl}, kA, true},
        {"right Ctrl is Ctrl", 9970, {kRCtrl}, kA, true},
        {"scan code 30 without Ctrl", 9970, {}, kA, false},
        {"SCN30 alone", -30, {}, kA, true},
        {"a hotkey without Ctrl does not fire with Ctrl", 65, {kLCtrl}, kA, false},
        {"another key", 20065, {kLShift}, kE, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fires(c.code, c.mods, c.key), c.fires) << c.what;
}

TEST_F(HotkeysTest, ExtendedKeysGet256AddedExceptRightShift) {
    struct Case {
        int code;
        Key key;
        bool fires;
    };
    const std::vector<Case> cases = {
        {-285, kRCtrl, true},    {-29, kRCtrl, false},    {-29, kLCtrl, true},
        {-309, kPadSlash, true}, {-53, kPadSlash, false}, {-328, kUp, true},
        {-54, kRShift, true},    {-310, kRShift, false},  {38, kUp, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fires(c.code, {}, c.key), c.fires) << c.code << " key " << c.key.vk;
}

TEST_F(HotkeysTest, AltGrDoesNotCountAsCtrl) {
    // Windows sends a left Ctrl ahead of AltGr and holds it with AltGr.
    const auto press_altgr = [this](int code) {
        display_state.KeyHor = code;
        display_state.MoveHorizon = 0;
        down(kFakeCtrl);
        down(kAltGr);
        wait(80);
        up(kAltGr);
        up(kFakeCtrl);
        display_state.count += 20;
        return display_state.MoveHorizon == 1;
    };
    EXPECT_TRUE(press_altgr(-312));
    EXPECT_FALSE(press_altgr(10000 - 312)) << "CTRL+SCN312";
    // Right Ctrl released is a plain key too; with the other Ctrl held it is a Ctrl press.
    EXPECT_TRUE(fires(9715, {kLCtrl}, kRCtrl)) << "CTRL+SCN285";
}

TEST_F(HotkeysTest, DoublePressesWithinTwelveTicksSwitchTheAlarm) {
    DisplayStateRecord& s = display_state;
    my_tas_1.vne_act = false;
    tap(kI, 60, 5); // 5 ticks: the next press is a double press
    tap(kI, 60, 20);
    EXPECT_EQ(s.dv1, 11) << "the second press does not raise the margin";
    EXPECT_EQ(s.VNE_Act, 1);
    EXPECT_TRUE(my_tas_1.vne_act);
    EXPECT_NEAR(my_tas_0.dv1 * 3.6, 11.0, 1e-9);

    tap(kU, 60, 11);
    tap(kU, 60, 20);
    EXPECT_EQ(s.dv1, 10);
    EXPECT_EQ(s.VNE_Act, 0);
    EXPECT_FALSE(my_tas_1.vne_act);
    tap(kU, 60, 12); // 12 ticks apart: two single presses
    tap(kU);
    EXPECT_EQ(s.dv1, 8);
    EXPECT_FALSE(my_tas_1.vne_act);
    EXPECT_NEAR(my_tas_0.va1 * 3.6, 280.0 - 8.0, 1e-9);
}

TEST_F(HotkeysTest, NettoAverageStartsStopsAndADoublePressResetsIt) {
    DisplayStateRecord& s = display_state;
    s.RunAvN = -1;
    tap(k6);
    EXPECT_EQ(chrono.run_nv, 1);
    tap(k6);
    EXPECT_EQ(chrono.run_nv, 0);
    tap(k6, 60, 3);
    EXPECT_EQ(chrono.run_nv, 1);
    tap(k6);
    EXPECT_EQ(chrono.run_nv, -1) << "double press";
    EXPECT_EQ(s.RunAvN, -1);
    tap(k6);
    EXPECT_EQ(chrono.run_nv, 1);
}

TEST_F(HotkeysTest, VolumeStepsGrowWithTheVolumeAndStayWithinZeroToOne) {
    struct Case {
        float from;
        bool up;
        float to;
    };
    const std::vector<Case> cases = {
        {0.98F, true, 1.0F},   {1.0F, true, 1.0F},    {0.10F, true, 0.11F},  {0.15F, true, 0.17F},
        {0.25F, true, 0.28F},  {0.35F, true, 0.40F},  {0.50F, true, 0.55F},  {0.01F, false, 0.0F},
        {0.0F, false, 0.0F},   {0.16F, false, 0.14F}, {0.27F, false, 0.24F}, {0.38F, false, 0.33F},
        {0.50F, false, 0.45F},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(c.up ? volume_up(c.from) : volume_down(c.from), c.to)
            << c.from << (c.up ? " up" : " down");
    // Sixty steps up from silence reach full volume exactly, and back down.
    float vol = 0.0F;
    for (int i = 0; i < 60; ++i)
        vol = volume_up(vol);
    EXPECT_FLOAT_EQ(vol, 1.0F);
    for (int i = 0; i < 60; ++i)
        vol = volume_down(vol);
    EXPECT_FLOAT_EQ(vol, 0.0F);
}

TEST_F(HotkeysTest, VolumeKeysSetTheVolumeShowItAndPlayTheFeedbackSound) {
    DisplayStateRecord& s = display_state;
    s.SndVol = 0.98F;
    tap(k8);
    EXPECT_FLOAT_EQ(s.SndVol, 1.0F);
    EXPECT_DOUBLE_EQ(beeps.sndvol, 1.0);
    EXPECT_EQ(s.DisVol, 1);
    ASSERT_EQ(played_.size(), 1U);
    EXPECT_EQ(played_[0].num, beeps.sound_num[3]);
    EXPECT_DOUBLE_EQ(played_[0].vol, 1.0);
    s.SndVol = 0.01F;
    tap(k7);
    EXPECT_FLOAT_EQ(s.SndVol, 0.0F);
    EXPECT_DOUBLE_EQ(beeps.sndvol, 0.0);
    ASSERT_EQ(played_.size(), 2U);
    EXPECT_DOUBLE_EQ(played_[1].vol, 0.0);
}

TEST_F(HotkeysTest, TheChatSuspendsEveryHotkeyUntilEnterOrKeypadEnter) {
    DisplayStateRecord& s = display_state;
    s.RunTim = 0;
    s.RunTskTim = -1;
    s.KeyHor = 13; // even a hotkey on Enter gives way to the chat
    for (const Key& close : {kEnter, kPadEnter}) {
        tap(kT);
        ASSERT_EQ(s.ChatActive, 1);
        for (const Key& k : {kI, kU, k8, k0, k5, k9, k6, kE})
            tap(k);
        tap(kI, 1200);
        EXPECT_EQ(s.dv1, 10);
        EXPECT_FLOAT_EQ(s.SndVol, 0.5F);
        EXPECT_EQ(chrono.run_tim, 0);
        EXPECT_EQ(s.RunTskTim, -1);
        EXPECT_TRUE(played_.empty());
        tap(close);
        EXPECT_EQ(s.ChatActive, 0) << "closed by key " << close.scan << " ext " << close.ext;
        EXPECT_EQ(s.MoveHorizon, 0) << "Enter closed the chat and did nothing else";
    }
    tap(kI);
    EXPECT_EQ(s.dv1, 11) << "hotkeys work again";

    // A chat key given as a virtual key in the settings works the same way.
    s.ScnChatO = 0;
    s.KeyChatO = 84;
    tap(kT);
    EXPECT_EQ(s.ChatActive, 1);
    tap(kI);
    EXPECT_EQ(s.dv1, 11);
}

TEST_F(HotkeysTest, TaskTimerStartsAloneAndStopsAndResetsWithCtrlShift) {
    DisplayStateRecord& s = display_state;
    for (const int code : {53, 30053}) { // "5" or CTRL+SHFT+"5": the same behaviour
        SCOPED_TRACE(code);
        s.KeyTskTim = code;
        s.RunTskTim = -1;
        tap(k5);
        EXPECT_EQ(chrono.run_tsktim, 1);
        tap(k5);
        EXPECT_EQ(chrono.run_tsktim, 1) << "a tap leaves the running timer alone";
        tap_with({kLCtrl}, k5);
        tap_with({kLShift}, k5);
        EXPECT_EQ(chrono.run_tsktim, 1) << "Ctrl or Shift alone do nothing";
        tap_with({kLCtrl, kLShift}, k5);
        EXPECT_EQ(chrono.run_tsktim, 0);
        tap(k5);
        EXPECT_EQ(chrono.run_tsktim, 0);
        tap_with({kRCtrl, kRShift}, k5);
        EXPECT_EQ(chrono.run_tsktim, -1);
        EXPECT_EQ(s.RunTskTim, -1);
    }
    s.KeyTskTim = 80053; // LONG still has to match
    tap(k5);
    EXPECT_EQ(chrono.run_tsktim, -1);
    tap(k5, 1000);
    EXPECT_EQ(chrono.run_tsktim, 1);
}

TEST_F(HotkeysTest, EachHotkeyActs) {
    DisplayStateRecord& s = display_state;
    s.FlapSound = 1;
    s.KeySFl = 77;
    tap({77, 50});
    EXPECT_EQ(s.FlapSound, 0);
    s.KeyHUDS = 88;
    s.HUD_Spd = 2;
    tap({88, 45});
    EXPECT_EQ(s.HUD_Spd, 0);

    s.RunTim = 0;
    tap(k0);
    EXPECT_EQ(chrono.run_tim, -1) << "started from zero";
    EXPECT_EQ(s.RunTim, 1);
    tap(k0);
    EXPECT_EQ(chrono.run_tim, 0);

    s.RunAvE = 0;
    tap(k9);
    EXPECT_EQ(chrono.run_iv, -1);
    tap(k9);
    EXPECT_EQ(chrono.run_iv, 0);
    s.Polar = 1;
    my_tas_0.qwrpol = false;
    tap(k9);
    EXPECT_TRUE(my_tas_0.qwrpol);
    EXPECT_EQ(chrono.run_iv, 0);

    // The simulator's g-meter key, known from its controls; an extended key there is +128.
    s.ScnGRst = 0;
    keydef_cndr.scngrst = 34;
    s.GMin = 0.5F;
    s.GMax = 3.0F;
    tap(kG);
    EXPECT_FLOAT_EQ(s.GMin, 1.0F);
    EXPECT_FLOAT_EQ(s.GMax, 1.0F);
    s.ScnGRst = -201;
    s.GMax = 3.0F;
    tap(kPageUp);
    EXPECT_FLOAT_EQ(s.GMax, 1.0F);

    s.ScnBugW = -48;
    s.BugWipers = 0;
    s.BW_Time = 0.0;
    tap({66, 48});
    EXPECT_EQ(s.BW_Time, 0.0) << "no bug wipers";
    s.BugWipers = 1;
    tap({66, 48});
    EXPECT_GT(s.BW_Time, 0.0);
    keydef_cndr.scngrst = 0;
}

TEST_F(HotkeysTest, AveragesAndTimersWaitForTheFlightButTheOthersDoNot) {
    DisplayStateRecord& s = display_state;
    s.GotPlaneData = 0;
    s.RunTim = 0;
    s.RunAvN = -1;
    for (const Key& k : {k0, k5, k6, k9})
        tap(k);
    EXPECT_EQ(chrono.run_tim, 0);
    EXPECT_EQ(chrono.run_tsktim, -1);
    EXPECT_EQ(chrono.run_nv, -1);
    EXPECT_EQ(chrono.run_iv, 0);
    tap(kI);
    EXPECT_EQ(s.dv1, 11);
    s.HorWinInfo.width = 0;
    tap({79, 24});
    EXPECT_EQ(s.MoveHorizon, 0) << "no horizon window to cycle";
}

TEST_F(HotkeysTest, TheConsoleTraceShowsEachKeysCodes) {
    ::testing::internal::CaptureStdout();
    tap(kA);
    tap(kRCtrl);
    tap_with({kLShift}, kE);
    const std::string trace = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(trace.find("scancode vk 30 65 41 0 Down 1"), std::string::npos) << trace;
    EXPECT_NE(trace.find("Key code for Kalveo.ini : \"A\" or SCN30"), std::string::npos);
    EXPECT_NE(trace.find("RIGHT CTRL DOWN 1"), std::string::npos);
    EXPECT_NE(trace.find("Key code for Kalveo.ini : ASC163 or SCN285"), std::string::npos);
    EXPECT_NE(trace.find("LEFT SHIFT DOWN 0"), std::string::npos);
}

TEST_F(HotkeysTest, EventsWithoutScanCodeOrForOtherHooksChangeNothing) {
    KeyEvent e;
    e.vk = 73;
    e.scancode = 0; // injected by a program
    e.down = false;
    LowLevelKeyboardProc(0, e);
    e.scancode = 23;
    LowLevelKeyboardProc(-1, e);
    EXPECT_EQ(display_state.dv1, 10);
}

TEST(KeyCodes, DecodingNegativeKeys) {
    struct Case {
        int code;
        int key;
        int mods;
    };
    for (const Case& c : std::vector<Case>{
             {20065, 65, 2}, {9970, -30, 1}, {80049, 49, 8}, {-30, -30, 0}, {79970, -30, 8}})
        EXPECT_EQ(decode_key_code(c.code).key, c.key) << c.code;
    EXPECT_EQ(decode_key_code(9970).mods, 1);
    EXPECT_EQ(decode_key_code(79970).mods, 8);
    EXPECT_EQ(hook_scan_of_simulator_key(156), 284);
    EXPECT_EQ(hook_scan_of_simulator_key(28), 28);
    EXPECT_EQ(hook_scan_of_simulator_key(300), 300);
}

} // namespace
} // namespace kalveo
