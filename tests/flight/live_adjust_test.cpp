// The pilot's changes in flight: alarm switch and margin, volume, flap sounds.
#include "config/records.h"
#include "flight/live_adjust.h"
#include "flight/records.h"
#include "flight_test_support.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

using LiveAdjust = FlightTest;

TEST_F(LiveAdjust, MarginInKnotsMovesOnlyTheAlarmStart) {
    my_tas_0.fconv = 1.9438444;
    my_tas_0.vne = 75.0;
    my_tas_0.va2 = 80.0;
    update_dv1(8);
    EXPECT_NEAR(my_tas_0.dv1, 4.1155, 1e-4);
    EXPECT_NEAR(my_tas_0.va1, 75.0 - 4.1155, 1e-4);
    EXPECT_DOUBLE_EQ(my_tas_0.va2, 80.0);
}

TEST_F(LiveAdjust, NewMarginSoundsFromTheNextPacket) {
    TestFlight f({.vne = 75.0});
    my_tas_0.fconv = 1.9438444;
    const Datagram at_72 = Datagram().set("airspeed", 72.0).set("altitude", 0.0);
    f.send(at_72);
    EXPECT_TRUE(f.rec.sounds.empty()) << "72 m/s is below va1 = 75 - 10 km/h";
    update_dv1(8);
    f.send(at_72);
    EXPECT_EQ(f.rec.sounds.size(), 1u);
}

TEST_F(LiveAdjust, AlarmSwitch) {
    enable_vne(0);
    EXPECT_FALSE(my_tas_1.vne_act);
    enable_vne(5);
    EXPECT_TRUE(my_tas_1.vne_act);
}

TEST_F(LiveAdjust, VolumeReachesTheAlarmSounds) {
    TestFlight f({.vne = 60.0});
    update_vol(0.8);
    EXPECT_DOUBLE_EQ(volumes.sndvol, 0.8);
    f.send(Datagram().set("airspeed", 70.0).set("altitude", 0.0));
    ASSERT_EQ(f.rec.sounds.size(), 1u);
    EXPECT_DOUBLE_EQ(f.rec.sounds[0].vol, 0.8);
}

TEST_F(LiveAdjust, FlapSoundsOnlyForGlidersWithFlaps) {
    update_flap_sound(1);
    EXPECT_FALSE(my_tas_1.qflap_beep) << "no flaps";
    flaps_0.nflap = 4;
    update_flap_sound(1);
    EXPECT_TRUE(my_tas_1.qflap_beep);
    update_flap_sound(0);
    EXPECT_FALSE(my_tas_1.qflap_beep);
}

TEST_F(LiveAdjust, RunStateSetters) {
    start_avn(RunState::running);
    start_ave(RunState::stopped);
    start_stopwatch(RunState::reset);
    EXPECT_EQ(chrono.run_nv, RunState::running);
    EXPECT_EQ(chrono.run_iv, RunState::stopped);
    EXPECT_EQ(chrono.run_tim, RunState::reset);
    EXPECT_EQ(chrono.run_tsktim, RunState::reset) << "untouched";
    start_task_timer(RunState::running);
    EXPECT_EQ(chrono.run_tsktim, RunState::running);
    EXPECT_EQ(chrono.run_tim, RunState::reset) << "untouched";
    write_pol();
    EXPECT_TRUE(my_tas_0.qwrpol);
}

} // namespace
} // namespace kalveo
