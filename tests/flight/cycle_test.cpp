// The per-packet cycle end to end: start-up gate, true airspeed, time steps, kept values.
#include "config/records.h"
#include "flight/cycle.h"
#include "flight/records.h"
#include "flight_test_support.h"
#include "glider/records.h"
#include "sim/records.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <random>
#include <string>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

// The standard atmosphere's true/indicated airspeed factor, from its textbook form.
double isa_factor(double z) {
    const double t = 288.15 - 0.0065 * z;
    const double p = 101325.0 * std::pow(1.0 - 0.0065 * z / 288.15, 5.254988);
    return std::sqrt(1.2247922 / (p * 0.02896 / 8.314462 / t));
}

Datagram cruise(double ias, double altitude) {
    return Datagram().set("airspeed", ias).set("altitude", altitude);
}

using Cycle = FlightTest;

TEST_F(Cycle, BeforeStartUpHasFinishedEveryDatagramGives25AndChangesNothing) {
    TestFlight f;
    f.cycle.hold_datagrams(true);
    EXPECT_EQ(f.send(cruise(80.0, 1000.0)), kNotInitialisedResult);
    EXPECT_FALSE(f.records().condor_started);
    EXPECT_EQ(f.rec.angle_calls, 0);
    EXPECT_TRUE(f.rec.layouts.empty());
    EXPECT_TRUE(f.rec.sounds.empty());
}

TEST_F(Cycle, FirstDatagramSetsUpTheFlightOnce) {
    TestFlight f;
    f.send(cruise(30.0, 500.0));
    f.send(cruise(30.0, 500.0));
    EXPECT_TRUE(f.records().condor_started);
    ASSERT_EQ(f.rec.layouts.size(), 1u);
    EXPECT_EQ(f.rec.layouts[0].values.vne, 250) << "VNE in km/h";
    EXPECT_EQ(f.rec.layouts[0].unit, "kmh");
    EXPECT_EQ(f.rec.angle_calls, 2);
}

TEST_F(Cycle, ASettingsRestartSetsUpTheNextFlight) {
    TestFlight f;
    f.send(cruise(30.0, 500.0));
    f.change_settings([](Settings& s) { s.speeds.vne = 180.0; }); // the next pass
    f.send(cruise(30.0, 500.0));
    ASSERT_EQ(f.rec.layouts.size(), 2u);
    EXPECT_EQ(f.rec.layouts[1].values.vne, 250) << "the next flight's glider data";
}

TEST_F(Cycle, TrueAirspeedFollowsTheStandardAtmosphere) {
    TestFlight f;
    EXPECT_EQ(f.send(cruise(30.0, 0.0)), 108) << "at sea level TAS equals IAS";
    for (const double z : {1000.0, 3000.0, 6000.0}) {
        const int tas = f.send(cruise(30.0, z));
        EXPECT_EQ(tas, std::lround(30.0 * isa_factor(z) * 3.6)) << z << " m";
        EXPECT_DOUBLE_EQ(f.rec.last.reading.ias, 108.0) << "IAS stays";
    }
}

TEST_F(Cycle, TrueAirspeedFollowsTheTaskWeather) {
    FlightPlan plan;
    plan.weather.pressure = 101325.0;
    plan.zones.thermalstemp[0] = 298.15; // 25 degrees C
    TestFlight f({}, plan);
    f.send(cruise(30.0, 0.0));
    f.records().my_tas_0.qatmo_isa = false;
    const double z = 3000.0;
    const double t_c = (2.0 * 298.15 - 0.0065 * z) / 2.0;
    const double factor = std::sqrt(std::exp(9.80665 * z / (287.0 * t_c)));
    EXPECT_EQ(f.send(cruise(30.0, z)), std::lround(30.0 * factor * 3.6));
    EXPECT_NE(std::lround(factor * 1000), std::lround(isa_factor(z) * 1000));
}

TEST_F(Cycle, AltitudeInFeetAndTheQfeOffsetReachTheAtmosphere) {
    TestFlight f;
    f.send(cruise(30.0, 0.0));
    f.records().my_tas_0.fconv_alt = 0.3048;
    EXPECT_EQ(f.send(cruise(30.0, 3000.0 / 0.3048)), std::lround(30.0 * isa_factor(3000.0) * 3.6));
    f.records().my_tas_0.fconv_alt = 1.0;
    f.records().my_tas_0.z_0 = 400.0;
    EXPECT_EQ(f.send(cruise(30.0, 2600.0)), std::lround(30.0 * isa_factor(3000.0) * 3.6));
}

