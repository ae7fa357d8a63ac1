// The VNE alarm: levels, volumes and pacing, through the cycle with a fake clock.
#include "flight/records.h"
#include "flight/vne_alarm.h"
#include "flight_test_support.h"

#include <gtest/gtest.h>
#include <vector>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

constexpr double kVa1 = 60.0;                 // m/s
constexpr double kGlider = kVa1 + 10.0 / 3.6; // VNE with the default 10 km/h margin

// Level-by-level TAS at sea level, where TAS equals IAS.
Datagram at(double tas) {
    return Datagram().set("airspeed", tas).set("altitude", 0.0);
}

// Flies `seconds` at one speed in 1 ms packets; returns the start times of the sounds.
std::vector<double> fly(TestFlight& f, double tas, double seconds) {
    const std::size_t before = f.rec.sounds.size();
    for (int ms = 0; ms < static_cast<int>(seconds * 1000.0); ++ms)
        f.send(at(tas), 0.001);
    std::vector<double> times;
    for (std::size_t i = before; i < f.rec.sounds.size(); ++i)
        times.push_back(f.rec.sounds[i].at);
    return times;
}

using VneAlarm = FlightTest;

TEST_F(VneAlarm, LevelsAreQuartersOfTheBand) {
    const double dv2 = 20.0 / 3.6;
    EXPECT_EQ(alarm_level(0.5, dv2), 0);
    EXPECT_EQ(alarm_level(1.4, dv2), 1);
    EXPECT_EQ(alarm_level(dv2 * 0.74, dv2), 2);
    EXPECT_EQ(alarm_level(6.0, dv2), 3);
    EXPECT_EQ(alarm_level(100.0, dv2), 3);
    EXPECT_EQ(alarm_level(1.0, 0.0), 3) << "a band of no width is all top level";
    EXPECT_EQ(alarm_level(1.0, -5.0), 0);
}

TEST_F(VneAlarm, PauseShrinksWithTheLevelAndLongTopSoundsRunBackToBack) {
    EXPECT_DOUBLE_EQ(next_alarm_start(0, 0.3, 10.0), 11.1);
    EXPECT_DOUBLE_EQ(next_alarm_start(2, 0.3, 10.0), 10.9);
    EXPECT_DOUBLE_EQ(next_alarm_start(3, 0.3, 10.0), 10.6);
    EXPECT_DOUBLE_EQ(next_alarm_start(0, 1.0, 10.0), 11.8) << "pause at most 0.8 s";
    EXPECT_DOUBLE_EQ(next_alarm_start(3, 2.0, 10.0), 12.0);
    EXPECT_DOUBLE_EQ(next_alarm_start(3, 0.0, 10.0), 10.0);
}

TEST_F(VneAlarm, EachLevelPlaysItsSoundAtItsVolume) {
    const double tas_of_level[] = {60.5, 61.4, 63.0, 66.0};
    for (int level = 0; level < 4; ++level) {
        TestFlight f({.vne = kGlider});
        f.send(at(tas_of_level[level]));
        ASSERT_EQ(f.rec.sounds.size(), 1u) << "level " << level;
        EXPECT_EQ(f.rec.sounds[0].level, level);
        EXPECT_FALSE(f.rec.sounds[0].call);
        EXPECT_DOUBLE_EQ(f.rec.sounds[0].vol, (0.7 + 0.1 * level) * 0.5);
    }
}

TEST_F(VneAlarm, SoundsOnlyStrictlyAboveTheAlarmSpeed) {
    double temps_vne = 0.0;
    MyTas0Record alarm;
    alarm.va1 = kVa1;
    alarm.dv2 = 20.0 / 3.6;
    FlightOutputs out;
    int played = 0;
    out.play_alarm = [&](int, double) { ++played; };
    const PilotControls controls;
    sound_vne_alarm(kVa1, 5.0, controls, alarm, temps_vne, out);
    EXPECT_EQ(played, 0);
    sound_vne_alarm(kVa1 + 1e-6, 5.0, controls, alarm, temps_vne, out);
    EXPECT_EQ(played, 1);

    TestFlight f({.vne = kGlider});
    EXPECT_TRUE(fly(f, 59.99, 1.0).empty());
    EXPECT_FALSE(fly(f, 60.01, 0.1).empty());
}

TEST_F(VneAlarm, RepeatsAfterSoundAndPauseToTheMillisecond) {
    TestFlight f({.vne = kGlider});
    const std::vector<double> level0 = fly(f, 60.5, 3.5);
    ASSERT_GE(level0.size(), 3u);
    for (std::size_t i = 1; i < level0.size(); ++i) {
        EXPECT_NEAR(level0[i] - level0[i - 1], 1.1, 0.0011) << "0.3 s sound + 0.8 s pause";
    }
    f.send(at(50.0), 1.2); // slow down long enough for the pause to end
    const std::vector<double> level2 = fly(f, 63.0, 3.0);
    ASSERT_GE(level2.size(), 3u);
    for (std::size_t i = 1; i < level2.size(); ++i) {
        EXPECT_NEAR(level2[i] - level2[i - 1], 0.9, 0.0011) << "0.3 s sound + 0.6 s pause";
    }
}

TEST_F(VneAlarm, LongTopLevelSoundRepeatsBackToBack) {
    TestFlight f({.vne = kGlider});
    f.rec.outputs.sound_lengths.alarm[3] = 2.0;
    const std::vector<double> times = fly(f, 70.0, 6.5);
    ASSERT_EQ(times.size(), 4u);
    for (std::size_t i = 1; i < times.size(); ++i)
        EXPECT_NEAR(times[i] - times[i - 1], 2.0, 0.0011);
}

TEST_F(VneAlarm, SilentBelowTheAlarmSpeedAndWhenSwitchedOff) {
    TestFlight f({.vne = kGlider});
    EXPECT_TRUE(fly(f, 55.0, 1.0).empty());
    f.cycle.switch_alarm(false);
    EXPECT_TRUE(fly(f, 80.0, 2.0).empty());
    f.cycle.switch_alarm(true);
    EXPECT_EQ(fly(f, 80.0, 0.01).size(), 1u) << "back on at the next packet";
}

TEST_F(VneAlarm, TheTrueAirspeedCountsNotTheIndicated) {
    TestFlight f({.vne = kGlider});
    // 55 m/s indicated is below va1, but at 6000 m it is well above it in true airspeed.
    f.send(Datagram().set("airspeed", 55.0).set("altitude", 0.0));
    EXPECT_TRUE(f.rec.sounds.empty());
    f.send(Datagram().set("airspeed", 55.0).set("altitude", 6000.0));
    EXPECT_EQ(f.rec.sounds.size(), 1u);
}

TEST_F(VneAlarm, MarginChangedInFlightMovesTheAlarmStart) {
    TestFlight f({.vne = kGlider});
    EXPECT_TRUE(fly(f, 59.0, 0.5).empty());
    for (int step = 0; step < 5; ++step)
        f.cycle.lower_margin(); // 5 km/h margin: va1 = vne - 1.39 m/s
    EXPECT_NEAR(f.records().my_tas_0.va1, kGlider - 5.0 / 3.6, 1e-9);
    EXPECT_FALSE(fly(f, 62.0, 0.05).empty());
}

TEST_F(VneAlarm, ASoundThatDidNotLoadIsTriedAgainNextPacket) {
    TestFlight f({.vne = kGlider});
    f.rec.outputs.sound_lengths = {};
    EXPECT_EQ(fly(f, 61.0, 0.01).size(), 10u);
}

} // namespace
} // namespace kalveo
