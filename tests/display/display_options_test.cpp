// The options start-up hands over, as the display state takes them.
#include "display/display_options.h"
#include "display/display_state.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class DisplayOptionsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        opt.font_size = 24;
        opt.horizon_opacity = 255;
    }

    DisplayOptions opt{};
    DisplayStateRecord display;
};

TEST_F(DisplayOptionsTest, HorizonStyleAndTranslucency) {
    opt.horizon_opacity = 200;
    opt.artificial_horizon = 2;
    opt.horizon_size = 180;
    apply_display_options(display, opt);
    EXPECT_EQ(display.HorTranslu, 1);
    EXPECT_EQ(display.DrawHorizon, 1);
    EXPECT_EQ(display.StdHorizon, 1);
    EXPECT_EQ(display.HorWinInfo.width, 180);
    EXPECT_EQ(display.HorWinInfo.height, 180);
}

TEST_F(DisplayOptionsTest, NoHorizonSettingLeavesTheHorizonModeAlone) {
    display.DrawHorizon = 2;
    opt.artificial_horizon = 0;
    apply_display_options(display, opt);
    EXPECT_EQ(display.DrawHorizon, 2);
}

TEST_F(DisplayOptionsTest, StopWaitDecidesWhetherToAsk) {
    opt.stop_wait = -1;
    apply_display_options(display, opt);
    EXPECT_EQ(display.StopWait, -1);
    EXPECT_EQ(display.ConfirmStop, 0);
    opt.stop_wait = 0;
    apply_display_options(display, opt);
    EXPECT_EQ(display.ConfirmStop, 1);
}

TEST_F(DisplayOptionsTest, BackgroundsOnlyWhenGiven) {
    display.TxtBgd = {130, 180, 230};
    opt.text_background = 0;
    opt.horizon_background = 0x102030;
    apply_display_options(display, opt);
    EXPECT_EQ(display.TxtBgd, (Rgb8{130, 180, 230}));
    EXPECT_EQ(display.HorBgd, (Rgb8{0x10, 0x20, 0x30}));
}

TEST_F(DisplayOptionsTest, KeysAndScanCodes) {
    opt.g_reset_scan = 34;
    opt.key_horizon = 80;
    apply_display_options(display, opt);
    EXPECT_EQ(display.ScnGRst, -34);
    EXPECT_EQ(display.KeyHor, 80);
}

TEST_F(DisplayOptionsTest, PolarModeShowsTheVario) {
    display.DisVar = 0;
    opt.polar_mode = true;
    apply_display_options(display, opt);
    EXPECT_EQ(display.Polar, 1);
    EXPECT_EQ(display.DisVar, 1);
}

TEST_F(DisplayOptionsTest, ColoursFromTheirSettings) {
    opt.colour_vne = 0xFF0000;
    opt.colour_tas = 0x0000FF;
    apply_display_options(display, opt);
    EXPECT_EQ(display.ColVNE, (RgbF{1.0F, 0.0F, 0.0F}));
    EXPECT_EQ(display.ColTAS0, (RgbF{0.0F, 0.0F, 1.0F}));
}

TEST_F(DisplayOptionsTest, PaintedHorizonCornersGetTheSkyColour) {
    display.HorBgd = {0, 0, 0};
    display.HorBgdTransp = 0;
    derive_window_colours(display);
    EXPECT_EQ(display.HorBgd_f, (RgbF{kSkyRed, kSkyGreen, kSkyBlue}));
    display.HorBgdTransp = 1;
    display.HorBgd = {255, 0, 51};
    derive_window_colours(display);
    EXPECT_FLOAT_EQ(display.HorBgd_f[0], 1.0F);
    EXPECT_FLOAT_EQ(display.HorBgd_f[2], 0.2F);
}

TEST_F(DisplayOptionsTest, BlinkPartnersFollowTheirColours) {
    display.ColFlap0 = {1.0F, 1.0F, 1.0F};
    derive_window_colours(display);
    EXPECT_EQ(display.ColFlap1, blink_partner(display.ColFlap0));
    EXPECT_NE(display.ColFlap1, display.ColFlap0);
}

} // namespace
} // namespace kalveo
