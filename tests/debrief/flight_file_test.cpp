// The flight file: kept small, written during the flight, read back from whatever is left.
#include "debrief/flight_file.h"
#include "debrief/flight_keeper.h"
#include "support/test_files.h"

#include <chrono>
#include <cmath>
#include <fstream>
#include <gtest/gtest.h>
#include <iostream>
#include <random>
#include <sstream>

namespace kalveo::debrief {
namespace {

using kalveo::testing::TempDir;

FlightHeader diana() {
    FlightHeader h;
    h.glider = "Diana 2";
    h.started = "2026-07-14 13:05:09";
    h.flaps = {"L", "+8", "0", "-2"};
    h.reference_polar = {{25.0, -0.7}, {40.0, -1.2}};
    return h;
}

// A glider flying a wandering speed, altitude and flap setting, t in seconds.
KeptSample flying(double t) {
    KeptSample s;
    s.t = t;
    s.ias = 30.0 + 10.0 * std::sin(t / 50.0);
    s.tas = s.ias * 1.08;
    s.va1 = 72.0;
    s.vne = 75.0;
    s.altitude = 1500.0 + 300.0 * std::sin(t / 400.0);
    s.vario = 2.0 * std::cos(t / 30.0);
    s.netto = 0.5 * std::sin(t / 20.0);
    s.bank = 40.0 * std::sin(t / 90.0);
    s.flap_set = 2 + static_cast<int>(t / 60.0) % 3;
    s.flap_advised = 2 + static_cast<int>(t / 55.0) % 3;
    s.alarm_level = static_cast<int>(t / 17.0) % 5 - 1;
    s.circling = std::abs(s.bank) > 20.0;
    s.netto_average = 0.3;
    s.climb_average = 1.4;
    return s;
}

std::string read_bytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

KeptFlight read_text(const std::string& bytes) {
    std::istringstream in(bytes);
    return read_flight(in);
}

TEST(FlightFile, TwoHoursAtFiftyDatagramsASecondStaySmallAndReadBackAsKept) {
    TempDir dir;
    KeptFlight kept_flight;
    std::filesystem::path file;
    double seconds = 0.0;
    constexpr int kDatagrams = 2 * 3600 * 50;
    {
        FlightKeeper keeper(dir.path() / "Flights", diana());
        file = keeper.file();
        EXPECT_EQ(file.filename(), "2026-07-14_130509_Diana_2.kflight");
        const auto start = std::chrono::steady_clock::now();
        for (int n = 0; n < kDatagrams; ++n)
            keeper.take_sample(flying(n / 50.0));
        keeper.take_event({100.0, EventKind::key, -1, 0, 0, "volume up: volume 0.60"});
        keeper.take_event({100.0, EventKind::feedback, 2, 0, 0, "volume up"});
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        EXPECT_TRUE(keeper.problem().empty());
    }
    std::cout << "keeper: " << 1e6 * seconds / kDatagrams << " us per datagram offered; file "
              << std::filesystem::file_size(file) << " bytes\n";
    EXPECT_LT(std::filesystem::file_size(file), 2u * 1024 * 1024);
    // Under 0.1 % of a core at 50 datagrams a second: 20 us per datagram.
    EXPECT_LT(seconds / kDatagrams, 20e-6);

    const KeptFlight f = read_flight(file);
    EXPECT_EQ(f.problem, "");
    EXPECT_EQ(f.header.glider, "Diana 2");
    EXPECT_EQ(f.header.flaps, diana().flaps);
    ASSERT_EQ(f.header.reference_polar.size(), 2u);
    EXPECT_DOUBLE_EQ(f.header.reference_polar[1].second, -1.2);
    ASSERT_EQ(f.samples.size(), kDatagrams / 10u);
    for (std::size_t i = 0; i < f.samples.size(); i += 997) {
        const KeptSample& s = f.samples[i];
        const KeptSample want = flying(s.t);
        EXPECT_NEAR(s.t, i * 0.2, 1e-9);
        EXPECT_NEAR(s.tas, want.tas, 0.051);
        EXPECT_NEAR(s.altitude, want.altitude, 0.051);
        EXPECT_NEAR(s.netto, want.netto, 0.0051);
        EXPECT_EQ(s.flap_set, want.flap_set);
        EXPECT_EQ(s.alarm_level, want.alarm_level);
        EXPECT_EQ(s.circling, want.circling);
    }
    // Every change of the alarm level is an event, kept sample or not; the feedback of a key
    // is an event of its own.
    const auto count = [&](EventKind k) {
        return std::count_if(f.events.begin(), f.events.end(),
                             [k](const KeptEvent& e) { return e.kind == k; });
    };
    EXPECT_EQ(count(EventKind::alarm), 7200 / 17); // the first sample has no alarm
    EXPECT_EQ(count(EventKind::feedback), 1);

    // A flight started in the same second (a quick restart) keeps a file of its own.
    FlightKeeper again(dir.path() / "Flights", diana());
    EXPECT_EQ(again.file().filename(), "2026-07-14_130509_Diana_2-2.kflight");
    EXPECT_EQ(read_flight(file).samples.size(), kDatagrams / 10u);
}

TEST(FlightFile, WrittenDuringTheFlightSoACrashLosesLessThanAMinute) {
    TempDir dir;
    FlightKeeper keeper(dir.path(), diana());
    for (int n = 0; n <= 10 * 600; ++n) {
        keeper.take_sample(flying(n / 10.0));
        if (n % 100 != 0) continue;
        // What a crash now would leave: the file as it is.
        const KeptFlight f = read_flight(keeper.file());
        const double kept_until = f.samples.empty() ? 0.0 : f.samples.back().t;
        EXPECT_GT(kept_until, n / 10.0 - 60.0) << "at " << n / 10.0 << " s";
        EXPECT_EQ(f.problem, "");
    }
}

TEST(FlightFile, AnyCutOrDamageReadsBackTheWholePiecesBeforeIt) {
    TempDir dir;
    std::filesystem::path file;
    {
        FlightKeeper keeper(dir.path(), diana());
        file = keeper.file();
        for (int n = 0; n < 10 * 100; ++n)
            keeper.take_sample(flying(n / 10.0));
        keeper.take_event({99.0, EventKind::flap_call, 3, 0, 0, "up"});
    }
    const std::string bytes = read_bytes(file);
    const KeptFlight whole = read_text(bytes);
    ASSERT_EQ(whole.problem, "");
    // Ends of pieces: a file cut there reads without a problem.
    std::vector<std::size_t> piece_ends;
    for (std::size_t at = bytes.find("\n= "); at != std::string::npos;
         at = bytes.find("\n= ", at + 1))
        piece_ends.push_back(bytes.find('\n', at + 1) + 1);
    ASSERT_GE(piece_ends.size(), 4u);
    for (std::size_t cut = 0; cut < bytes.size(); cut += 7) {
        const KeptFlight f = read_text(bytes.substr(0, cut));
        const bool at_end =
            std::find(piece_ends.begin(), piece_ends.end(), cut) != piece_ends.end();
        EXPECT_EQ(f.problem.empty(), at_end) << "cut at " << cut << ": " << f.problem;
        ASSERT_LE(f.samples.size(), whole.samples.size());
        for (std::size_t i = 0; i < f.samples.size(); ++i)
            ASSERT_EQ(f.samples[i].t, whole.samples[i].t);
    }
    const std::size_t two_pieces = read_text(bytes.substr(0, piece_ends[2])).samples.size();
    const std::size_t one_piece = read_text(bytes.substr(0, piece_ends[1])).samples.size();
    const KeptFlight cut = read_text(bytes.substr(0, piece_ends[2] + 40));
    EXPECT_NE(cut.problem.find("is cut short (the program ended before writing it whole)"),
              std::string::npos)
        << cut.problem;
    EXPECT_EQ(cut.samples.size(), two_pieces);

    // A changed byte in the second piece: that piece goes, the others stay.
    std::string damaged = bytes;
    damaged[piece_ends[1] + 20] ^= 0x01;
    const KeptFlight d = read_text(damaged);
    EXPECT_NE(d.problem.find("is damaged"), std::string::npos) << d.problem;
    EXPECT_EQ(d.samples.size(), whole.samples.size() - (two_pieces - one_piece));

    // Bytes of any kind: read, never more than a problem.
    std::mt19937 random(27);
    for (int round = 0; round < 300; ++round) {
        std::string noise = bytes.substr(0, random() % bytes.size());
        for (int k = 0; k < 5; ++k)
            noise[random() % std::max<std::size_t>(noise.size(), 1)] = static_cast<char>(random());
        (void)read_text(noise);
        (void)read_text(std::string(random() % 200, static_cast<char>(random())));
    }
    EXPECT_NE(read_text("GIF89a").problem.find("not a Kalveo flight file"), std::string::npos);
}

} // namespace
} // namespace kalveo::debrief
