// The replay tools: datagrams the program reads as the simulator's, a flight that crosses
// each alarm level, and the listener that tells the levels apart in captured audio.
#include "flight/datagram.h"
#include "glider/atmosphere.h"
#include "replay/audio_report.h"
#include "replay/datagram.h"
#include "replay/recording.h"
#include "replay/scenario.h"
#include "support/test_files.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sstream>

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
    // The simulator's x axis points west: flying east, vx is negative.
    EXPECT_NEAR(*p.vx, -70.0, 1e-3);
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

// The keys of a datagram, in order.
std::vector<std::string> keys_of(const std::string& text) {
    std::vector<std::string> keys;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (const auto eq = line.find('='); eq != std::string::npos)
            keys.push_back(line.substr(0, eq));
    return keys;
}

TEST(ReplayDatagramTest, KeysInTheSimulatorsOwnOrderAndFlapsAfterThem) {
    const auto sample = keys_of(testing::read_file(
        std::filesystem::path(std::getenv("KALVEO_SAMPLES")) / "datagram_at_rest.txt"));
    ASSERT_EQ(sample.size(), static_cast<std::size_t>(kDatagramKeys));
    EXPECT_EQ(keys_of(datagram_text(FlightSample{})), sample);
    FlightSample flapped;
    flapped.flaps = 2;
    auto with_flaps = sample;
    with_flaps.push_back("flaps");
    EXPECT_EQ(keys_of(datagram_text(flapped)), with_flaps);
    EXPECT_EQ(decode_datagram(datagram_text(flapped)).flaps, 2);
}

// The wind the program works out of a datagram (x west, y north), as (from degrees, m/s).
std::pair<double, double> wind_of(const TelemetryPacket& p, double tas) {
    const double heading = *p.compass * kPi / 180.0;
    const double tas_xy = std::sqrt(tas * tas - *p.vz * *p.vz);
    const double wx = *p.vx + std::sin(heading) * tas_xy;
    const double wy = *p.vy - std::cos(heading) * tas_xy;
    double from = std::atan2(wx, -wy) * 180.0 / kPi;
    if (from < 0) from += 360.0;
    return {from, std::hypot(wx, wy)};
}

TEST(ScenarioTest, TheThermalCirclesAtItsBankAndClimbsWhileTheWindStaysPut) {
    ScenarioOptions o;
    o.name = "thermal";
    o.circles = 3;
    const auto phases = scenario_phases(o);
    const Phase* circling = nullptr;
    for (const Phase& p : phases)
        if (p.name == "circling") circling = &p;
    ASSERT_NE(circling, nullptr);
    EXPECT_GE(circling->bank_deg, 40.0);
    EXPECT_LE(circling->bank_deg, 45.0);

    Flight flight(phases, o);
    double turned = 0.0;
    double last_heading = flight.at(circling->start_s).heading_deg;
    const double start_altitude = flight.at(circling->start_s).altitude;
    for (double t = circling->start_s + 0.1; t <= circling->start_s + circling->duration_s + 1e-9;
         t += 0.1) {
        const FlightSample s = flight.at(t);
        double d = s.heading_deg - last_heading;
        if (d < -180) d += 360;
        turned += d;
        last_heading = s.heading_deg;
        const TelemetryPacket p = decode_datagram(datagram_text(s));
        const double tas = *p.airspeed * fmulatm_at(static_cast<float>(*p.altitude), true, 0, 0);
        EXPECT_NEAR(tas * 3.6, circling->tas_kmh, 0.05);
        EXPECT_NEAR(*p.gforce, 1.0 / std::cos(*p.bank), 0.002);
        const auto [from, speed] = wind_of(p, tas);
        EXPECT_NEAR(from, o.wind_from_deg, 0.5) << "t = " << t;
        EXPECT_NEAR(speed * 3.6, o.wind_kmh, 0.1) << "t = " << t;
    }
    EXPECT_NEAR(turned, 360.0 * o.circles, 2.0);
    const FlightSample end = flight.at(circling->start_s + circling->duration_s);
    EXPECT_NEAR(end.altitude - start_altitude, -circling->sink_ms * circling->duration_s, 0.5);
    EXPECT_GT(end.netto, 0.0);
    EXPECT_LT(flight.at(1.0).netto, 0.0); // sinking air before the thermal
}

TEST(ScenarioTest, TheCruiseLeverFollowsTheAdviceLateThenGoesToTheLandingFlap) {
    ScenarioOptions o;
    o.name = "cruise";
    ASSERT_TRUE(scenario_has_flaps(o));
    const auto phases = scenario_phases(o);
    Flight flight(phases, o);
    std::vector<int> levers;
    for (const Phase& p : phases) {
        const FlightSample s = flight.at(p.start_s + p.duration_s - 0.05);
        ASSERT_GE(s.flaps, 0);
        levers.push_back(kFlappedGliderPositions - s.flaps);
    }
    // While speeding up the lever stays; then it follows, one position at a time.
    EXPECT_EQ(levers, (std::vector<int>{4, 4, 5, 5, 6, 6, 7, 7, 4, 1}));
    o.name = "dive";
    EXPECT_EQ(Flight(scenario_phases(o), o).at(1.0).flaps, -1);
}

TEST(RecordingTest, DatagramsComeBackWithTheirTimesAndBytes) {
    std::stringstream file;
    write_recording_header(file);
    const std::string odd("a=1\r\n\0\nb=\xff", 10);
    write_recorded_datagram(file, {0.0, "time=12.0\r\n"});
    write_recorded_datagram(file, {0.1, odd});
    write_recorded_datagram(file, {0.25, ""});
    const Recording r = read_recording(file);
    EXPECT_TRUE(r.problem.empty()) << r.problem;
    ASSERT_EQ(r.datagrams.size(), 3U);
    EXPECT_EQ(r.datagrams[1].bytes, odd);
    EXPECT_NEAR(r.datagrams[1].at_s, 0.1, 1e-6);
    EXPECT_EQ(r.datagrams[2].bytes, "");
}

TEST(RecordingTest, DamagedFilesKeepWhatCameBeforeTheDamage) {
    const std::string good = "kalveo-recording 1\n0.000000 3\nabc\n";
    const struct {
        std::string text;
        std::size_t kept;
    } cases[] = {
        {"", 0},
        {"hello\n0 1\na\n", 0},
        {good + "0.1 5\nab", 1},          // cut short
        {good + "0.1 99999999\nab\n", 1}, // length beyond any datagram
        {good + "-1 1\na\n", 1},          // negative time
        {good + "nan 1\na\n", 1},
        {good + std::string(5000, '9') + "\n", 1},
        {good + "0.1 1\naX", 1}, // no line end after the bytes
        {std::string("kalveo-recording 1\n") + std::string(1, '\0') + "\n", 0},
    };
    for (const auto& c : cases) {
        std::stringstream in(c.text);
        const Recording r = read_recording(in);
        EXPECT_EQ(r.datagrams.size(), c.kept) << c.text.substr(0, 40);
        if (c.kept == 0 || c.text.size() > good.size()) {
            EXPECT_FALSE(r.problem.empty()) << c.text.substr(0, 40);
        }
    }
    // Times that run backwards are held at the last one.
    std::stringstream back(good + "0.5 1\na\n0.2 1\nb\n");
    const Recording r = read_recording(back);
    ASSERT_EQ(r.datagrams.size(), 3U);
    EXPECT_DOUBLE_EQ(r.datagrams[2].at_s, 0.5);
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
