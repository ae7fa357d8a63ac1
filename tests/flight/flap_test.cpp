// Flap advice through the cycle: recommendation, smoothing, arrows, sounds, landing call.
#include "config/records.h"
#include "flight/flap_advice.h"
#include "flight/records.h"
#include "flight_test_support.h"
#include "glider/records.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;
using testing::TestGlider;

// Positions from the slowest: landing, +2 above 25 m/s, 0 above 33, -2 above 40.
TestGlider flapped() {
    return {.flaps = {{0.0, "L"}, {25.0, "+2"}, {33.0, "0"}, {40.0, "-2"}}};
}

// The simulator reports its lever from the fastest position: lever 0 is position 4.
Datagram at(double ias, int position, double bank_rad = 0.0) {
    return Datagram()
        .set("airspeed", ias)
        .set("altitude", 0.0)
        .set("flaps", 4 - position)
        .set("bank", bank_rad)
        .set("gforce", 1.0);
}

void fly(TestFlight& f, const Datagram& d, double seconds) {
    for (int i = 0; i < static_cast<int>(seconds / 0.04); ++i)
        f.send(d);
}

int flap_sounds(const TestFlight& f, FlapCall call) {
    int n = 0;
    for (const auto& s : f.rec.sounds)
        n += s.call == call ? 1 : 0;
    return n;
}

using FlapAdvice = FlightTest;

TEST_F(FlapAdvice, RawRecommendationIsTheFastestPositionBelowTheSpeed) {
    FlightRecords f;
    f.flaps_0.nflap = 4;
    f.flaps_0.vflap100 = {0.0, 10.0, 25.0, 33.0, 40.0};
    EXPECT_EQ(raw_flap_position(5.0, f), 1) << "below the table";
    EXPECT_EQ(raw_flap_position(30.0, f), 2);
    EXPECT_EQ(raw_flap_position(33.0, f), 2) << "strictly above the position's speed";
    EXPECT_EQ(raw_flap_position(90.0, f), 4) << "above the table";
}

TEST_F(FlapAdvice, InPlaceShowsTheNameWithoutArrow) {
    TestFlight f(flapped());
    fly(f, at(36.0, 3), 3.0);
    ASSERT_FALSE(f.rec.flaps.empty());
    EXPECT_EQ(f.rec.flaps.back().name, "0");
    EXPECT_EQ(f.rec.flaps.back().mflap, 0);
}

TEST_F(FlapAdvice, ArrowPointsTowardsTheRecommendation) {
    TestFlight f(flapped());
    f.change_settings([](Settings& s) { s.display.show_flaps = 2; });
    fly(f, at(45.0, 2), 3.0);
    EXPECT_EQ(f.rec.flaps.back().mflap, 1) << "faster: flaps up";
    EXPECT_EQ(f.rec.flaps.back().name, "-2") << "the recommended position's name";
    f.change_settings([](Settings& s) { s.display.show_flaps = 1; });
    f.send(at(45.0, 2));
    EXPECT_EQ(f.rec.flaps.back().name, "+2") << "the simulator's position's name";
    fly(f, at(28.0, 4), 3.0);
    EXPECT_EQ(f.rec.flaps.back().mflap, -1) << "slower: flaps down";
}

TEST_F(FlapAdvice, BallastRaisesTheFlapSpeeds) {
    TestFlight f(flapped());
    fly(f, at(42.0, 4), 3.0);
    EXPECT_EQ(f.rec.flaps.back().mflap, 0) << "42 m/s is above -2's 40 m/s";
    fly(f, at(42.0, 4).set("water", 150.0), 3.0); // 350 kg become 500 kg
    EXPECT_NEAR(f.records().my_tas_0.fmulf, std::sqrt(350.0 / 500.0), 1e-12);
    EXPECT_EQ(f.rec.flaps.back().mflap, -1) << "equivalent 35 m/s: back to 0";
}

TEST_F(FlapAdvice, LoadFactorScalingOnlyWhenAsked) {
    TestFlight f(flapped());
    fly(f, at(42.0, 4).set("gforce", 2.0), 3.0);
    EXPECT_EQ(f.rec.flaps.back().mflap, 0) << "load factor ignored";
    f.change_settings([](Settings& s) { s.flaps.scale_by_load_factor = true; });
    fly(f, at(42.0, 4).set("gforce", 2.0), 5.0);
    EXPECT_NEAR(f.records().my_tas_0.fmulf, std::sqrt(1.0 / 2.0), 1e-3);
    EXPECT_EQ(f.rec.flaps.back().mflap, -1) << "42 / sqrt(2) = 29.7 m/s: position +2";
    fly(f, at(42.0, 4).set("gforce", -1.0), 10.0);
    EXPECT_NEAR(f.records().my_tas_0.fmulf, std::sqrt(1.0 / 0.1), 1e-3)
        << "negative g counts as 0.1 g";
}

