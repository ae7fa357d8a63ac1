// What the per-packet core hands to the display, without any window open.
#include "display/display_options.h"
#include "display/display_state.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace kalveo {
namespace {

class DisplayUpdates : public ::testing::Test {
  protected:
    void SetUp() override { display.BallastSetting = 1; }

    /// Only `count` of the counted fields switched on (VNE, VA1, units, ...).
    void show_fields(int count) {
        DisplayStateRecord& d = display;
        int* fields[] = {&d.DisVNE,    &d.DisVA1,   &d.DisUni,    &d.DisNet,   &d.DisTim,
                         &d.DisTskTim, &d.DisClk,   &d.DisWalClk, &d.DisInt_I, &d.DisIAS,
                         &d.DisTAS,    &d.DisNet_I, &d.DisVar,    &d.DisGS};
        for (int i = 0; i < static_cast<int>(std::size(fields)); ++i)
            *fields[i] = i < count;
        d.DisG = 0;
        d.BallastSetting = 0;
    }

    static FlightLayout layout(int wmass_max, int wmass, int disfla = 0) {
        FlightLayout opt;
        opt.vne = 270;
        opt.dv1 = 10;
        opt.dv2 = 20;
        opt.flap_mode = disfla;
        opt.max_water = wmass_max;
        opt.water = wmass;
        return opt;
    }

