// Environment variables as the simulator's side sees them, and key names.
#include "platform/key_names.h"
#include "platform/win_env.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::ScopedEnv;

TEST(WindowsEnvironment, HostFirstThenThePrefixDefaults) {
    ScopedEnv user("USER", "glider");
    ScopedEnv profile("USERPROFILE", std::nullopt);
    ScopedEnv appdata("APPDATA", std::nullopt);
    EXPECT_EQ(windows_env("USERPROFILE"), "C:\\users\\glider");
    EXPECT_EQ(windows_env("userprofile"), "C:\\users\\glider");
    EXPECT_EQ(windows_env("APPDATA"), "C:\\users\\glider\\AppData\\Roaming");
    EXPECT_EQ(windows_env("SystemDrive"), "C:");
    EXPECT_EQ(windows_env("KALVEO_NO_SUCH_VARIABLE"), std::nullopt);
    EXPECT_EQ(windows_env(""), std::nullopt);

    ScopedEnv host("USERPROFILE", "Z:\\home\\glider");
    EXPECT_EQ(windows_env("USERPROFILE"), "Z:\\home\\glider");
}

TEST(WindowsEnvironment, LoginNameFallsBackFromUserToLogname) {
    ScopedEnv user("USER", "");
    ScopedEnv logname("LOGNAME", "second");
    EXPECT_EQ(wine_login_name(), "second");
}

TEST(WindowsEnvironment, MyGetEnvReturnsTheLength) {
    ScopedEnv var("KALVEO_TEST_VALUE", "abc");
    std::string value = "old";
    int len = -1;
    EXPECT_EQ(MyGetEnv("KALVEO_TEST_VALUE", value, len), 3);
    EXPECT_EQ(value, "abc");
    EXPECT_EQ(len, 3);
    EXPECT_EQ(MyGetEnv("KALVEO_NO_SUCH_VARIABLE", value, len), 0);
    EXPECT_EQ(value, "");
    EXPECT_EQ(len, 0);
}

TEST(KeyNames, UsKeyboardScanCodes) {
    EXPECT_EQ(scan_code_name(1), "Esc");
    EXPECT_EQ(scan_code_name(16), "Q");
    EXPECT_EQ(scan_code_name(28), "Enter");
    EXPECT_EQ(scan_code_name(30), "A");
    EXPECT_EQ(scan_code_name(44), "Z");
    EXPECT_EQ(scan_code_name(57), "Space");
    EXPECT_EQ(scan_code_name(59), "F1");
    EXPECT_EQ(scan_code_name(68), "F10");
    EXPECT_EQ(scan_code_name(71), "Num 7");
    EXPECT_EQ(scan_code_name(83), "Num Del");
    EXPECT_EQ(scan_code_name(87), "F11");
    EXPECT_EQ(scan_code_name(88), "F12");
}

TEST(KeyNames, ExtendedKeysAndUnknownCodes) {
    EXPECT_EQ(scan_code_name(28 + 256), "Num Enter");
    EXPECT_EQ(scan_code_name(29 + 256), "Right Ctrl");
    EXPECT_EQ(scan_code_name(72 + 256), "Up");
    EXPECT_EQ(scan_code_name(83 + 256), "Delete");
    EXPECT_EQ(scan_code_name(0), std::nullopt);
    EXPECT_EQ(scan_code_name(-5), std::nullopt);
    EXPECT_EQ(scan_code_name(89), std::nullopt);
    EXPECT_EQ(scan_code_name(30 + 256), std::nullopt);
}

} // namespace
} // namespace kalveo
