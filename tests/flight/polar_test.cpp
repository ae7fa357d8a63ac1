// Polar mode: numbered result files, point recording, the reference polar, the trace.
#include "config/records.h"
#include "flight/polar_mode.h"
#include "flight/records.h"
#include "flight_test_support.h"
#include "report/log.h"
#include "sample_install/sample_install.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace kalveo {
namespace {

using testing::Datagram;
using testing::FlightTest;
using testing::TestFlight;

std::vector<std::string> lines_of(const std::filesystem::path& file) {
    std::istringstream in(testing::read_text(file));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

Datagram steady(double ias) {
    return Datagram().set("airspeed", ias).set("altitude", 1000.0).set("vz", -0.8);
}

void fly(TestFlight& f, const Datagram& d, double seconds) {
    for (int i = 0; i < static_cast<int>(seconds / 0.04); ++i)
        f.send(d);
}

// A flight with polar mode switched on (switch -p).
struct PolarFlight : TestFlight {
    explicit PolarFlight(const testing::TestGlider& glider = {}, bool french = false)
        : TestFlight(glider) {
        change_settings([french](Settings& s) {
            s.program.polar = true;
            s.program.french = french;
        });
    }
};

class PolarMode : public FlightTest {
  protected:
    std::filesystem::path polars() const { return dir_.path() / "Polars"; }
};

TEST_F(PolarMode, EachFlightWritesNewNumberedResultFiles) {
    PolarFlight f;
    f.send(steady(30.0));
    f.change_settings([](Settings&) {}); // a settings restart
    f.send(steady(30.0));
    for (const char* n : {"00000", "00001"}) {
        const auto table =
            lines_of(polars() / ("TestGlider-FlightPolar_" + std::string(n) + ".txt"));
        ASSERT_EQ(table.size(), 1u) << n;
        EXPECT_EQ(table[0], " t z TAS IAS Vz_C Vz_C_Mod z(n-1) TAS(n-1) IAS(n-1) Vz_C_Cen "
                            "Vz_C_Cen_Mod");
        // The comma-separated file is numbered again after the table's numbered name.
        const auto csv =
            lines_of(polars() / ("TestGlider-FlightPolar_" + std::string(n) + "_00000.csv"));
        ASSERT_EQ(csv.size(), 1u) << n;
        EXPECT_EQ(csv[0], "IAS,Vz_C,Flaps");
    }
}

TEST_F(PolarMode, WithoutAGliderNameTheFilesHaveTheirPlainNames) {
    PolarFlight f({.name = ""});
    f.send(steady(30.0));
    EXPECT_TRUE(std::filesystem::exists(polars() / "FlightPolar_00000.txt"));
    EXPECT_TRUE(std::filesystem::exists(polars() / "FlightPolar_00000_00000.csv"));
}

TEST_F(PolarMode, APointIsRecordedOnceTheSpeedIsSteady) {
    PolarFlight f;
    fly(f, steady(30.0), 1.0);
    f.cycle.request_polar_point();
    // Accelerating: the request waits.
    for (int i = 0; i < 50; ++i)
        f.send(steady(30.0 + i * 0.04));
    EXPECT_TRUE(f.records().my_tas_0.qwrpol);
    EXPECT_TRUE(f.rec.last.reading.recording_polar_point) << "the display shows the wait";
    EXPECT_TRUE(f.rec.beeps.empty());
    fly(f, steady(32.0), 6.0);
    EXPECT_FALSE(f.records().my_tas_0.qwrpol);
    EXPECT_FALSE(f.rec.last.reading.recording_polar_point);
    ASSERT_EQ(f.rec.beeps.size(), 1u);
    EXPECT_EQ(f.rec.beeps[0], std::make_pair(930, 100));
    EXPECT_EQ(f.rec.last.nbpol, 1);

    const auto table = lines_of(polars() / "TestGlider-FlightPolar_00000.txt");
    ASSERT_EQ(table.size(), 2u);
    double value = 0.0;
    std::istringstream items(table[1]);
    std::vector<double> values;
    while (items >> value)
        values.push_back(value);
    ASSERT_EQ(values.size(), 11u);
    EXPECT_NEAR(values[3], 32.0, 1e-4) << "IAS";
    EXPECT_NEAR(values[4], -0.8, 1e-3) << "energy-compensated vario at a steady speed";
    EXPECT_EQ(table[1].size(), 11u * 13u) << "eleven fields of 13 characters";

    const auto csv = lines_of(polars() / "TestGlider-FlightPolar_00000_00000.csv");
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[1].substr(0, 13), "     32.0000,");
    EXPECT_EQ(csv[1].back(), ',') << "no flap name without flaps=";
}

TEST_F(PolarMode, TheSimulatorsFlapPositionGoesWithThePoint) {
    PolarFlight f({.flaps = {{0.0, "L"}, {25.0, "+2"}, {33.0, "0"}}});
    fly(f, steady(30.0).set("flaps", 1), 4.0);
    f.cycle.request_polar_point();
    fly(f, steady(30.0).set("flaps", 1), 0.2);
    const auto csv = lines_of(polars() / "TestGlider-FlightPolar_00000_00000.csv");
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[1].substr(csv[1].size() - 3), ",+2");
}