TEST_F(FlapAdvice, RecommendationIsSmoothed) {
    TestFlight f(flapped());
    fly(f, at(36.0, 3), 3.0);
    f.rec.flaps.clear();
    fly(f, at(45.0, 3), 0.2);
    for (const auto& call : f.rec.flaps)
        EXPECT_EQ(call.mflap, 0) << "too soon to change";
    fly(f, at(45.0, 3), 1.5);
    EXPECT_EQ(f.rec.flaps.back().mflap, 1);
}

TEST_F(FlapAdvice, LandingCallOnceWhenTheLeverReachesLanding) {
    TestFlight f(flapped());
    f.change_settings([](Settings& s) { s.flaps.landing_option = 2; });
    fly(f, at(25.0, 2), 1.0);
    const std::size_t updates = f.rec.flaps.size();
    f.send(at(25.0, 1));
    EXPECT_EQ(flap_sounds(f, FlapCall::landing), 1);
    EXPECT_EQ(f.rec.flaps.size(), updates) << "no flap display update with the call";
    EXPECT_DOUBLE_EQ(f.rec.sounds.back().vol, 0.25);
    fly(f, at(25.0, 1), 1.0);
    EXPECT_EQ(flap_sounds(f, FlapCall::landing), 1);
    EXPECT_GT(f.rec.flaps.size(), updates) << "normal advice goes on";
}

TEST_F(FlapAdvice, NoLandingCallUnlessChosen) {
    TestFlight f(flapped());
    fly(f, at(25.0, 2), 1.0);
    fly(f, at(25.0, 1), 1.0);
    EXPECT_EQ(flap_sounds(f, FlapCall::landing), 0);
}

TEST_F(FlapAdvice, UpAdviceFromLandingOnlyWithAnOddLandingOption) {
    for (const int lndopt : {2, 3}) {
        TestFlight f(flapped());
        f.change_settings([lndopt](Settings& s) { s.flaps.landing_option = lndopt; });
        fly(f, at(36.0, 1), 3.0);
        EXPECT_EQ(f.rec.flaps.back().mflap, lndopt % 2) << "landing option " << lndopt;
    }
}

TEST_F(FlapAdvice, SoundsTwoSecondsPlusTheLastSoundApart) {
    TestFlight f(flapped());
    f.change_settings([](Settings& s) { s.flaps.sounds_on = true; });
    fly(f, at(36.0, 3), 3.0);
    f.rec.sounds.clear();
    fly(f, at(45.0, 3), 1.0); // advice up
    fly(f, at(28.0, 3), 1.0); // and down again within 2.3 s
    EXPECT_EQ(f.rec.sounds.size(), 1u);
    EXPECT_EQ(flap_sounds(f, FlapCall::up), 1);
    fly(f, at(28.0, 3), 2.0);
    EXPECT_EQ(flap_sounds(f, FlapCall::down), 1) << "after the spacing the new advice sounds";
}

TEST_F(FlapAdvice, NoSoundsWithoutTheSwitchOrBeyondTheBankLimit) {
    TestFlight f(flapped());
    fly(f, at(36.0, 3), 3.0);
    fly(f, at(45.0, 3), 3.0);
    EXPECT_TRUE(f.rec.sounds.empty()) << "flap sounds off";

    const double bank20 = 20.0 * 3.14159265 / 180.0;
    f.cycle.switch_flap_sounds(true);
    fly(f, at(45.0, 3, bank20), 3.0);
    EXPECT_TRUE(f.rec.sounds.empty()) << "limit 15 degrees";
    f.records().my_tas_0.flapmxbank = 90.0;
    fly(f, at(45.0, 3, bank20), 2.0);
    EXPECT_EQ(flap_sounds(f, FlapCall::up), 1) << "limit 90 degrees";
}

TEST_F(FlapAdvice, GlidersWithoutFlapsGetNoAdvice) {
    TestFlight f;
    fly(f, at(45.0, 3), 1.0);
    EXPECT_TRUE(f.rec.flaps.empty());
}

TEST_F(FlapAdvice, ALeverOutsideTheTableIsNamedByTheNearestPositionAndAnImpossibleOneIgnored) {
    TestFlight f(flapped());
    // The simulator's glider has more positions than the data file's table.
    f.send(at(36.0, 3).set("flaps", 15));
    EXPECT_EQ(f.rec.flaps.back().name, "L");
    f.send(at(36.0, 3).set("flaps", 0));
    EXPECT_EQ(f.rec.flaps.back().name, "-2");
    // No lever has these: the last position holds.
    f.send(at(36.0, 3).set("flaps", -7));
    EXPECT_EQ(f.rec.flaps.back().name, "-2");
    f.send(at(36.0, 3).set("flaps", 70));
    EXPECT_EQ(f.rec.flaps.back().name, "-2");
}

} // namespace
} // namespace kalveo