TEST_F(Cycle, ResultIsInTheDisplayUnit) {
    TestFlight f;
    f.send(cruise(30.0, 0.0));
    f.records().my_tas_0.fconv = kSpeedUnitFactors[1];
    EXPECT_EQ(f.send(cruise(30.0, 0.0)), 58) << "30 m/s in knots";
}

TEST_F(Cycle, FirstTimeStepIsOneMillisecondAndNeverLess) {
    TestFlight f;
    // A stopped netto average shows the integral, so the time step shows.
    f.cycle.press_netto_average(false);
    f.cycle.press_netto_average(false);
    f.send(Datagram().set("nettovario", 2.0).set("bank", 0.0));
    EXPECT_NEAR(f.rec.last.reading.netto_average, (2.0 + 0.0) / 2.0 * 0.001, 1e-9);
    const double first = f.rec.last.reading.netto_average;
    f.send(Datagram().set("nettovario", 2.0), 0.0); // the same time again
    EXPECT_NEAR(f.rec.last.reading.netto_average - first, 2.0 * 0.001, 1e-9);
}

TEST_F(Cycle, HeadingAndWindFromTheCompass) {
    TestFlight f;
    // Flying north at 30 m/s TAS with a ground velocity that holds a 5 m/s wind.
    Datagram d = cruise(30.0, 0.0).set("vz", 0.0).set("compass", 0.0);
    const int first = f.send(d.set("vx", 0.0).set("vy", 30.0));
    EXPECT_EQ(first, 108);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.heading, 0.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.wind_speed, 0.0)
        << "ground speed equals air speed: no wind";
    EXPECT_DOUBLE_EQ(f.rec.last.reading.ground_speed, 108.0);
    f.send(d.set("vx", 5.0).set("vy", 30.0));
    EXPECT_DOUBLE_EQ(f.rec.last.reading.wind_speed, 18.0) << "5 m/s of wind in km/h";
}

TEST_F(Cycle, WithoutCompassTheTrackGivesTheHeadingAndThePlanTheWind) {
    FlightPlan plan;
    plan.zones.winddir[0] = 270.0;
    plan.zones.windspeed[0] = 5.0;
    TestFlight f({}, plan);
    f.send(cruise(30.0, 0.0).remove("compass").set("vx", 0.0).set("vy", 30.0));
    EXPECT_NEAR(f.rec.last.reading.heading, 0.0, 1e-9) << "track north";
    EXPECT_DOUBLE_EQ(f.rec.last.reading.wind_direction, 90.0)
        << "the plan's wind turned by 180 degrees";
    EXPECT_DOUBLE_EQ(f.rec.last.reading.wind_speed, 18.0) << "the plan's 5 m/s in the display unit";
    f.send(cruise(30.0, 0.0).remove("compass").set("vx", -30.0).set("vy", 0.0));
    EXPECT_NEAR(f.rec.last.reading.heading, 90.0, 1e-9);
}

TEST_F(Cycle, AttitudeIsShownInDegrees) {
    TestFlight f;
    f.send(Datagram().set("bank", 0.5).set("pitch", -0.1).set("yawstringangle", 3.0));
    EXPECT_NEAR(f.rec.last.reading.bank, 28.6479, 1e-4);
    EXPECT_NEAR(f.rec.last.reading.pitch, -5.72958, 1e-5);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.yaw_string, 3.0);
}

TEST_F(Cycle, OptionalKeysSetValuesThatHold) {
    TestFlight f(
        {.flaps = {
             {20.0, "L"}, {25.0, "+2"}, {30.0, "0"}, {40.0, "-2"}, {45.0, "S"}, {50.0, "-4"}}});
    f.send(Datagram().set("flaps", 3).set("MC", 1.5).set("water", 120.0).set("gforce", 1.4));
    EXPECT_EQ(f.records().flaps_0.nfl_act, 3);
    EXPECT_TRUE(f.records().my_tas_0.qflap_c && f.records().my_tas_0.qmc_c &&
                f.records().my_tas_0.qball_c);
    EXPECT_DOUBLE_EQ(f.cycle.facts().glider.flown.calage, 1.5);
    EXPECT_DOUBLE_EQ(f.cycle.facts().glider.masses.cmass, 350.0 + 120.0);
    f.send(Datagram().remove("flaps").remove("MC").remove("water").remove("gforce"));
    EXPECT_EQ(f.records().flaps_0.nfl_act, 3);
    EXPECT_DOUBLE_EQ(f.cycle.facts().glider.masses.wmass, 120.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.water, 120.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.load_factor, 1.4);
}

