// The start-up's checks: versions, a writable settings folder, the simulator's UDP settings.
#include "shell/startup_checks.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::TempDir;
using testing::write_file;

TEST(VersionCheckTest, OnlyMajorAndMinorCount) {
    EXPECT_EQ(compare_versions(3210, 3200), VersionVerdict::same);
    EXPECT_EQ(compare_versions(3210, 3299), VersionVerdict::same);
    EXPECT_EQ(compare_versions(3210, 3105), VersionVerdict::program_newer);
    EXPECT_EQ(compare_versions(3210, 3300), VersionVerdict::file_newer);
}

TEST(VersionCheckTest, ASettingsFileWithoutVersionIsOlder) {
    EXPECT_EQ(compare_versions(vers_num(), 0), VersionVerdict::program_newer);
}

TEST(WritableFolderTest, AFolderThatTakesFilesPassesAndIsLeftClean) {
    TempDir dir;
    EXPECT_TRUE(folder_accepts_files(dir.path().string()));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(WritableFolderTest, AMissingFolderOrAFileInItsPlaceFails) {
    TempDir dir;
    EXPECT_FALSE(folder_accepts_files((dir / "nowhere").string()));
    write_file(dir / "Settings", "not a folder");
    EXPECT_FALSE(folder_accepts_files((dir / "Settings").string()));
}

TEST(SimulatorUdpTest, PortIntervalAndHostMustAgree) {
    const SimulatorUdp base{55278, 100, 1, "127.0.0.1"};
    SimulatorUdp other = base;
    EXPECT_FALSE(udp_settings_differ(base, other));
    other.extended = 0;
    EXPECT_FALSE(udp_settings_differ(base, other)) << "the extended flag is not compared";
    other.host = "127.0.0.1   ";
    EXPECT_FALSE(udp_settings_differ(base, other));
    other.port = 55279;
    EXPECT_TRUE(udp_settings_differ(base, other));
    other = base;
    other.send_interval = 50;
    EXPECT_TRUE(udp_settings_differ(base, other));
    other = base;
    other.host = "192.168.1.5";
    EXPECT_TRUE(udp_settings_differ(base, other));
}

TEST(SimulatorUdpTest, TheSimulatorsPortIsTheLargerOfTheInstalledOnes) {
    EXPECT_EQ(simulator_port(false, false, -1, -1), -1);
    EXPECT_EQ(simulator_port(false, true, -1, 55300), 55300);
    EXPECT_EQ(simulator_port(true, false, 55278, -1), 55278);
    EXPECT_EQ(simulator_port(true, true, 55278, 55300), 55300);
}

} // namespace
} // namespace kalveo
