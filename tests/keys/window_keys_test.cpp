// Keys and clicks in the windows: picking and moving a window, saving the positions, the
// reduced hotkey set, Escape with its question, and keys ignored while the run closes.
#include "config/records.h"
#include "cpw/cpw.h"
#include "display/display_state.h"
#include "display/window_input.h"
#include "flight/cycle.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/hook.h"
#include "keys/window_keys.h"
#include "support/test_files.h"

#include <gtest/gtest.h>
#include <memory>

namespace kalveo {
namespace {

using testing::read_file;
using testing::ScopedCwd;
using testing::ScopedEnv;
using testing::TempDir;
using testing::write_file;

constexpr CpwWindowId kText = 1;
constexpr CpwWindowId kHorizon = 2;

class WindowKeysTest : public ::testing::Test {
  protected:
    void SetUp() override {
        cwd_ = std::make_unique<ScopedCwd>(dir_.path());
        answers("");
        DisplayStateRecord& s = display;
        s.DisWinInfo.id = static_cast<int>(kText);
        s.DisWinInfo.x = 1584;
        s.DisWinInfo.y = 0;
        s.HorWinInfo.id = static_cast<int>(kHorizon);
        s.HorWinInfo.x = 885;
        s.HorWinInfo.y = 0;
        s.SelectedWindow = 0;
        s.ShiftKeyDown = 0;
        s.WeAreClosing = Closing::no;
        s.ChatActive = 0;
    }
    void TearDown() override {
        dialogs_.reset();
        cwd_.reset();
    }

    // The scripted answers of the boxes to come.
    void answers(const std::string& lines) {
        write_file(dir_ / "answers.txt", lines);
        dialogs_.reset();
        dialogs_ = std::make_unique<ScopedEnv>("KALVEO_DIALOGS",
                                               "script:" + (dir_ / "answers.txt").string());
    }

    void click(CpwWindowId id) {
        mouseclick(display, nullptr, id, CPW_BUTTON_DOWN, CPW_BUTTON_LEFT, 5, 5);
        mouseclick(display, nullptr, id, CPW_BUTTON_UP, CPW_BUTTON_LEFT, 5, 5);
    }
    void press(int key) {
        syskeyboard(display, nullptr, kText, key, CPW_KEYMOD_DOWN, 0, 0);
        syskeyboard(display, nullptr, kText, key, CPW_KEYMOD_UP, 0, 0);
    }
    void type(int key) {
        keyboard(watch_, nullptr, kText, key, CPW_KEYMOD_DOWN, 0, 0);
        keyboard(watch_, nullptr, kText, key, CPW_KEYMOD_UP, 0, 0);
    }

