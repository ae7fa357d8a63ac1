// Averages, thermal turns and timers through the cycle; the small helpers they use.
#include "flight/angles.h"
#include "flight/records.h"
#include "flight/time_text.h"
#include "flight_test_support.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

constexpr double kBank45 = std::numbers::pi / 4.0;

Datagram straight(double netto) {
    return Datagram().set("airspeed", 30.0).set("bank", 0.0).set("nettovario", netto);
}

void fly(TestFlight& f, const Datagram& d, double seconds) {
    for (int i = 0; i < static_cast<int>(seconds / 0.04 + 0.5); ++i)
        f.send(d);
}

using Averages = FlightTest;

TEST_F(Averages, NettoAverageRunsInStraightFlightOnly) {
    TestFlight f;
    fly(f, straight(1.0), 2.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.netto_average, 0.0) << "reset state shows 0";
    f.cycle.press_netto_average(false);
    fly(f, straight(1.0), 10.0);
    EXPECT_NEAR(f.rec.last.reading.netto_average, 1.0, 1e-9);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.netto, 1.0) << "the netto itself";
    fly(f, straight(-3.0).set("bank", kBank45), 5.0); // into the turn
    const double in_turn = f.rec.last.reading.netto_average;
    fly(f, straight(-3.0).set("bank", kBank45), 20.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.netto_average, in_turn)
        << "circling leaves the average alone";
    f.records().my_tas_0.fconv_vz = 1.9438444;
    f.send(straight(-3.0).set("bank", kBank45));
    EXPECT_NEAR(f.rec.last.reading.netto_average, in_turn * 1.9438444, 1e-9)
        << "shown in vario units";
}

TEST_F(Averages, StoppedNettoAverageShowsTheGatheredHeight) {
    TestFlight f;
    f.cycle.press_netto_average(false); // runs
    f.cycle.press_netto_average(false); // stops
    fly(f, straight(2.0), 10.0);
    const double height = f.rec.last.reading.netto_average;
    EXPECT_NEAR(height, 20.0, 0.1) << "2 m/s for 10 s";
    fly(f, straight(2.0), 5.0);
    EXPECT_NEAR(f.rec.last.reading.netto_average - height, 10.0, 1e-4) << "and it keeps growing";
    f.cycle.press_netto_average(true); // a double press resets it
    f.send(straight(2.0));
    EXPECT_DOUBLE_EQ(f.rec.last.reading.netto_average, 0.0);
}

TEST_F(Averages, ClimbAverageComesFromTheEnergyHeight) {
    TestFlight f;
    const Datagram start = Datagram().set("airspeed", 30.0).set("altitude", 954.1);
    f.send(start);
    f.cycle.toggle_climb_average();
    f.send(start);
    EXPECT_EQ(f.cycle.controls().chrono.run_iv, RunState::running) << "starts by itself";
    EXPECT_DOUBLE_EQ(f.rec.last.reading.climb_average, 0.0);
    // 100 s later, 150 m higher at the same speed: 1.5 m/s.
    f.send(Datagram().set("airspeed", 30.0).set("altitude", 1104.1), 100.0);
    EXPECT_NEAR(f.rec.last.reading.climb_average, 1.5, 1e-9);
    // Speed turned into height counts the same: 30 -> 20 m/s gives 25.49 m.
    f.send(Datagram().set("airspeed", 20.0).set("altitude", 1129.59), 0.0);
    EXPECT_NEAR(f.rec.last.reading.climb_average, 1.5, 1e-3);
    f.cycle.toggle_climb_average();
    f.send(Datagram().set("airspeed", 30.0).set("altitude", 2000.0), 10.0);
    EXPECT_NEAR(f.rec.last.reading.climb_average, 1.5, 1e-3) << "stopped: the last value holds";
}

