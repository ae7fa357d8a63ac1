#include "config/records.h"
#include "config/setup_ini.h"
#include "config_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using SetupIni = testing::ConfigTest;

TEST_F(SetupIni, ReadsTheOptionsSectionAndWhatFollowsIt) {
    write("Pilot\\Setup.ini", "[General]\r\nUnits=2\r\n[Options]\r\nUnits=1\r\n"
                              "AltimeterSetting=1\r\n[Sound]\r\nAveragerTimeConstant=3\r\n");
    const SetupIniRead read = read_settings("Pilot\\Setup.ini", false);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.options.nunit_cndr, 1);
    EXPECT_EQ(read.options.altsttng, 1);
    EXPECT_DOUBLE_EQ(read.options.tau_int, 20.0);
}

TEST_F(SetupIni, KeysBeforeTheOptionsSectionAndBlankValuesAreIgnored) {
    const Rdstng00Record options =
        parse_setup_text("Units=2\n[Options] \nUnits=\nAltimeterSetting=x\n");
    EXPECT_EQ(options.nunit_cndr, 0);
    EXPECT_EQ(options.altsttng, 0);
    EXPECT_NE(log_text().find("AltimeterSetting=x"), std::string::npos);
}

TEST_F(SetupIni, AHeaderWithMoreTextIsNoHeader) {
    EXPECT_EQ(
        parse_setup_text("[Options] old\nUnits=2\n" + std::string(500, 'x') + "\n").nunit_cndr, 0);
}

TEST_F(SetupIni, AMissingFileIsAnError) {
    EXPECT_NE(read_settings("Pilot\\Setup.ini", true).status, 0);
    EXPECT_NE(log_text().find("OPEN"), std::string::npos);
}

} // namespace
} // namespace kalveo
