#include "sim/sim_log.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

std::vector<std::string> numbered_lines(int count) {
    std::vector<std::string> lines;
    for (int i = 1; i <= count; ++i)
        lines.push_back("Loading item " + std::to_string(i));
    return lines;
}

TEST(LogVersion, MajorVersionIsTheNumberDividedByAThousand) {
    EXPECT_EQ(major_version_from_log({"Condor version: 3013"}), 3);
    EXPECT_EQ(major_version_from_log({"Log started", "Condor version:2150 (build 7)"}), 2);
    EXPECT_EQ(major_version_from_log({"Condor version: 999"}), 0);
}

TEST(LogVersion, OnlyTheFirstSixLinesAndTheFirstVersionLineCount) {
    auto lines = numbered_lines(5);
    lines.push_back("Condor version: 3013");
    EXPECT_EQ(major_version_from_log(lines), 3);
    lines.insert(lines.begin(), "Log started");
    EXPECT_EQ(major_version_from_log(lines), 0);
    EXPECT_EQ(major_version_from_log({"Condor version: 2150", "Condor version: 3013"}), 2);
}

TEST(LogVersion, MissingOrUnreadableVersionGivesZero) {
    EXPECT_EQ(major_version_from_log({}), 0);
    EXPECT_EQ(major_version_from_log({"Condor version: three"}), 0);
    EXPECT_EQ(major_version_from_log({"Condor version:"}), 0);
    EXPECT_EQ(major_version_from_log({"  Condor version: 3013"}), 0);
}

TEST(LogFlightState, EntryBeforeTheLastLeaveIsNotInFlight) {
    auto lines = numbered_lines(70);
    lines[39] = "ENTERED SIMULATION AT 12:00:00";
    lines[54] = "LEAVING SIMULATION AT 12:40:00";
    EXPECT_EQ(flight_state_from_log(lines), 0);
    lines[59] = "ENTERED SIMULATION AT 13:00:00";
    EXPECT_EQ(flight_state_from_log(lines), 1);
}

TEST(LogFlightState, ShutdownEndsAnyFlightAndNoEntryMeansNeverFlown) {
    auto lines = numbered_lines(10);
    EXPECT_EQ(flight_state_from_log(lines), -1);
    lines[3] = "ENTERED SIMULATION AT 12:00:00";
    EXPECT_EQ(flight_state_from_log(lines), 1);
    lines[8] = "SHUTTING DOWN CONDOR.";
    EXPECT_EQ(flight_state_from_log(lines), 0);
    EXPECT_EQ(flight_state_from_log({"LEAVING SIMULATION AT 12:40:00"}), 0);
}

TEST(LogFlightState, ALineCountsOnlyForTheFirstMarkerItHolds) {
    // An entry line that also names a leave is an entry.
    EXPECT_EQ(flight_state_from_log({"ENTERED SIMULATION AT 1 / LEAVING SIMULATION AT 2"}), 1);
    // A leave line that also names a shutdown is a leave only.
    EXPECT_EQ(flight_state_from_log({"ENTERED SIMULATION AT 1", "ENTERED SIMULATION AT 2",
                                     "LEAVING SIMULATION AT 3, SHUTTING DOWN CONDOR.",
                                     "ENTERED SIMULATION AT 4"}),
              1);
}

} // namespace
} // namespace kalveo
