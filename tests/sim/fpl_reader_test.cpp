// Reading flight plans.
#include "sample_install/sample_files.h"
#include "sim/fpl.h"
#include "sim/records.h"
#include "sim_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace kalveo {
namespace {

using ::testing::HasSubstr;
using testing::SimTest;

class FplReading : public SimTest {
  protected:
    // Reads the text into plan_; returns the number of lines read.
    int read(const std::string& text) {
        std::istringstream in(text);
        int nl = 0;
        int ios = -1;
        ::testing::internal::CaptureStdout();
        plan_ = read_fpl(in, inst_, true, false, nl, ios);
        console_ = ::testing::internal::GetCapturedStdout();
        EXPECT_EQ(ios, 0);
        return nl;
    }

    Installation inst_;
    FlightPlan plan_;
    std::string console_;
};

TEST_F(FplReading, RealVersion3PlanFillsEveryFieldInUse) {
    read(testing::read_file(testing::env_folder("KALVEO_SAMPLES") / "condor3_minimal.fpl"));
    EXPECT_EQ(plan_.task.fpl_vers, 3);
    EXPECT_EQ(plan_.task.nb_wp, 3);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[0], 400);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[1], 908);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[2], 686);
    EXPECT_EQ(plan_.scenery.landscape, "AA3");
    EXPECT_EQ(plan_.zone_bugs.wzcount, 1);
    EXPECT_DOUBLE_EQ(plan_.zones.thermalstemp[0], 22 + 273.15);
    EXPECT_DOUBLE_EQ(plan_.zones.winddir[0], 0);
    EXPECT_DOUBLE_EQ(plan_.zones.windspeed[0], 0);
    EXPECT_EQ(plan_.zone_bugs.thermalsbugs[0], 0);
    EXPECT_DOUBLE_EQ(plan_.weather.pressure, 0); // version 3 plans carry none
    EXPECT_TRUE(plan_.options.allowbugwipers);
    EXPECT_EQ(plan_.glider.glnam, "LS8neo");
    EXPECT_EQ(plan_.glider.glclass, "All");
    EXPECT_EQ(plan_.glider.glskin, "Default");
    EXPECT_DOUBLE_EQ(plan_.water, 0);
    EXPECT_DOUBLE_EQ(plan_.fixed_mass, 0);
    EXPECT_EQ(plan_.glider_options.glseat, 1);
    EXPECT_TRUE(plan_.glider_options.qbugwipers);
    EXPECT_THAT(console_, HasSubstr(" Condor_version=3"));
    EXPECT_THAT(console_, HasSubstr(" Number of legs=1"));
}

TEST_F(FplReading, Version2PlanKeepsPressureAndBaseZoneInWeather) {
    SampleFlightPlan plan = default_flight_plan(2);
    plan.pressure_hpa = 1013.25;
    plan.zones[0].temperature = 25;
    plan.zones[1].wind_dir = 200;
    plan.water = 120.5;
    plan.fixed_mass = 8;
    read(flight_plan_text(plan));
    EXPECT_EQ(plan_.task.fpl_vers, 2);
    EXPECT_DOUBLE_EQ(plan_.weather.pressure, 101325);
    EXPECT_DOUBLE_EQ(plan_.zones.thermalstemp[0], 298.15);
    EXPECT_DOUBLE_EQ(plan_.zones.winddir[0], 270);
    EXPECT_DOUBLE_EQ(plan_.zones.windspeed[0], 4.5);
    EXPECT_DOUBLE_EQ(plan_.zones.winddir[1], 200);
    EXPECT_EQ(plan_.zone_bugs.thermalsbugs[1], 2);
    EXPECT_EQ(plan_.zone_bugs.wzcount, 2);
    EXPECT_DOUBLE_EQ(plan_.water, 120.5);
    EXPECT_DOUBLE_EQ(plan_.fixed_mass, 8);
    EXPECT_EQ(plan_.glider.glnam, "Discus2a");
}

TEST_F(FplReading, VersionNumberAndZoneSections) {
    read("[Version]\r\nCondor version=2100\r\n[WeatherZone2]\r\nThermalsTemp=25\r\n"
         "WindSpeed=7.5\r\nPressure=1013.25\r\n");
    EXPECT_EQ(plan_.task.fpl_vers, 2);
    EXPECT_DOUBLE_EQ(plan_.zones.thermalstemp[2], 298.15);
    EXPECT_DOUBLE_EQ(plan_.zones.windspeed[2], 7.5);
    EXPECT_DOUBLE_EQ(plan_.zones.thermalstemp[0], 0);
    EXPECT_DOUBLE_EQ(plan_.weather.pressure, 101325);
}

TEST_F(FplReading, LconPrefixesAndTheEndOfTheUsefulPart) {
    const int lines = read("LCONFPL[Plane]\r\nLCONFPLName=ASW28\r\nLCONFPLWater=90\r\n"
                           "LCONFlightInfo\r\n[Plane]\r\nName=Ka6\r\n");
    EXPECT_EQ(plan_.glider.glnam, "ASW28");
    EXPECT_DOUBLE_EQ(plan_.water, 90);
    EXPECT_EQ(lines, 3);
}

