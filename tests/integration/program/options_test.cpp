// What start-up hands to the display: its options, the font file and the unit name.
#include "config/records.h"
#include "flight/records.h"
#include "glider/records.h"
#include "keys/records.h"
#include "shell/settings_records.h"
#include "shell/startup_options.h"
#include "sim/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class OptionsTest : public ::testing::Test {
  protected:
    void SetUp() override { hand_settings_to_records(Settings{}); }
    void TearDown() override { hand_settings_to_records(Settings{}); }
};

TEST_F(OptionsTest, PolarModeTakesOverTheHorizon) {
    misc00.qpolar = true;
    option.horizarti = 0;
    option.horwid = 150;
    option.horbgdtrans = 1;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o.artificial_horizon, 1);
    EXPECT_EQ(o.horizon_size, 300);
    EXPECT_EQ(o.horizon_x, 1000002);
    EXPECT_EQ(o.horizon_y, 1000004);
    EXPECT_EQ(o.horizon_transparent_corners, 0);
    EXPECT_TRUE(o.polar_mode);
}

TEST_F(OptionsTest, ValuesAreKeptInTheirRanges) {
    option.horizontal = 5;
    option.disuni = -3;
    option.numdig = 9;
    volumes.sndvol = 1.7;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o.horizontal_display, 1);
    EXPECT_EQ(o.show_units, 0);
    EXPECT_EQ(o.number_of_digits, 4);
    EXPECT_EQ(o.volume, 100);
    volumes.sndvol = 0.355;
    EXPECT_EQ(build_display_options().volume, 36);
}

TEST_F(OptionsTest, StatusMarkRecordingBeforeNetto) {
    EXPECT_EQ(build_display_options().status_mark, 0);
    my_tas_0.qnetto = true;
    EXPECT_EQ(build_display_options().status_mark, 2);
    option.qrecord = true;
    EXPECT_EQ(build_display_options().status_mark, 1);
}

TEST_F(OptionsTest, FontFileAndUnitName) {
    my_tas_c.fntnam = "arialbd";
    EXPECT_EQ(font_file_name(), "arialbd.ttf");
    my_tas_c.fntnam = std::string(40, 'f');
    EXPECT_EQ(font_file_name().size(), 29U);
    my_tas_c.cunit = "kts";
    EXPECT_EQ(display_unit_name(), "kts");
    my_tas_c.cunit = "nautical-miles-per-hour";
    EXPECT_EQ(display_unit_name(), "nautical-");
}

} // namespace
} // namespace kalveo