    TempDir dir_;
    DisplayStateRecord display;
    std::unique_ptr<ScopedCwd> cwd_;
    std::unique_ptr<ScopedEnv> dialogs_;
    FlightOutputs out_;
    FlightCycle cycle_{out_, [](FlightFacts&, FlightRecords& f, const Settings&) {
                           f.my_tas_0.vne = 280.0 / 3.6;
                       }};
    KeyWatch watch_{cycle_, display};
};

TEST_F(WindowKeysTest, AClickPicksAWindowAndASecondClickDropsIt) {
    click(kHorizon);
    EXPECT_EQ(display.SelectedWindow, static_cast<int>(kHorizon));
    click(kHorizon);
    EXPECT_EQ(display.SelectedWindow, 0);
}

TEST_F(WindowKeysTest, OnlyTheReleaseOfTheFirstButtonCounts) {
    mouseclick(display, nullptr, kText, CPW_BUTTON_DOWN, CPW_BUTTON_LEFT, 0, 0);
    mouseclick(display, nullptr, kText, CPW_BUTTON_UP, CPW_BUTTON_RIGHT, 0, 0);
    EXPECT_EQ(display.SelectedWindow, 0);
}

TEST_F(WindowKeysTest, ArrowsMoveThePickedWindowAndItsSetting) {
    click(kText);
    press(CPW_KEY_LEFT);
    press(CPW_KEY_DOWN);
    press(CPW_KEY_DOWN);
    EXPECT_EQ(display.DisWinInfo.x, 1583);
    EXPECT_EQ(display.DisWinInfo.y, 2);
    EXPECT_EQ(display.DisWinX, 1583);
    EXPECT_EQ(display.DisWinY, 2);
    EXPECT_EQ(display.HorWinInfo.x, 885); // the other window stays
}

TEST_F(WindowKeysTest, ShiftMakesTheStepTenPixels) {
    click(kHorizon);
    syskeyboard(display, nullptr, kHorizon, CPW_KEY_SHIFT, CPW_KEYMOD_DOWN, 0, 0);
    press(CPW_KEY_RIGHT);
    press(CPW_KEY_UP);
    syskeyboard(display, nullptr, kHorizon, CPW_KEY_SHIFT, CPW_KEYMOD_UP, 0, 0);
    press(CPW_KEY_RIGHT);
    EXPECT_EQ(display.HorWinInfo.x, 885 + 11);
    EXPECT_EQ(display.HorWinInfo.y, -10);
    EXPECT_EQ(display.HorWinX, 896);
    EXPECT_EQ(display.HorWinY, -10);
}

TEST_F(WindowKeysTest, ArrowsMoveNothingOnceTheWindowIsDropped) {
    click(kText);
    click(kText);
    press(CPW_KEY_LEFT);
    EXPECT_EQ(display.DisWinInfo.x, 1584);
}

TEST_F(WindowKeysTest, SSavesThePositionsIntoTheSettingsFile) {
    write_file(dir_ / "Settings" / "Kalveo.ini",
               "Port=55278\r\nHor. position=R\r\nVer. position=T\r\n"
               "AH hor. position=C\r\nAH ver. position=T\r\n");
    click(kText);
    press(CPW_KEY_DOWN);
    display.DisWinX = 1000003;
    display.HorWinX = 300;
    display.HorWinY = 1000004;
    type('s');
    const std::string saved = read_file(dir_ / "Settings" / "Kalveo.ini");
    EXPECT_NE(saved.find("Port=55278\r\n"), std::string::npos);
    EXPECT_NE(saved.find("Hor. position=R\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("Ver. position=1\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("AH hor. position=300\r\n"), std::string::npos) << saved;
}

TEST_F(WindowKeysTest, CWithoutTheSetupProgramSaysSoInABoxAndTheLogAndPointsToE) {
    ::testing::internal::CaptureStdout();
    type('c');
    const std::string shown = ::testing::internal::GetCapturedStdout();
    EXPECT_NE(shown.find("[dialog] messageBox ok warning title=\"Kalveo\" text=\"Kalveo_Setup.exe "
                         "is not in the Kalveo folder.\\nPress \"e\" in the Kalveo window to edit"),
              std::string::npos)
        << shown;
    EXPECT_NE(shown.find("  33   0 Kalveo_Setup.exe is not in the Kalveo folder. Press \"e\""),
              std::string::npos)
        << shown;
}

TEST_F(WindowKeysTest, EscapeAsksAndOkClosesTheRun) {
    answers("ok\n");
    press(CPW_KEY_ESCAPE);
    EXPECT_EQ(display.WeAreClosing, Closing::yes);
}

TEST_F(WindowKeysTest, EscapeAnsweredCancelKeepsRunning) {
    answers("cancel\n");
    press(CPW_KEY_ESCAPE);
    EXPECT_EQ(display.WeAreClosing, Closing::no);
}

TEST_F(WindowKeysTest, NothingMovesOnceTheRunCloses) {
    click(kText);
    display.WeAreClosing = Closing::yes;
    press(CPW_KEY_LEFT);
    display.KbdHookEnabled = 0;
    display.HorWinInfo.width = 150;
    display.DrawHorizon = 1;
    type(display.KeyHor + 32);
    EXPECT_EQ(display.DisWinInfo.x, 1584);
    EXPECT_EQ(display.DrawHorizon, 1);
}

class ReducedHotkeysTest : public WindowKeysTest {
  protected:
    // A flight set up with VNE 280 km/h and the default 10 km/h margin.
    void SetUp() override {
        WindowKeysTest::SetUp();
        display.KbdHookEnabled = 0;
        cycle_.my_tas("airspeed=30\r\ntime=12\r\n");
    }
};

TEST_F(ReducedHotkeysTest, IAndUMoveTheAlarmMarginByOne) {
    type('i');
    type('i');
    EXPECT_EQ(display.status.margin, 12);
    EXPECT_NEAR(cycle_.records().my_tas_0.dv1 * 3.6, 12.0, 1e-9);
    type('u');
    EXPECT_EQ(display.status.margin, 11);
    EXPECT_NEAR(cycle_.records().my_tas_0.va1 * 3.6, 280.0 - 11.0, 1e-9);
}

TEST_F(ReducedHotkeysTest, MTogglesTheFlapSoundOfAGliderWithFlaps) {
    type('m');
    EXPECT_FALSE(cycle_.controls().flap_sounds) << "no flaps: nothing to switch";
    cycle_.records().flaps_0.nflap = 2;
    type('m');
    EXPECT_TRUE(cycle_.controls().flap_sounds);
    EXPECT_TRUE(display.status.flap_sounds);
    type('m');
    EXPECT_FALSE(display.status.flap_sounds);
}

TEST_F(ReducedHotkeysTest, OCyclesTheHorizonWindow) {
    display.HorWinInfo.width = 150;
    display.DrawHorizon = 1;
    type('o');
    EXPECT_EQ(display.DrawHorizon, 2);
}

TEST_F(ReducedHotkeysTest, WithTheKeyboardWatchTheWindowsLeaveTheHotkeysToIt) {
    display.KbdHookEnabled = 1;
    type('i');
    EXPECT_EQ(cycle_.status().margin, 10);
}

} // namespace
} // namespace kalveo