TEST_F(FplReading, KeysCountOnlyInTheirSection) {
    read("[Task]\nCount=2\nName=Task name\n[Plane]\nCount=9\nName=LS4\nWindDir=90\n"
         "[GameOptions]\nName=Options\nWater=50\nWindSpeed=9\n");
    EXPECT_EQ(plan_.task.nb_wp, 2);
    EXPECT_EQ(plan_.glider.glnam, "LS4");
    EXPECT_DOUBLE_EQ(plan_.water, 0);
    EXPECT_DOUBLE_EQ(plan_.zones.winddir[0], 0);
    EXPECT_DOUBLE_EQ(plan_.zones.windspeed[0], 0);
}

TEST_F(FplReading, OutOfRangeZonesAndTurnpointsAreIgnored) {
    read("[WeatherZone17]\nThermalsTemp=30\nWindDir=45\n[WeatherZone16]\nWindDir=33\n"
         "[WeatherZone-1]\nWindDir=44\n[WeatherZonex]\nWindDir=55\n"
         "TPPosZ31=1234\nTPPosZ30=777\nTPPosZ-1=5\nTPPosZ=6\n");
    EXPECT_DOUBLE_EQ(plan_.zones.winddir[16], 33);
    for (int z = 0; z < 16; ++z)
        EXPECT_DOUBLE_EQ(plan_.zones.winddir[z], 0) << z;
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[30], 777);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[0], 0);
}

TEST_F(FplReading, UnreadableAndEmptyNumbersKeepTheEarlierValue) {
    read("[Plane]\nWater=55\nSeat=2\nWater=\nFixedMass=lots\nSeat=1.5\nCGBias=\n[Task]\n"
         "Count=abc\nTPPosZ0=high\n[Weather]\nWZCount=two\nThermalsTemp=warm\n");
    EXPECT_DOUBLE_EQ(plan_.water, 55);
    EXPECT_DOUBLE_EQ(plan_.fixed_mass, 0);
    EXPECT_EQ(plan_.glider_options.glseat, 2);
    EXPECT_EQ(plan_.task.nb_wp, 0);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[0], 0);
    EXPECT_DOUBLE_EQ(plan_.zones.thermalstemp[0], 0);
}

TEST_F(FplReading, EachPlanStartsFromNothing) {
    read("[Task]\nCount=3\nTPPosZ2=500\n[Plane]\nName=LS8\nSeat=2\n");
    read("[Version]\nCondor version=3000\n");
    EXPECT_EQ(plan_.task.nb_wp, 0);
    EXPECT_DOUBLE_EQ(plan_.turnpoints.tpz[2], 0);
    EXPECT_EQ(plan_.glider.glnam, "");
    EXPECT_EQ(plan_.glider_options.glseat, 1);
    EXPECT_TRUE(plan_.options.qpda);
}

TEST_F(FplReading, TextsAreCutAndLongLinesSurvive) {
    const std::string long_name(40, 'N');
    std::string text = "[Plane]\r\nName=" + long_name + "\r\nClass=" + std::string(500, 'C') +
                       "\r\n" + std::string(200, ' ') +
                       "Water=80\r\n[Task]\r\nLandscape=" + std::string(70, 'L') + "\r\n";
    text += std::string(3, '\0') + "\xff\xfe=\x01\r\n";
    read(text);
    EXPECT_EQ(plan_.glider.glnam, std::string(32, 'N'));
    EXPECT_EQ(plan_.glider.glclass, std::string(32, 'C'));
    EXPECT_EQ(plan_.scenery.landscape, std::string(64, 'L'));
    // The value lies beyond the 132 characters looked at.
    EXPECT_DOUBLE_EQ(plan_.water, 0);
}

TEST_F(FplReading, GliderOptionsAndFlags) {
    read(
        "[Plane]\nCGBias=-0.5\nSeat=2\nBugwipers=Yes\nSkin=Red\n[GameOptions]\nAllowBugwipers=0\n");
    EXPECT_DOUBLE_EQ(plan_.glider_options.cgbias, -0.5);
    EXPECT_EQ(plan_.glider_options.glseat, 2);
    EXPECT_TRUE(plan_.glider_options.qbugwipers);
    EXPECT_FALSE(plan_.options.allowbugwipers);
    EXPECT_EQ(plan_.glider.glskin, "Red");
    read("[Plane]\nBugwipers=True\n");
    EXPECT_FALSE(plan_.glider_options.qbugwipers);
}

TEST_F(FplReading, Version3LandscapeMakesVersion3Active) {
    install();
    inst_.condor_version = 2;
    read("[Version]\nCondor version=3100\n[Task]\nLandscape=AA3\n");
    EXPECT_EQ(inst_.condor_version, 3);
    EXPECT_EQ(inst_.instpath3, "C:\\Condor3");
}

TEST_F(FplReading, MoreThan31TurnpointsStopsTheProgram) {
    read("[Task]\nCount=31\n");
    EXPECT_EQ(plan_.task.nb_wp, 31);
    const auto console = folder() / "console.txt";
    EXPECT_EXIT(
        {
            testing::stdout_to_file(console);
            std::istringstream in("[Task]\nCount=32\n");
            int nl = 0;
            int ios = 0;
            (void)read_fpl(in, inst_, false, false, nl, ios);
        },
        ::testing::ExitedWithCode(1), "");
    EXPECT_THAT(testing::read_text(console),
                HasSubstr("text=\"XCSoar does not support more than 30 turnpoints\""));
}

} // namespace
} // namespace kalveo
