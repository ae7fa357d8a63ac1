// Decoding of telemetry datagrams: whole keys, CR LF, the received length, bad values.
#include "flight/datagram.h"
#include "flight_test_support.h"
#include "support/test_files.h"
#include "text/number_read.h"

#include <cmath>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <random>
#include <string>

namespace kalveo {
namespace {

using testing::Datagram;

TEST(Datagram, ReadsTheSampleDatagramAsTheSimulatorSendsIt) {
    const std::string sample =
        testing::read_file(testing::env_folder("KALVEO_SAMPLES") / "datagram_at_rest.txt");
    const TelemetryPacket p = decode_datagram(sample);
    EXPECT_DOUBLE_EQ(*p.time, 12.0);
    EXPECT_DOUBLE_EQ(*p.airspeed, 0.143);
    EXPECT_DOUBLE_EQ(*p.altitude, 505.879);
    EXPECT_DOUBLE_EQ(*p.evario, -0.007);
    EXPECT_DOUBLE_EQ(*p.nettovario, -1.037);
    EXPECT_DOUBLE_EQ(*p.compass, 0.0);
    EXPECT_DOUBLE_EQ(*p.yawstringangle, -0.185);
    EXPECT_DOUBLE_EQ(*p.yaw, 2.52);
    EXPECT_DOUBLE_EQ(*p.pitch, 0.0003);
    EXPECT_DOUBLE_EQ(*p.bank, 0.0019);
    EXPECT_DOUBLE_EQ(*p.vx, -0.0204);
    EXPECT_DOUBLE_EQ(*p.vy, 0.014);
    EXPECT_DOUBLE_EQ(*p.vz, -0.292);
    EXPECT_DOUBLE_EQ(*p.gforce, 0.808);
    EXPECT_DOUBLE_EQ(*p.mc, 0.0);
    EXPECT_DOUBLE_EQ(*p.water, 0.0);
    EXPECT_FALSE(p.flaps.has_value());
}

TEST(Datagram, KeysThatHideInsideLongerKeysEachGetTheirOwnValue) {
    Datagram d;
    d.set("vario", 1.5).set("evario", 2.5).set("nettovario", 3.5);
    d.set("yaw", 0.25).set("yawrate", 9.0).set("yawstringangle", -4.0);
    d.set("pitch", 0.125).set("pitchrate", 7.0).set("height", 100.0).set("wheelheight", 99.0);
    // Put the longer keys first, where a plain text search would find them.
    const std::string text = "evario=2.5\nnettovario=3.5\nyawrate=9\nyawstringangle=-4\n"
                             "pitchrate=7\nwheelheight=99\n" +
                             d.text("\n");
    const TelemetryPacket p = decode_datagram(text);
    EXPECT_DOUBLE_EQ(*read_real(*datagram_value(text, "vario")), 1.5);
    EXPECT_DOUBLE_EQ(*p.evario, 2.5);
    EXPECT_DOUBLE_EQ(*p.nettovario, 3.5);
    EXPECT_DOUBLE_EQ(*p.yaw, 0.25);
    EXPECT_DOUBLE_EQ(*p.yawstringangle, -4.0);
    EXPECT_DOUBLE_EQ(*p.pitch, 0.125);
    EXPECT_EQ(*datagram_value(text, "height"), "100");
}

TEST(Datagram, TakesLfAndCrLfLineEndsAndBlanksAroundTheKey) {
    for (const char* eol : {"\n", "\r\n"}) {
        const std::string text = Datagram().set("airspeed", 42.25).text(eol);
        EXPECT_DOUBLE_EQ(*decode_datagram(text).airspeed, 42.25)
            << "line end of " << std::string(eol).size() << " bytes";
    }
    EXPECT_DOUBLE_EQ(*decode_datagram("  airspeed = 12.5 \r\n").airspeed, 12.5);
    EXPECT_DOUBLE_EQ(*decode_datagram("time=13.5").time, 13.5) << "no line end at all";
}

TEST(Datagram, OnlyTheReceivedBytesCount) {
    // A shorter datagram over the tail of a longer one: the tail is not part of it.
    std::string buffer = "airspeed=30\ntime=12.5\nwater=100\nflaps=2\n";
    buffer.replace(0, 22, "airspeed=31\ntime=12.6\n");
    const std::string_view text = datagram_text(buffer.data(), 22);
    const TelemetryPacket p = decode_datagram(text);
    EXPECT_DOUBLE_EQ(*p.airspeed, 31.0);
    EXPECT_DOUBLE_EQ(*p.time, 12.6);
    EXPECT_FALSE(p.water.has_value());
    EXPECT_FALSE(p.flaps.has_value());
}

TEST(Datagram, TextEndsAtNulOrAfter1024Bytes) {
    const char with_nul[] = "airspeed=30\n\0time=12\n";
    EXPECT_EQ(datagram_text(with_nul, sizeof with_nul - 1), "airspeed=30\n");
    std::string big(1500, 'x');
    big.replace(1020, 12, "\nwater=77\n");
    EXPECT_EQ(datagram_text(big.data(), big.size()).size(), kDatagramMax);
    EXPECT_FALSE(decode_datagram(datagram_text(big.data(), big.size())).water.has_value());
    EXPECT_TRUE(datagram_text(nullptr, 10).empty());
}

TEST(Datagram, ValuesThatAreNotNumbersAreLeftOut) {
    const TelemetryPacket p = decode_datagram("airspeed=nan\ntime=inf\naltitude=\nvx=12abc\n"
                                              "vy=-INF\nbank=0x10\nflaps=2.0\nwater=1e999\n");
    EXPECT_FALSE(p.airspeed);
    EXPECT_FALSE(p.time);
    EXPECT_FALSE(p.altitude);
    EXPECT_FALSE(p.vx);
    EXPECT_FALSE(p.vy);
    EXPECT_FALSE(p.bank);
    EXPECT_FALSE(p.flaps) << "the flap lever is a whole number";
    EXPECT_FALSE(p.water);
    EXPECT_FALSE(p.usable());
}

// The value decoded for `key`, when taken.
std::optional<double> decoded(const TelemetryPacket& p, const std::string& key) {
    const std::map<std::string, std::optional<double> TelemetryPacket::*> reals = {
        {"airspeed", &TelemetryPacket::airspeed},
        {"altitude", &TelemetryPacket::altitude},
        {"vx", &TelemetryPacket::vx},
        {"vy", &TelemetryPacket::vy},
        {"vz", &TelemetryPacket::vz},
        {"time", &TelemetryPacket::time},
        {"evario", &TelemetryPacket::evario},
        {"nettovario", &TelemetryPacket::nettovario},
        {"yaw", &TelemetryPacket::yaw},
        {"compass", &TelemetryPacket::compass},
        {"pitch", &TelemetryPacket::pitch},
        {"bank", &TelemetryPacket::bank},
        {"gforce", &TelemetryPacket::gforce},
        {"yawstringangle", &TelemetryPacket::yawstringangle},
        {"MC", &TelemetryPacket::mc},
        {"water", &TelemetryPacket::water}};
    if (key == "flaps") return p.flaps ? std::optional<double>(*p.flaps) : std::nullopt;
    return p.*reals.at(key);
}

TEST(Datagram, WhatARealFlightSendsIsTakenAndWhatNoGliderCanIsNot) {
    struct Case {
        const char* key;
        const char* value;
        bool taken;
    };
    const Case cases[] = {
        {"airspeed", "0", true},    // on the ground
        {"airspeed", "-3.5", true}, // rolling back
        {"airspeed", "165", true},  // a dive far beyond any VNE (594 km/h)
        {"airspeed", "1e308", false},
        {"airspeed", "-1e308", false},
        {"airspeed", "400", false},  // beyond the speed of sound
        {"altitude", "5000", true},  // a flight plan at 5000 m
        {"altitude", "-420", true},  // the Dead Sea
        {"altitude", "45000", true}, // wave, in feet
        {"altitude", "1e308", false},
        {"vx", "-92.5", true}, // diving downwind
        {"vy", "1e300", false},
        {"vz", "-60", true}, // a vertical dive
        {"vz", "25", true},  // a winch launch
        {"vz", "1e9", false},
        {"time", "23.999", true}, // just before midnight
        {"time", "0.001", true},  // just after
        {"time", "24.5", true},   // a clock that counts on
        {"time", "-3", false},
        {"time", "1e308", false},
        {"evario", "-35", true},    // rotor
        {"nettovario", "15", true}, // wave
        {"nettovario", "-1e308", false},
        {"yaw", "6.2", true}, // 355 degrees
        {"yaw", "-3.1", true},
        {"yaw", "1e5", false},
        {"compass", "359.9", true},
        {"compass", "1e308", false},
        {"pitch", "-1.57", true}, // straight down
        {"pitch", "3.1", true},   // over the top of a loop
        {"bank", "-3.14", true},  // inverted
        {"bank", "1e308", false},
        {"gforce", "-4.5", true}, // aerobatics
        {"gforce", "8", true},    // a hard pull-out
        {"gforce", "1e308", false},
        {"yawstringangle", "-40", true},
        {"yawstringangle", "1e4", false},
        {"flaps", "0", true}, // the fastest position
        {"flaps", "6", true},
        {"flaps", "-1", false},
        {"flaps", "2000000000", false},
        {"MC", "2.5", true},
        {"MC", "-1e308", false},
        {"water", "185", true}, // full tanks
        {"water", "1e308", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.key) + "=" + c.value);
        const TelemetryPacket p = decode_datagram(std::string(c.key) + "=" + c.value + "\r\n");
        const std::optional<double> value = decoded(p, c.key);
        EXPECT_EQ(value.has_value(), c.taken);
        if (value && c.taken) {
            EXPECT_DOUBLE_EQ(*value, std::stod(c.value));
        }
    }
    // A value next to nothing is a speed at rest and the time at midnight.
    EXPECT_NEAR(decode_datagram("airspeed=1e-320\n").airspeed.value_or(9.0), 0.0, 1e-300);
    EXPECT_NEAR(decode_datagram("time=1e-320\n").time.value_or(9.0), 0.0, 1e-300);
}

TEST(Datagram, OptionalKeysTellPresenceApartFromReadability) {
    const TelemetryPacket bad = decode_datagram("evario=x\nnettovario=\ncompass=nan\n");
    EXPECT_TRUE(bad.has_evario_key && bad.has_nettovario_key && bad.has_compass_key);
    EXPECT_FALSE(bad.evario || bad.nettovario || bad.compass);
    const TelemetryPacket none = decode_datagram("airspeed=3\n");
    EXPECT_FALSE(none.has_evario_key || none.has_nettovario_key || none.has_compass_key);
}

TEST(Datagram, FirstOccurrenceOfAKeyWins) {
    EXPECT_DOUBLE_EQ(*decode_datagram("airspeed=1\nairspeed=2\n").airspeed, 1.0);
}

TEST(Datagram, RandomBytesNeverBreakTheDecoder) {
    std::mt19937 random(20240601);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::string bytes(1024, '\0');
        for (char& c : bytes)
            c = static_cast<char>(byte(random));
        // Sprinkle separators so that lines and keys of every shape occur.
        for (int i = 0; i < 40; ++i)
            bytes[byte(random) * 4 % 1024] = "=\n\r,"[i % 4];
        const TelemetryPacket p = decode_datagram(datagram_text(bytes.data(), bytes.size()));
        if (p.airspeed) {
            EXPECT_TRUE(std::isfinite(*p.airspeed));
        }
    }
}

} // namespace
} // namespace kalveo