TEST_F(PolarMode, FrenchSettingsGiveDecimalCommas) {
    PolarFlight f({}, true);
    fly(f, steady(30.0), 4.0);
    f.cycle.request_polar_point();
    fly(f, steady(30.0), 0.2);
    const auto csv = lines_of(polars() / "TestGlider-FlightPolar_00000_00000.csv");
    ASSERT_EQ(csv.size(), 2u);
    EXPECT_EQ(csv[0], "IAS;Vz_C;Flaps");
    EXPECT_EQ(csv[1].substr(0, 13), "     30,0000;");
}

TEST_F(PolarMode, RecordedPointsStopAtEntry100) {
    PolarFlight f;
    fly(f, steady(30.0), 4.0);
    for (int point = 0; point < 105; ++point) {
        f.cycle.request_polar_point();
        f.send(steady(30.0));
    }
    EXPECT_EQ(f.rec.last.nbpol, 100);
    EXPECT_EQ(f.rec.beeps.size(), 105u);
    EXPECT_EQ(lines_of(polars() / "TestGlider-FlightPolar_00000.txt").size(), 106u)
        << "the files take every point";
}

// /dev/full takes no byte, as a full disk.
TEST_F(PolarMode, APointThatCannotBeWrittenIsLoggedOnce) {
    set_error_log_folder(dir_.path().string() + "/");
    log_message_f("CREATE Logfile.txt");
    PolarState st;
    st.polfile = "Polars\\Full.txt";
    st.csvfile = "Polars\\Full.csv";
    st.table.open("/dev/full");
    st.csv.open("/dev/full");
    ASSERT_TRUE(st.table.is_open() && st.csv.is_open());
    PolarSample point;
    point.ias = 30.0;
    point.vz_comp_c_m = -0.8;
    FlightRecords f;
    for (int i = 0; i < 3; ++i) {
        f.my_tas_0.qwrpol = true;
        record_polar_point(point, st, FlightOutputs{}, f);
        EXPECT_FALSE(f.my_tas_0.qwrpol);
    }
    EXPECT_EQ(st.nbpol, 3) << "the points still reach the display";
    const std::string log = testing::read_text(dir_.path() / "Logfile.txt");
    const std::string line = "Polar point could not be written : Polars\\Full.txt";
    EXPECT_NE(log.find(line), std::string::npos) << log;
    EXPECT_EQ(log.find(line), log.rfind(line)) << log;
    EXPECT_EQ(log.find("Full.csv"), std::string::npos) << log;
    set_error_log_folder({});
}

TEST_F(PolarMode, TheGlidersReferencePolarFollowsTheRecordedPoints) {
    testing::ScopedEnv prefix("WINEPREFIX", (dir_.path() / "prefix").string());
    const SampleInstall sample = build_sample_installation(dir_.path() / "prefix");
    ASSERT_TRUE(sample.ok) << sample.error;
    Installation installation;
    installation.instpath3 = sample.condor3.install_dir;
    installation.condor_version = 3;
    PolarFlight f({.name = "LS8neo"});
    f.cycle.take_installation(installation);
    f.send(steady(30.0));
    EXPECT_GT(f.rec.last.nbfpl, kRecordedPolarMax + 3);
    EXPECT_LE(f.rec.last.nbfpl, kPolarTableSize - 1);
    EXPECT_GT(f.rec.last.reading.min_sink_speed, 15.0) << "speed of the polar's first node (m/s)";
    EXPECT_DOUBLE_EQ(f.rec.last.reading.min_sink_speed,
                     f.cycle.state().polar.vvpol[kReferencePolarFirst].speed);
}

TEST_F(PolarMode, WithoutAReferencePolarThereIsNoSpeedOfLeastSink) {
    PolarFlight f;
    f.send(steady(30.0));
    EXPECT_EQ(f.rec.last.nbfpl, 0);
    EXPECT_DOUBLE_EQ(f.rec.last.reading.min_sink_speed, 0.0);
}

TEST(SpeedTrace, IsRelativeToThePresentSpeed) {
    PolarState st;
    follow_speed_trace(30.0, st);
    EXPECT_DOUBLE_EQ(st.vval[0], 0.0);
    EXPECT_DOUBLE_EQ(st.vval[1], -60.0) << "no history: a band of one m/s";
    follow_speed_trace(30.0, st);
    EXPECT_DOUBLE_EQ(st.vval[1], 0.0);
    EXPECT_DOUBLE_EQ(st.vval[2], -1.0) << "scaled by the difference to the empty history";
    for (int i = 0; i < 300; ++i)
        follow_speed_trace(30.0 + (i % 2) * 0.2, st);
    EXPECT_DOUBLE_EQ(st.vval[0], 0.0);
    EXPECT_NEAR(st.vval[1], -0.4, 1e-9) << "steady speeds: a band of one m/s around it";
}

} // namespace
} // namespace kalveo
