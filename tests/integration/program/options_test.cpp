// What start-up hands to the display: its options, the font file and the unit name.
#include "config/settings_value.h"
#include "shell/startup_options.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class OptionsTest : public ::testing::Test {
  protected:
    Settings s;
};

TEST_F(OptionsTest, PolarModeTakesOverTheHorizon) {
    s.program.polar = true;
    s.display.horizon = 0;
    s.display.horizon_size = 150;
    s.display.horizon_corners_transparent = 1;
    const DisplayOptions o = build_display_options(s);
    EXPECT_EQ(o.artificial_horizon, 1);
    EXPECT_EQ(o.horizon_size, 300);
    EXPECT_EQ(o.horizon_x, 1000002);
    EXPECT_EQ(o.horizon_y, 1000004);
    EXPECT_EQ(o.horizon_transparent_corners, 0);
    EXPECT_TRUE(o.polar_mode);
}

TEST_F(OptionsTest, ValuesAreKeptInTheirRanges) {
    s.display.horizontal = 5;
    s.display.show_units = -3;
    s.display.vario_digits = 9;
    s.sound.volume = 1.7;
    const DisplayOptions o = build_display_options(s);
    EXPECT_EQ(o.horizontal_display, 1);
    EXPECT_EQ(o.show_units, 0);
    EXPECT_EQ(o.number_of_digits, 4);
    EXPECT_EQ(o.volume, 100);
    s.sound.volume = 0.355;
    EXPECT_EQ(build_display_options(s).volume, 36);
}

TEST_F(OptionsTest, StatusMarkRecordingBeforeNetto) {
    EXPECT_EQ(build_display_options(s).status_mark, 0);
    s.program.netto_switch = true;
    EXPECT_EQ(build_display_options(s).status_mark, 2);
    s.program.record = true;
    EXPECT_EQ(build_display_options(s).status_mark, 1);
}

TEST_F(OptionsTest, FontFileAndUnitName) {
    s.display.font_name = "arialbd";
    EXPECT_EQ(font_file_name(s.display), "arialbd.ttf");
    s.display.font_name = std::string(40, 'f');
    EXPECT_EQ(font_file_name(s.display).size(), 29U);
    s.speeds.unit_name = "kts";
    EXPECT_EQ(display_unit_name(s.speeds), "kts");
    s.speeds.unit_name = "nautical-miles-per-hour";
    EXPECT_EQ(display_unit_name(s.speeds), "nautical-");
}

} // namespace
} // namespace kalveo