TEST_F(Averages, ThermalTurnsAreCountedWhileCircling) {
    TestFlight f;
    Datagram d = Datagram().set("airspeed", 30.0).set("vz", 0.0).set("bank", kBank45);
    fly(f, d.set("compass", 0.0), 3.0); // bank settles above 20 degrees
    EXPECT_DOUBLE_EQ(f.rec.last.reading.thermal_turns, 0.0);
    for (int step = 1; step <= 72; ++step)
        f.send(d.set("compass", step * 10 % 360));
    EXPECT_NEAR(f.rec.last.reading.thermal_turns, 2.0, 1e-9) << "two full turns";
    fly(f, d.set("bank", 0.0).set("compass", 0.0), 10.0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.thermal_turns, 0.0) << "level flight ends the count";
}

TEST_F(Averages, StopwatchRunsOnSimulatorTime) {
    TestFlight f;
    f.hours = 10.5;
    f.send(Datagram(), 0.0);
    f.cycle.toggle_stopwatch();
    f.send(Datagram(), 0.0);
    EXPECT_EQ(f.rec.last.tim, "00:00:00");
    f.send(Datagram(), 1800.0);
    EXPECT_EQ(f.rec.last.tim, "00:30:00") << "started 10.5 h, read 11.0 h";
    f.cycle.toggle_stopwatch();
    f.send(Datagram(), 65.0);
    EXPECT_EQ(f.rec.last.tim, "00:30:00") << "stopped: the text holds";
}

TEST_F(Averages, TaskTimerRestartsFromZero) {
    TestFlight f;
    f.send(Datagram());
    EXPECT_EQ(f.rec.last.tsktim, "00:00:00");
    f.cycle.press_task_timer(false); // starts
    f.send(Datagram(), 0.0);
    f.send(Datagram(), 3723.0);
    EXPECT_EQ(f.rec.last.tsktim, "01:02:03");
    f.cycle.press_task_timer(true);  // stops
    f.cycle.press_task_timer(false); // alone the key does not start a stopped timer
    f.send(Datagram(), 60.0);
    EXPECT_EQ(f.rec.last.tsktim, "01:02:03");
    f.cycle.press_task_timer(true); // resets
    f.send(Datagram(), 60.0);
    EXPECT_EQ(f.rec.last.tsktim, "00:00:00");
    f.cycle.press_task_timer(false);
    f.send(Datagram(), 0.0);
    f.send(Datagram(), 59.0);
    EXPECT_EQ(f.rec.last.tsktim, "00:00:59");
}

TEST_F(Averages, ClockShowsTheSimulatorsTimeOfDay) {
    TestFlight f;
    f.send_raw(Datagram().set("time", 13.7525).text());
    EXPECT_EQ(f.rec.last.clk, "13:45:09");
}

TEST(HoursText, FormatsAndCarriesSeconds) {
    EXPECT_EQ(hours_text(0.0), "00:00:00");
    EXPECT_EQ(hours_text(0.5), "00:30:00");
    EXPECT_EQ(hours_text(1.0 + 2.0 / 60.0 + 3.0 / 3600.0), "01:02:03");
    EXPECT_EQ(hours_text(59.7 / 3600.0), "00:01:00") << "rounded seconds carry";
    EXPECT_EQ(hours_text(-0.25), "23:45:00") << "a timer running past midnight";
    EXPECT_EQ(hours_text(150.0), "**:00:00");
    EXPECT_EQ(hours_text(std::numeric_limits<double>::quiet_NaN()), "00:00:00");
}

TEST(Modang, BringsAnglesIntoTheRange) {
    EXPECT_DOUBLE_EQ(modang(-90.0, 0.0), 270.0);
    EXPECT_DOUBLE_EQ(modang(400.0, 0.0), 40.0);
    EXPECT_DOUBLE_EQ(modang(360.0, 0.0), 360.0) << "both ends belong to the range";
    EXPECT_DOUBLE_EQ(modang(-720.0, 0.0), 0.0);
    EXPECT_DOUBLE_EQ(modang(190.0, -180.0), -170.0);
    const double huge = modang(-1e300, 0.0); // must not loop for ever
    EXPECT_TRUE(huge >= 0.0 && huge <= 360.0) << huge;
    EXPECT_TRUE(std::isinf(modang(std::numeric_limits<double>::infinity(), 0.0)));
}

} // namespace
} // namespace kalveo
