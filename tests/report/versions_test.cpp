#include "report/file_versions.h"
#include "report/log.h"
#include "support/test_files.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

namespace fs = std::filesystem;
using testing::read_file;
using testing::read_text;
using testing::ScopedCwd;
using testing::ScopedEnv;
using testing::TempDir;
using testing::write_file;

// Every test works in a fresh working folder, where the log also goes.
class VersionedNames : public ::testing::Test {
  protected:
    TempDir dir;
    ScopedCwd cwd{dir.path()};

    void touch(const std::string& name, std::string_view content = "x") {
        write_file(dir / name, content);
    }
    [[nodiscard]] bool exists(const std::string& name) const { return fs::exists(dir / name); }
};

std::string next_version(std::string name) {
    EXPECT_EQ(get_new_vers(name), 1);
    return name;
}

TEST_F(VersionedNames, FollowTheHighestExistingNumber) {
    touch("Settings/Kalveo.ini");
    touch("Settings/Kalveo_00000.ini");
    touch("Settings/Kalveo_00003.ini");
    EXPECT_EQ(next_version("Settings\\Kalveo.ini"), "Settings\\Kalveo_00004.ini");
}

TEST_F(VersionedNames, StartAtZeroAndWorkWithoutExtension) {
    fs::create_directory(dir / "Logs");
    EXPECT_EQ(next_version("Logs\\Run"), "Logs\\Run_00000");
    EXPECT_EQ(next_version("Kalveo.ini"), "Kalveo_00000.ini");
    // A backup with an extension is no version of the name without one.
    touch("Logs/Run_00004.txt");
    EXPECT_EQ(next_version("Logs\\Run"), "Logs\\Run_00000");
}

TEST_F(VersionedNames, KeepOnlyTheLastDotsExtension) {
    touch("a.b_00001.txt");
    touch("a_00007.txt");
    EXPECT_EQ(next_version("a.b.txt"), "a.b_00002.txt");
}

TEST_F(VersionedNames, DotInAFolderNameIsNoExtension) {
    fs::create_directories(dir / "Logs.old");
    touch("Logs.old/Run_00002");
    EXPECT_EQ(next_version("Logs.old\\Run"), "Logs.old\\Run_00003");
}

TEST_F(VersionedNames, WorkWithBlanksInNames) {
    touch("My Flights/Polar 1_00004.txt");
    EXPECT_EQ(next_version("My Flights\\Polar 1.txt"), "My Flights\\Polar 1_00005.txt");
}

TEST_F(VersionedNames, IgnoreNamesThatAreNotVersions) {
    for (const char* name :
         {"Kalveo_0001x.ini", "Kalveo_000012.ini", "Kalveo_0012.ini", "Kalveo_00009.ini.bak",
          "Kalveo_00009.txt", "XKalveo_00009.ini", "Kalveo-00009.ini", "Kalveo_+0009.ini"})
        touch(std::string("Settings/") + name);
    EXPECT_EQ(next_version("Settings\\Kalveo.ini"), "Settings\\Kalveo_00000.ini");
}

TEST_F(VersionedNames, WorkOnSimulatorDrivePaths) {
    ScopedEnv prefix("WINEPREFIX", dir.path().string());
    touch("drive_c/Condor3/Settings/UDP_00010.ini");
    EXPECT_EQ(next_version("C:\\Condor3\\Settings\\UDP.ini"),
              "C:\\Condor3\\Settings\\UDP_00011.ini");
}

TEST_F(VersionedNames, MissingFolderStillGivesTheFirstName) {
    EXPECT_EQ(next_version("Nowhere\\x.txt"), "Nowhere\\x_00000.txt");
}

