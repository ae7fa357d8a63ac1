#include "config/records.h"
#include "config/setup_ini.h"
#include "config_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class SetupIni : public testing::ConfigTest {
  protected:
    SetupIni() { rdstng00 = Rdstng00Record{}; }
};

TEST_F(SetupIni, ReadsTheOptionsSectionAndWhatFollowsIt) {
    write("Pilot\\Setup.ini", "[General]\r\nUnits=2\r\n[Options]\r\nUnits=1\r\n"
                              "AltimeterSetting=1\r\n[Sound]\r\nAveragerTimeConstant=3\r\n");
    EXPECT_EQ(read_settings("Pilot\\Setup.ini", false), 0);
    EXPECT_EQ(rdstng00.nunit_cndr, 1);
    EXPECT_EQ(rdstng00.altsttng, 1);
    EXPECT_DOUBLE_EQ(rdstng00.tau_int, 20.0);
}

TEST_F(SetupIni, KeysBeforeTheOptionsSectionAndBlankValuesAreIgnored) {
    parse_setup_text("Units=2\n[Options] \nUnits=\nAltimeterSetting=x\n");
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
    EXPECT_EQ(rdstng00.altsttng, 0);
    EXPECT_NE(log_text().find("AltimeterSetting=x"), std::string::npos);
}

TEST_F(SetupIni, AHeaderWithMoreTextIsNoHeader) {
    parse_setup_text("[Options] old\nUnits=2\n" + std::string(500, 'x') + "\n");
    EXPECT_EQ(rdstng00.nunit_cndr, 0);
}

TEST_F(SetupIni, AMissingFileIsAnError) {
    EXPECT_NE(read_settings("Pilot\\Setup.ini", true), 0);
    EXPECT_NE(log_text().find("OPEN"), std::string::npos);
}

} // namespace
} // namespace kalveo
