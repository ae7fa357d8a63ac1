// Registry values from a Wine prefix's registry files.
#include "platform/registry.h"
#include "platform/wine_registry.h"
#include "support/test_files.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::ScopedEnv;
using testing::TempDir;
using testing::write_file;

std::string text_of(const WineRegistry& reg, std::string_view key, std::string_view name) {
    const auto v = reg.find(key, name);
    return v ? v->data : "<missing>";
}

TEST(WineRegistryFile, StringsWithEscapesAndKeysWithoutCase) {
    const auto reg = WineRegistry::parse(
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\User\\\\S-1-5-21\n\n#arch=win64\n\n"
        "[Software\\\\Condor3] 1733616000\n#time=1db48f0a1b2c3d5\n"
        "\"InstallDir\"=\"C:\\\\Condor3\"\n"
        "\"LastPlayer\"=\"Jos\\xe9 \\\"Ace\\\"\"\n"
        "@=\"default\"\n");
    EXPECT_TRUE(reg.has_key("SOFTWARE\\Condor3\\"));
    EXPECT_EQ(text_of(reg, "SOFTWARE\\Condor3\\", "InstallDir"), "C:\\Condor3");
    EXPECT_EQ(text_of(reg, "software\\condor3", "installdir"), "C:\\Condor3");
    EXPECT_EQ(text_of(reg, "Software\\Condor3", "LastPlayer"), "Jos\xc3\xa9 \"Ace\"");
    EXPECT_EQ(text_of(reg, "Software\\Condor3", ""), "default");
    EXPECT_EQ(reg.find("Software\\Condor3", "Missing"), std::nullopt);
    EXPECT_FALSE(reg.has_key("Software\\Condor2"));
}

TEST(WineRegistryFile, ExpandableMultiHexAndDwordValues) {
    const auto reg = WineRegistry::parse(
        "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders]\r\n"
        "\"Personal\"=str(2):\"%USERPROFILE%\\\\Documents\"\r\n"
        "\"Music\"=hex(2):25,00,55,00,53,00,45,00,52,00,\\\r\n"
        "  50,00,52,00,4f,00,46,00,49,00,4c,00,45,00,25,00,00,00\r\n"
        "\"Count\"=dword:0000002a\r\n"
        "\"Octal\"=\"a\\101b\\tc\"\r\n");
    const auto key = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    const auto personal = reg.find(key, "Personal");
    ASSERT_TRUE(personal);
    EXPECT_EQ(personal->type, kRegExpandSz);
    EXPECT_EQ(personal->data, "%USERPROFILE%\\Documents");
    EXPECT_EQ(text_of(reg, key, "Music"), "%USERPROFILE%");
    const auto count = reg.find(key, "Count");
    ASSERT_TRUE(count);
    EXPECT_EQ(count->type, kRegDword);
    EXPECT_EQ(count->data, std::string("\x2a\0\0\0", 4));
    EXPECT_EQ(text_of(reg, key, "Octal"), "aAb\tc");
}

TEST(WineRegistryFile, DamagedLinesAreSkipped) {
    const auto reg = WineRegistry::parse(std::string("\"Orphan\"=\"no key\"\n"
                                                     "[Software\\\\Good]\n"
                                                     "\"Unterminated\"=\"abc\n"
                                                     "\"Bad\"=dword:xyz\n"
                                                     "\"Hex\"=hex:4g\n"
                                                     "garbage line\n") +
                                         std::string("\0\xff\x80\n", 4) +
                                         "[Software\\\\Broken\n\"Ok\"=\"yes\"\n");
    EXPECT_TRUE(reg.has_key("Software\\Good"));
    EXPECT_EQ(reg.find("Software\\Good", "Unterminated"), std::nullopt);
    EXPECT_EQ(reg.find("Software\\Good", "Bad"), std::nullopt);
    EXPECT_EQ(reg.find("Software\\Good", "Hex"), std::nullopt);
    EXPECT_FALSE(reg.has_key("Software\\Broken"));
    EXPECT_EQ(reg.find("Software\\Good", "Ok"), std::nullopt);
    EXPECT_EQ(normalise_registry_key("\\SOFTWARE\\\\Condor3\\"), "software\\condor3");
}