TEST_F(VersionedNames, NoNumberLeftWarnsAndKeepsTheName) {
    TempDir answers;
    write_file(answers / "script.txt", "");
    ScopedEnv dialogs("KALVEO_DIALOGS", "script:" + (answers / "script.txt").string());
    set_error_log_folder(dir.path().string());

    touch("Run_99998.txt");
    std::string name = "Run.txt";
    ::testing::internal::CaptureStdout();
    const int result = get_new_vers(name);
    const std::string console = ::testing::internal::GetCapturedStdout();
    set_error_log_folder({});

    EXPECT_EQ(result, 0);
    EXPECT_EQ(name, "Run.txt");
    EXPECT_NE(console.find("warning"), std::string::npos) << console;
    EXPECT_NE(console.find("No new version could be determined for file: Run.txt"),
              std::string::npos)
        << console;
    EXPECT_NE(read_text(dir / "ErrorLog.txt").find("No new version could be determined"),
              std::string::npos);
}

TEST_F(VersionedNames, HighestFreeNumberIsStillGiven) {
    touch("Run_99997.txt");
    EXPECT_EQ(next_version("Run.txt"), "Run_99998.txt");
}

TEST_F(VersionedNames, CopyKeepsTheOldFileAndItsContent) {
    touch("Settings/Kalveo.ini", "[settings]\nMargin=10\n");
    touch("Settings/Kalveo_00001.ini", "older");
    std::string name = "Settings\\Kalveo.ini";
    EXPECT_EQ(save_old_file(name, true), 1);
    EXPECT_EQ(name, "Settings\\Kalveo_00002.ini");
    EXPECT_EQ(read_file(dir / "Settings/Kalveo.ini"), "[settings]\nMargin=10\n");
    EXPECT_EQ(read_file(dir / "Settings/Kalveo_00002.ini"), "[settings]\nMargin=10\n");
    EXPECT_EQ(read_file(dir / "Settings/Kalveo_00001.ini"), "older");
    EXPECT_EQ(fs::last_write_time(dir / "Settings/Kalveo_00002.ini"),
              fs::last_write_time(dir / "Settings/Kalveo.ini"));

    // A second backup takes the next number.
    name = "Settings\\Kalveo.ini";
    EXPECT_EQ(save_old_file(name, true), 1);
    EXPECT_EQ(name, "Settings\\Kalveo_00003.ini");
}

TEST_F(VersionedNames, RenameFreesTheOldName) {
    touch("Settings/Kalveo data.txt", "gliders");
    std::string name = "Settings\\Kalveo data.txt";
    EXPECT_EQ(save_old_file(name, false), 1);
    EXPECT_EQ(name, "Settings\\Kalveo data_00000.txt");
    EXPECT_FALSE(exists("Settings/Kalveo data.txt"));
    EXPECT_EQ(read_file(dir / "Settings/Kalveo data_00000.txt"), "gliders");
}

TEST_F(VersionedNames, SavingAMissingFileFailsAndLeavesNothing) {
    fs::create_directory(dir / "Settings");
    for (bool copy : {true, false}) {
        std::string name = "Settings\\Kalveo_data.txt";
        EXPECT_EQ(save_old_file(name, copy), 0);
        EXPECT_EQ(name, "Settings\\Kalveo_data_00000.txt");
        EXPECT_FALSE(exists("Settings/Kalveo_data_00000.txt"));
    }
}

TEST_F(VersionedNames, SavingIsLoggedOnOneLine) {
    touch("Kalveo.ini");
    std::string name = "Kalveo.ini";
    ::testing::internal::CaptureStdout();
    // The log of this folder, whatever log an earlier test left open.
    log_message_f("CREATE Logfile.txt");
    EXPECT_EQ(save_old_file(name, true), 1);
    std::string missing = "Gone.ini";
    EXPECT_EQ(save_old_file(missing, false), 0);
    ::testing::internal::GetCapturedStdout();

    const std::string log = read_text(dir / "Logfile.txt");
    EXPECT_NE(log.find("COPY Kalveo.ini -> Kalveo_00000.ini : done\n"), std::string::npos) << log;
    EXPECT_NE(log.find("REN Gone.ini -> Gone_00000.ini : failed"), std::string::npos) << log;
}

} // namespace
} // namespace kalveo