TEST_F(Cycle, BadOrMissingValuesKeepThePreviousPacketsValues) {
    TestFlight f;
    const Datagram d = cruise(30.0, 1000.0).set("bank", 0.2);
    const int tas = f.send(d);
    EXPECT_EQ(f.send(Datagram(d).set_text("airspeed", "nan").set_text("bank", "")), tas);
    EXPECT_EQ(f.send(Datagram(d).remove("airspeed").set_text("altitude", "x")), tas);
    f.send(Datagram(d).remove("bank"));
    EXPECT_NEAR(f.rec.last.reading.bank, 0.2 * 180.0 / std::numbers::pi, 1e-9);
    f.send(Datagram().set("airspeed", 30.0).remove("nettovario").remove("evario"));
    EXPECT_DOUBLE_EQ(f.rec.last.reading.netto, 0.0) << "no netto key: netto 0";
}

TEST_F(Cycle, DatagramWithoutAirspeedAndTimeChangesNothing) {
    TestFlight f;
    const int tas = f.send(cruise(30.0, 0.0));
    const int calls = f.rec.angle_calls;
    EXPECT_EQ(f.send_raw("altitude=3000\nbank=1\nwater=50\n"), tas);
    EXPECT_EQ(f.send_raw("airspeed=nan\ntime=inf\n"), tas);
    EXPECT_EQ(f.rec.angle_calls, calls);
    EXPECT_DOUBLE_EQ(f.cycle.facts().glider.masses.wmass, 0.0);
}

TEST_F(Cycle, ADatagramStartingLikeAFatalLogMessageIsJustADatagram) {
    // Its start is logged: a "{F}" there once stopped the program (found by fuzzing).
    TestFlight f;
    const int first = f.send_raw("{F}\r\n" + cruise(30.0, 500.0).text());
    EXPECT_GT(first, 0);
    EXPECT_GT(f.send_raw("CREATE x\r\n" + cruise(30.0, 500.0).text()), 0);
    EXPECT_EQ(f.rec.angle_calls, 2);
}

TEST_F(Cycle, GarbageNeverStartsAFlightNorSoundsTheAlarm) {
    TestFlight f({.vne = 20.0});
    f.rec.outputs.sound_lengths = {};
    std::mt19937 random(7);
    std::uniform_int_distribution<int> byte(0, 255);
    std::string noise(1024, 'x');
    for (int round = 0; round < 200; ++round) {
        for (char& c : noise)
            c = static_cast<char>(byte(random));
        f.send_raw(noise);
    }
    f.send_raw(std::string(1024, 'a'));
    f.send_raw("airspeed=\ntime=\naltitude=\n=\n==\nairspeed\n");
    f.send_raw("airspeed=inf\ntime=nan\n");
    EXPECT_FALSE(f.records().condor_started);
    f.send_raw("airspeed=5\ntime=12\nflaps=-2147483648\n");
    f.send_raw("airspeed=5\ntime=12\nflaps=2147483647\n");
    EXPECT_TRUE(f.rec.sounds.empty());
    f.send(cruise(10.0, 500.0)); // slow flight, far below the alarm
    for (int round = 0; round < 200; ++round) {
        for (char& c : noise)
            c = static_cast<char>(byte(random));
        f.send_raw(noise);
        f.send_raw("time=12.5\nairspeed=nan\naltitude=1e300\nvz=inf\n");
    }
    EXPECT_TRUE(f.rec.sounds.empty());
}

TEST_F(Cycle, ADatagramAtRestGivesFiniteValues) {
    TestFlight f;
    // At rest the sample's vertical speed exceeds its airspeed.
    f.send_raw(Datagram().text());
    const InstrumentReading& r = f.rec.last.reading;
    for (const double value :
         {r.bank, r.pitch, r.netto, r.climb_average, r.netto_average, r.heading, r.water, r.ias,
          r.ground_speed, r.wind_direction, r.wind_speed, r.yaw_string, r.load_factor,
          r.thermal_turns, r.energy_vario, r.speed_change, r.min_sink_speed})
        EXPECT_TRUE(std::isfinite(value));
}

} // namespace
} // namespace kalveo
