// What start-up hands to the display: the option vector, the font file and the unit name.
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

TEST_F(OptionsTest, WindowSettingsGoToTheirSlots) {
    option.fntsiz = 30;
    option.posx = 120;
    option.posy = 1000003;
    option.horwid = 180;
    option.horposx = 1000001;
    option.stopwait = -1;
    option.kbdautorst = 5;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o[0], 30);
    EXPECT_EQ(o[6], 120);
    EXPECT_EQ(o[7], 1000003);
    EXPECT_EQ(o[10], 180);
    EXPECT_EQ(o[11], 1000001);
    EXPECT_EQ(o[17], -1);
    EXPECT_EQ(o[75], 5);
}

TEST_F(OptionsTest, PolarModeTakesOverTheHorizon) {
    misc00.qpolar = true;
    option.horizarti = 0;
    option.horwid = 150;
    option.horbgdtrans = 1;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o[9], 1);
    EXPECT_EQ(o[10], 300);
    EXPECT_EQ(o[11], 1000002);
    EXPECT_EQ(o[12], 1000004);
    EXPECT_EQ(o[28], 0);
    EXPECT_EQ(o[58], 1);
}

TEST_F(OptionsTest, ValuesAreKeptInTheirRanges) {
    option.horizontal = 5;
    option.disuni = -3;
    option.numdig = 9;
    volumes.sndvol = 1.7;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o[1], 1);
    EXPECT_EQ(o[20], 0);
    EXPECT_EQ(o[47], 4);
    EXPECT_EQ(o[44], 100);
    volumes.sndvol = 0.355;
    EXPECT_EQ(build_display_options()[44], 36);
}

TEST_F(OptionsTest, VneAndVa1SwitchesShareSlotFive) {
    option.disvne = 1;
    option.disva1 = 0;
    EXPECT_EQ(build_display_options()[5], 1);
    option.disva1 = 1;
    EXPECT_EQ(build_display_options()[5], 3);
}

TEST_F(OptionsTest, StatusMarkRecordingBeforeNetto) {
    EXPECT_EQ(build_display_options()[57], 0);
    my_tas_0.qnetto = true;
    EXPECT_EQ(build_display_options()[57], 2);
    option.qrecord = true;
    EXPECT_EQ(build_display_options()[57], 1);
}

TEST_F(OptionsTest, KeysAndColours) {
    keydef.keyhor = 80;
    keydef_cndr.scngrst = 34;
    option.colvne = 0x123456;
    const DisplayOptions o = build_display_options();
    EXPECT_EQ(o[13], 80);
    EXPECT_EQ(o[65], 34);
    EXPECT_EQ(o[24], 0x123456);
    EXPECT_EQ(o[2], 73);
    EXPECT_EQ(o[3], 85);
}

TEST_F(OptionsTest, TheLastSlotsStayEmpty) {
    const DisplayOptions o = build_display_options();
    for (int i = 76; i <= 80; ++i)
        EXPECT_EQ(o[static_cast<std::size_t>(i)], 0) << i;
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