    DisplayStateRecord display;
    testing::TempDir dir_;
    testing::ScopedCwd cwd_{dir_.path()};
};

TEST_F(DisplayUpdates, OneLineLayoutPutsTheFieldsInColumns) {
    show_fields(5);
    display.HorizontalDisplay = 1;
    UpdVNE(display, layout(0, 0), "", "km/h");
    EXPECT_EQ(display.numval, 5);
    EXPECT_EQ(display.numlin, 1);
    EXPECT_EQ(display.numcol, 5);
}

TEST_F(DisplayUpdates, ColumnLayoutPutsEachFieldOnItsLine) {
    show_fields(5);
    display.HorizontalDisplay = 0;
    UpdVNE(display, layout(0, 0), "", "km/h");
    EXPECT_EQ(display.numval, 5);
    EXPECT_EQ(display.numlin, 5);
    EXPECT_EQ(display.numcol, 1);
}

TEST_F(DisplayUpdates, FlapsBallastAndLoadFactorCountAsFields) {
    show_fields(2);
    display.BallastSetting = 3; // number and bar: the number is a field
    display.DisG = 2;           // g-meter only: no field
    UpdVNE(display, layout(150, 100, 1), "L", "kt");
    EXPECT_EQ(display.numval, 2 + 1 + 1);
    display.DisG = 1;
    UpdVNE(display, layout(150, 100, 0), "L", "kt");
    EXPECT_EQ(display.numval, 2 + 1 + 1);
}

TEST_F(DisplayUpdates, NothingSwitchedOnStillShowsOneField) {
    show_fields(0);
    UpdVNE(display, layout(0, 0), "", "km/h");
    EXPECT_EQ(display.numval, 1);
    EXPECT_EQ(display.numlin, 1);
}

TEST_F(DisplayUpdates, TextWindowHeightFollowsLinesFontAndMargins) {
    show_fields(3);
    display.FontSize = 20;
    display.VertMargin = 3;
    display.HorizontalDisplay = 1;
    UpdVNE(display, layout(0, 0), "", "km/h");
    EXPECT_EQ(display.DisWinInfo.height, 2 * 3 + 20);
    display.HorizontalDisplay = 0;
    UpdVNE(display, layout(0, 0), "", "km/h");
    EXPECT_EQ(display.DisWinInfo.height, 3 * 20 + (3 + 2) * 3);
}

TEST_F(DisplayUpdates, GliderWithoutTanksHidesBallastWhateverTheSetting) {
    for (int setting : {1, 2, 3, -1, -3}) {
        display.BallastSetting = setting;
        UpdVNE(display, layout(0, 0), "", "km/h");
        EXPECT_EQ(display.DisBal, 0) << setting;
    }
}

TEST_F(DisplayUpdates, EmptyTanksHideBallastUnlessTheSettingIsNegative) {
    display.BallastSetting = 1;
    UpdVNE(display, layout(150, 0), "", "km/h");
    EXPECT_EQ(display.DisBal, 0);
    display.BallastSetting = -3;
    UpdVNE(display, layout(150, 0), "", "km/h");
    EXPECT_EQ(display.DisBal, 3);
}

TEST_F(DisplayUpdates, BallastIsDecidedAgainForEachFlight) {
    display.BallastSetting = 1;
    UpdVNE(display, layout(150, 0), "", "km/h"); // first flight dry
    EXPECT_EQ(display.DisBal, 0);
    UpdVNE(display, layout(150, 90), "", "km/h"); // second flight with water
    EXPECT_EQ(display.DisBal, 1);
    EXPECT_EQ(display.buf_b, "90");
}

TEST_F(DisplayUpdates, TheBallastSettingComesWithTheDisplayOptions) {
    DisplayOptions options;
    options.show_ballast = -3;
    apply_display_options(display, options);
    UpdVNE(display, layout(150, 0), "", "km/h");
    EXPECT_EQ(display.DisBal, 3) << "negative: shown with empty tanks too";
    options.show_ballast = 1;
    apply_display_options(display, options);
    UpdVNE(display, layout(150, 0), "", "km/h");
    EXPECT_EQ(display.DisBal, 0);
}

TEST_F(DisplayUpdates, BallastBarScalesWithTheFilling) {
    display.BallastSetting = 3;
    display.FontSize = 24;
    display.VertMargin = 3;
    display.HorizontalDisplay = 1;
    UpdVNE(display, layout(200, 50), "", "km/h");
    const int height = display.DisWinInfo.height;
    EXPECT_EQ(display.buf_b, "50");
    EXPECT_EQ(display.ywb, height * 50 / 200);
}

TEST_F(DisplayUpdates, AdviceColourMakesTheFlapColourRedWithItsPartner) {
    UpdVNE(display, layout(0, 0, 2), "+2", "km/h");
    EXPECT_EQ(display.ColFlap0, (RgbF{1.0F, 0.0F, 0.0F}));
    EXPECT_EQ(display.ColFlap1, blink_partner({1.0F, 0.0F, 0.0F}));
    EXPECT_EQ(display.cflapmax, "+2");
}

TEST_F(DisplayUpdates, FlightLayoutReachesTheDisplayState) {
    FlightLayout opt = layout(150, 80, 1);
    opt.wind_direction = 270;
    opt.wind_speed = 12;
    opt.chat_open_key = 84;
    opt.chat_open_scan = 20;
    opt.bug_wipe_scan = 48;
    opt.bug_wipers = true;
    opt.min_thermal_turns = 3;
    display.ChatActive = 1;
    EXPECT_EQ(UpdVNE(display, opt, "L", "mph"), 0);
    const DisplayStateRecord& d = display;
    EXPECT_EQ(d.vne, 270);
    EXPECT_EQ(d.status.margin, 10);
    EXPECT_EQ(d.dv2, 20);
    EXPECT_EQ(d.WindDir, 270.0F);
    EXPECT_EQ(d.WindSpeed, 12.0F);
    EXPECT_EQ(d.KeyChatO, 84);
    EXPECT_EQ(d.ScnChatO, 20);
    EXPECT_EQ(d.ScnBugW, 48);
    EXPECT_EQ(d.BugWipers, 1); // no window: the picture waits, nothing breaks
    EXPECT_EQ(d.MinThTurns, 3.0F);
    EXPECT_EQ(d.cunit, "mph");
    EXPECT_EQ(d.ChatActive, 0);
    EXPECT_EQ(d.GotPlaneData, 1);
}

TEST_F(DisplayUpdates, FlapModeChangeIsTimed) {
    display.LastFlapUpdate = 0.0;
    UpdFlp(display, "L", 0);
    EXPECT_EQ(display.cflap, "L");
    EXPECT_EQ(display.LastFlapUpdate, 0.0); // same mode: no new blinking
    const double before = display_clock();
    UpdFlp(display, "+2", 1);
    EXPECT_EQ(display.modflap, 1);
    EXPECT_GE(display.LastFlapUpdate, before);
    const double changed = display.LastFlapUpdate;
    UpdFlp(display, "+2", 1);
    EXPECT_EQ(display.LastFlapUpdate, changed);
}

class PacketValues : public DisplayUpdates {
  protected:
    void hand_over() {
        UpdAng(display, "00:01:02", "01:00:00", "12:30:00", val, trace, nbpol, nbfpl, polar);
    }
    InstrumentReading val;
    SpeedTrace trace{};
    PolarTable polar{};
    int nbpol = 0;
    int nbfpl = 0;
};

TEST_F(PacketValues, ValuesAndTextsReachTheDisplayState) {
    val.bank = 12.5;
    val.pitch = -3.0;
    val.heading = 275.0;
    val.water = 99.9;
    val.ias = 123.7;
    val.wind_direction = 45.0;
    val.wind_speed = 18.0;
    val.yaw_string = 4.0;
    val.load_factor = 1.5;
    val.ground_speed = 140.9;
    val.thermal_turns = 2.5;
    hand_over();
    const DisplayStateRecord& d = display;
    EXPECT_EQ(d.bank, 12.5F);
    EXPECT_EQ(d.pitch, -3.0F);
    EXPECT_EQ(d.compass, 275.0F);
    EXPECT_EQ(d.wmass, 99);
    EXPECT_EQ(d.IAS, 123);
    EXPECT_EQ(d.GS, 140);
    EXPECT_EQ(d.WindDir, 45.0F);
    EXPECT_EQ(d.slip, 4.0F);
    EXPECT_EQ(d.ThTurns, 2.5F);
    EXPECT_EQ(d.buf_tim, "00:01:02");
    EXPECT_EQ(d.buf_tsktim, "01:00:00");
    EXPECT_EQ(d.buf_clk, "12:30:00");
    EXPECT_EQ(d.buf_b, "99");
}

TEST_F(PacketValues, LoadFactorExtremesAreKeptWhenShown) {
    display.DisG = 1;
    for (double g : {1.2, 3.5, -0.8, 1.0}) {
        val.load_factor = g;
        hand_over();
    }
    EXPECT_FLOAT_EQ(display.GMax, 3.5F);
    EXPECT_FLOAT_EQ(display.GMin, -0.8F);
    display = DisplayStateRecord{};
    display.DisG = 0;
    val.load_factor = 4.0;
    hand_over();
    EXPECT_FLOAT_EQ(display.GMax, 1.0F);
}

TEST_F(PacketValues, GliderWithoutTanksAndBrokenValuesDoNotCrash) {
    display.wmass_max = 0;
    val.water = std::numeric_limits<double>::quiet_NaN();
    val.ias = 1e300;
    val.ground_speed = -std::numeric_limits<double>::infinity();
    hand_over();
    EXPECT_EQ(display.ywb, 0);
    EXPECT_EQ(display.wmass, 0);
    EXPECT_EQ(display.IAS, 1000000000);
    EXPECT_EQ(display.GS, -1000000000);
}

TEST_F(PacketValues, PolarDataIsTakenOnlyInPolarMode) {
    val.energy_vario = -1.5;
    trace[0] = 25.0;
    nbfpl = 3;
    polar[1] = {20.0, -0.7};
    polar[3] = {30.0, -1.2};
    hand_over();
    EXPECT_EQ(display.DrawPol, 0);
    EXPECT_EQ(display.vval[0], 0.0F);

    display.Polar = 1;
    hand_over();
    const DisplayStateRecord& d = display;
    EXPECT_EQ(d.evario, -1.5F);
    EXPECT_EQ(d.vval[0], 25.0F);
    EXPECT_EQ(d.NbFpl, 3);
    EXPECT_EQ(d.DrawPol, 1);
    EXPECT_EQ(d.vvpol[0][0], 20.0F);
    EXPECT_EQ(d.vvpol[2][1], -1.2F);
}

TEST_F(PacketValues, PolarCountsBeyondTheTablesAreCut) {
    display.Polar = 1;
    nbfpl = 100000;
    nbpol = -5;
    hand_over();
    EXPECT_EQ(display.NbFpl, kPolarPoints);
    EXPECT_EQ(display.NbPol, 0);
}

} // namespace
} // namespace kalveo
