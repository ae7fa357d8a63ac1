// The replay tools: datagrams the program reads as the simulator's, a flight that crosses
// each alarm level, and the listener that tells the levels apart in captured audio.
#include "flight/datagram.h"
#include "glider/atmosphere.h"
#include "replay/audio_report.h"
#include "replay/datagram.h"
#include "replay/scenario.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>

namespace kalveo::replay {
namespace {

constexpr double kPi = 3.14159265358979323846;

TEST(ReplayDatagramTest, TheProgramReadsEveryValueBack) {
    FlightSample s;
    s.time_h = 12.5;
    s.airspeed = 70.25;
    s.altitude = 812.5;
    s.heading_deg = 90.0;
    s.bank = 0.1;
    s.pitch = -0.2;
    s.gforce = 1.5;
    s.ground_speed = 70.0;
    s.water = 120.0;
    const std::string text = datagram_text(s);
    EXPECT_LE(text.size(), kalveo::kDatagramMax);
    const TelemetryPacket p = decode_datagram(text);
    EXPECT_DOUBLE_EQ(*p.time, 12.5);
    EXPECT_DOUBLE_EQ(*p.airspeed, 70.25);
    EXPECT_DOUBLE_EQ(*p.altitude, 812.5);
    EXPECT_NEAR(*p.yaw, kPi / 2, 1e-3);
    EXPECT_DOUBLE_EQ(*p.compass, 90.0);
    EXPECT_DOUBLE_EQ(*p.bank, 0.1);
    EXPECT_DOUBLE_EQ(*p.pitch, -0.2);
    EXPECT_DOUBLE_EQ(*p.gforce, 1.5);
    EXPECT_NEAR(*p.vx, 70.0, 1e-3);
    EXPECT_NEAR(*p.vy, 0.0, 1e-3);
    EXPECT_DOUBLE_EQ(*p.water, 120.0);
}

TEST(ReplayDatagramTest, ThirtyFiveLinesEndedByCrLfLikeTheSimulatorsOwn) {
    const std::string text = datagram_text(FlightSample{});
    int lines = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string::npos;
         at = text.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, kDatagramKeys);
    EXPECT_EQ(text.substr(0, 5), "time=");
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(ScenarioTest, TheDiveHoldsEachAlarmLevelInsideItsQuarterOfTheBand) {
    ScenarioOptions o;
    const auto phases = scenario_phases(o);
    const double va1 = o.vne_kmh - o.dv1_kmh;
    int levels_seen = 0;
    for (const Phase& p : phases) {
        if (p.alarm_level < 0) {
            EXPECT_LT(p.tas_kmh, va1) << p.name;
            continue;
        }
        ++levels_seen;
        const double level = std::floor(4.0 * (p.tas_kmh - va1) / o.dv2_kmh);
        EXPECT_EQ(static_cast<int>(level), p.alarm_level) << p.name;
    }
    EXPECT_EQ(levels_seen, 7); // up through 0..3, back through 2..0
}

TEST(ScenarioTest, IndicatedSpeedMakesTheTrueSpeedAtAltitude) {
    EXPECT_NEAR(indicated_from_true(50.0, 0.0), 50.0, 1e-5);
    // The program's own factor at 3000 m is 1.1607627.
    EXPECT_NEAR(indicated_from_true(80.0, 3000.0), 80.0 / 1.1607627, 1e-5);
    // The program turns each indicated speed back into the scenario's true one.
    for (const double z : {-200.0, 1500.0, 10999.0, 11000.0, 14000.0})
        EXPECT_NEAR(indicated_from_true(60.0, z) * fmulatm_at(static_cast<float>(z), true, 0, 0),
                    60.0, 1e-5)
            << "z = " << z;

    ScenarioOptions o;
    const auto phases = scenario_phases(o);
    const Phase& level3 = phases[5];
    ASSERT_EQ(level3.alarm_level, 3);
    const FlightSample s = sample_at(phases, o, level3.start_s + 1.0);
    EXPECT_LT(s.altitude, o.altitude_m);
    EXPECT_NEAR(s.airspeed, indicated_from_true(level3.tas_kmh / 3.6, s.altitude), 1e-9);
    EXPECT_NEAR(s.time_h, 12.0 + (level3.start_s + 1.0) / 3600.0, 1e-12);
}

TEST(ScenarioTest, UnknownScenarioHasNoPhases) {
    ScenarioOptions o;
    o.name = "loop";
    EXPECT_TRUE(scenario_phases(o).empty());
    o.name = "glide";
    EXPECT_EQ(scenario_phases(o).size(), 1U);
}

std::vector<std::int16_t> tone(double seconds, double hz, int rate, double amplitude = 8000.0) {
    std::vector<std::int16_t> out(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = static_cast<std::int16_t>(amplitude * std::sin(2 * kPi * hz * i / rate));
    return out;
}

void append(std::vector<std::int16_t>& to, const std::vector<std::int16_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

TEST(HearTest, EachAlarmPitchIsItsLevel) {
    EXPECT_EQ(alarm_level_of(660), 0);
    EXPECT_EQ(alarm_level_of(880), 1);
    EXPECT_EQ(alarm_level_of(1100), 2);
    EXPECT_EQ(alarm_level_of(1400), 3);
    EXPECT_EQ(alarm_level_of(1800), 3);
    EXPECT_EQ(alarm_level_of(200), -1);
    EXPECT_EQ(alarm_level_of(5000), -1);
}

TEST(HearTest, SoundsAreFoundWithTheirStartAndLevel) {
    const int rate = 44100;
    std::vector<std::int16_t> audio = tone(1.0, 880, rate, 0.0);
    // Level 0: two pulses with a short gap are one sound.
    append(audio, tone(0.14, 660, rate));
    append(audio, tone(0.12, 660, rate, 0.0));
    append(audio, tone(0.14, 660, rate));
    append(audio, tone(1.0, 1, rate, 0.0));
    append(audio, tone(0.5, 1100, rate));
    const auto heard = hear(audio, rate);
    ASSERT_EQ(heard.size(), 2U);
    EXPECT_EQ(heard[0].level, 0);
    EXPECT_NEAR(heard[0].start_s, 1.0, 0.03);
    EXPECT_NEAR(heard[0].end_s, 1.4, 0.03);
    EXPECT_NEAR(heard[0].frequency_hz, 660, 30);
    EXPECT_EQ(heard[1].level, 2);
    EXPECT_NEAR(heard[1].start_s, 2.4, 0.03);
}

TEST(HearTest, ASoundThatStartsAndEndsInsideAWindowKeepsItsPitch) {
    const int rate = 44100;
    std::vector<std::int16_t> audio = tone(0.511, 1, rate, 0.0);
    append(audio, tone(0.143, 880, rate));
    append(audio, tone(0.117, 1, rate, 0.0));
    append(audio, tone(0.143, 880, rate));
    append(audio, tone(0.3, 1, rate, 0.0));
    const auto heard = hear(audio, rate);
    ASSERT_EQ(heard.size(), 1U);
    EXPECT_EQ(heard[0].level, 1);
    EXPECT_NEAR(heard[0].frequency_hz, 880, 20);
}

TEST(HearTest, SilenceAndClicksAreNotSounds) {
    const int rate = 44100;
    std::vector<std::int16_t> audio = tone(0.5, 660, rate, 100.0); // far below hearing here
    append(audio, tone(0.02, 660, rate));                          // one window: an edge
    EXPECT_TRUE(hear(audio, rate).empty());
}

TEST(HearTest, RawCaptureIsLittleEndianAndSurvivesAnOddByte) {
    testing::TempDir dir;
    testing::write_file(dir / "a.raw", std::string("\x01\x02\xff\x7f\x05", 5));
    const auto samples = read_raw_audio(dir / "a.raw");
    ASSERT_TRUE(samples.has_value());
    ASSERT_EQ(samples->size(), 2U);
    EXPECT_EQ((*samples)[0], 0x0201);
    EXPECT_EQ((*samples)[1], 32767);
    EXPECT_FALSE(read_raw_audio(dir / "missing.raw").has_value());
}

} // namespace
} // namespace kalveo::replay
