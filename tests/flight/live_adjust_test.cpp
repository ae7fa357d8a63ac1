// The pilot's commands in flight: alarm switch and margin, volume, flap sounds, and what the
// cycle reports of them.
#include "config/records.h"
#include "flight/live_adjust.h"
#include "flight/records.h"
#include "flight_test_support.h"

#include <gtest/gtest.h>
#include <tuple>
#include <vector>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

using LiveAdjust = FlightTest;

// Made when a test needs it: the sample datagram is found through the tests' environment.
Datagram at_72() {
    return Datagram().set("airspeed", 72.0).set("altitude", 0.0);
}

TEST_F(LiveAdjust, MarginInKnotsMovesOnlyTheAlarmStartFromTheNextPacket) {
    TestFlight f({.vne = 75.0});
    f.records().my_tas_0.fconv = 1.9438444;
    f.cycle.raise_margin();
    EXPECT_EQ(f.cycle.status().margin, 10) << "no margin to move before the flight's set-up";
    f.send(at_72());
    EXPECT_TRUE(f.rec.sounds.empty()) << "72 m/s is below va1 = 75 - 10 km/h";
    EXPECT_EQ(f.cycle.status().margin, 5) << "10 km/h in whole knots";
    const double va2 = f.records().my_tas_0.va2;
    for (int step = 0; step < 3; ++step)
        f.cycle.raise_margin();
    EXPECT_EQ(f.cycle.status().margin, 8);
    EXPECT_NEAR(f.records().my_tas_0.va1, 75.0 - 8.0 / 1.9438444, 1e-9);
    EXPECT_DOUBLE_EQ(f.records().my_tas_0.va2, va2);
    f.send(at_72());
    EXPECT_EQ(f.rec.sounds.size(), 1u);
}

TEST_F(LiveAdjust, VolumeStepsAreHeardAndReachTheAlarm) {
    const std::vector<std::tuple<float, bool, float>> steps = {
        {0.98F, true, 1.0F},   {0.10F, true, 0.11F},  {0.15F, true, 0.17F},  {0.25F, true, 0.28F},
        {0.35F, true, 0.40F},  {0.01F, false, 0.0F},  {0.16F, false, 0.14F}, {0.27F, false, 0.24F},
        {0.38F, false, 0.33F}, {0.50F, false, 0.45F}, {0.0F, false, 0.0F}};
    for (const auto& [from, up, to] : steps)
        EXPECT_FLOAT_EQ(up ? next_volume_up(from) : next_volume_down(from), to)
            << from << " up " << up;

    TestFlight f({.vne = 60.0});
    f.change_settings([](Settings& s) { s.sound.volume = 0.75; });
    EXPECT_FLOAT_EQ(static_cast<float>(f.cycle.volume_up()), 0.8F);
    ASSERT_EQ(f.rec.sounds.size(), 1u);
    EXPECT_EQ(f.rec.sounds[0].level, 2) << "the pilot hears the new volume";
    EXPECT_FLOAT_EQ(static_cast<float>(f.rec.sounds[0].vol), 0.8F);
    f.rec.now += 5.0;
    f.send(Datagram().set("airspeed", 70.0).set("altitude", 0.0));
    ASSERT_EQ(f.rec.sounds.size(), 2u);
    EXPECT_FLOAT_EQ(static_cast<float>(f.rec.sounds[1].vol), 0.8F) << "level 3 at full volume";
    EXPECT_FLOAT_EQ(f.cycle.status().volume, 0.8F);
}

TEST_F(LiveAdjust, FlapSoundsSwitchOnlyForGlidersWithFlaps) {
    TestFlight plain;
    plain.change_settings([](Settings& s) { s.flaps.sounds_on = true; });
    plain.send(Datagram());
    plain.cycle.switch_flap_sounds(false);
    EXPECT_TRUE(plain.cycle.status().flap_sounds) << "no flaps: nothing to switch";

    TestFlight flapped({.flaps = {{0.0, "L"}, {25.0, "0"}}});
    flapped.send(Datagram());
    EXPECT_FALSE(flapped.cycle.status().flap_sounds) << "the setting's default";
    flapped.cycle.switch_flap_sounds(true);
    EXPECT_TRUE(flapped.cycle.status().flap_sounds);
}

TEST_F(LiveAdjust, StatusShowsAStartFromZeroAsRunningAndANewPassStartsAgain) {
    TestFlight f({.flaps = {{0.0, "L"}, {25.0, "0"}}});
    f.send(Datagram().set("altitude", 0.0));
    f.cycle.switch_alarm(false);
    f.cycle.toggle_stopwatch();
    f.cycle.toggle_climb_average();
    f.cycle.press_netto_average(false);
    f.cycle.press_task_timer(false);
    InstrumentStatus expected;
    expected.vne_alarm = false;
    expected.flap_sounds = false;
    expected.stopwatch = expected.climb_average = RunState::running;
    expected.netto_average = expected.task_timer = RunState::running;
    EXPECT_EQ(f.cycle.status(), expected);
    EXPECT_EQ(f.cycle.controls().chrono.run_tim, RunState::reset) << "starts at the next packet";

    f.records().texts.fplfile = "C:\\Pilots\\Flightplan.fpl";
    f.change_settings([](Settings& s) { s.sound.volume = 0.3; });
    expected = InstrumentStatus{};
    expected.flap_sounds = false;
    expected.volume = 0.3F;
    EXPECT_EQ(f.cycle.status(), expected);
    // The previous flight's glider, alarm speeds and plan are gone; the next datagram sets
    // up a new flight.
    const FlightRecords& r = f.records();
    EXPECT_FALSE(r.condor_started);
    EXPECT_EQ(r.flaps_0.nflap, 0);
    EXPECT_EQ(r.flaps_c.cflap[1], "");
    EXPECT_EQ(r.my_tas_0.va2, -10000.0);
    EXPECT_EQ(r.texts.fplfile, "");
}

} // namespace
} // namespace kalveo