class RegistryRead : public ::testing::Test {
  protected:
    RegistryRead() : prefix_("WINEPREFIX", dir_.path().string()) {}

    int read(std::string_view key, std::string_view name, bool classes = false) {
        len_ = classes ? -1 : 0;
        ::testing::internal::CaptureStdout();
        const int status = RdUsrReg(key, name, value_, len_);
        console_ = ::testing::internal::GetCapturedStdout();
        return status;
    }

    TempDir dir_;
    ScopedEnv prefix_;
    std::string value_ = "stale";
    int len_ = 0;
    std::string console_;
};

TEST_F(RegistryRead, ValueOfTheCurrentUser) {
    write_file(dir_ / "user.reg", "WINE REGISTRY Version 2\n[Software\\\\Condor3] "
                                  "1\n\"InstallDir\"=\"D:\\\\Games\\\\Condor3\"\n");
    EXPECT_EQ(read("SOFTWARE\\Condor3\\", "InstallDir"), 0);
    EXPECT_EQ(value_, "D:\\Games\\Condor3");
    EXPECT_EQ(len_, 16);
    EXPECT_NE(console_.find("Subkey,name : SOFTWARE\\Condor3\\ InstallDir"), std::string::npos);
    EXPECT_NE(console_.find("value : D:\\Games\\Condor3"), std::string::npos);
}

TEST_F(RegistryRead, MissingFileKeyOrValueIsAFailureWithAnEmptyResult) {
    EXPECT_EQ(read("Software\\Condor3", "InstallDir"), kRegistryNotFound);
    EXPECT_EQ(value_, "");
    EXPECT_EQ(len_, 0);
    write_file(dir_ / "user.reg", "[Software\\\\Condor3]\n\"Other\"=\"x\"\n");
    EXPECT_EQ(read("Software\\Condor2", "InstallDir"), kRegistryNotFound);
    EXPECT_EQ(read("Software\\Condor3", "InstallDir"), kRegistryNotFound);
    EXPECT_EQ(value_, "");
}

TEST_F(RegistryRead, OverlongValueIsNotHandedBack) {
    write_file(dir_ / "user.reg", "[Software\\\\Condor3]\n\"LastPlayer\"=\"" +
                                      std::string(300, 'p') + "\"\n\"Fits\"=\"" +
                                      std::string(254, 'f') + "\"\n");
    EXPECT_EQ(read("Software\\Condor3", "LastPlayer"), kRegistryMoreData);
    EXPECT_EQ(value_, "");
    EXPECT_EQ(read("Software\\Condor3", "Fits"), 0);
    EXPECT_EQ(len_, 254);
}

TEST_F(RegistryRead, ClassesRootComesFromTheUserThenTheMachine) {
    write_file(dir_ / "system.reg", "[Software\\\\Classes\\\\acrobat\\\\shell\\\\open\\\\command]\n"
                                    "@=\"\\\"C:\\\\Reader\\\\AcroRd32.exe\\\" \\\"%1\\\"\"\n");
    EXPECT_EQ(read("acrobat\\shell\\open\\command", "", true), 0);
    EXPECT_EQ(value_, "\"C:\\Reader\\AcroRd32.exe\" \"%1\"");
    write_file(dir_ / "user.reg", "[Software\\\\Classes\\\\acrobat\\\\shell\\\\open\\\\command]\n"
                                  "@=\"user-reader %1\"\n");
    EXPECT_EQ(read("acrobat\\shell\\open\\command", "", true), 0);
    EXPECT_EQ(value_, "user-reader %1");
    // The current user's own keys are not the classes root.
    EXPECT_EQ(read("acrobat\\shell\\open\\command", ""), kRegistryNotFound);
}

} // namespace
} // namespace kalveo
