#include "platform/paths.h"

#include <gtest/gtest.h>

#include "support/test_files.h"

namespace kalveo {
namespace {

using testing::ScopedEnv;
using testing::TempDir;

TEST(NativePath, RelativeBackslashNamesBecomeNativeRelativePaths) {
    EXPECT_EQ(native_path("Settings\\Kalveo.ini"), std::filesystem::path("Settings/Kalveo.ini"));
    EXPECT_EQ(native_path("Logs\\My Flights\\a b.txt"),
              std::filesystem::path("Logs/My Flights/a b.txt"));
    EXPECT_EQ(native_path("/already/native"), std::filesystem::path("/already/native"));
}

TEST(NativePath, DriveLettersMapIntoTheWinePrefix) {
    TempDir prefix;
    ScopedEnv env("WINEPREFIX", prefix.path().string());
    // Without dosdevices links, C: is the prefix's drive_c.
    EXPECT_EQ(native_path("C:\\Condor3\\Logs\\Logfile.txt"),
              prefix.path() / "drive_c/Condor3/Logs/Logfile.txt");
    EXPECT_EQ(native_path("c:\\"), prefix.path() / "drive_c");

    // With a dosdevices link, the link is followed by the file system.
    std::filesystem::create_directories(prefix.path() / "dosdevices");
    std::filesystem::create_directories(prefix.path() / "elsewhere/Games");
    std::filesystem::create_directory_symlink(prefix.path() / "elsewhere",
                                              prefix.path() / "dosdevices/d:");
    testing::write_file(prefix.path() / "elsewhere/Games/x.txt", "x");
    EXPECT_EQ(testing::read_file(native_path("D:\\Games\\x.txt")), "x");
}

TEST(NativePath, WinePrefixDefaultsToDotWineInHome) {
    ScopedEnv unset("WINEPREFIX", std::nullopt);
    ScopedEnv home("HOME", "/home/pilot");
    EXPECT_EQ(wine_prefix(), std::filesystem::path("/home/pilot/.wine"));
}

} // namespace
} // namespace kalveo
