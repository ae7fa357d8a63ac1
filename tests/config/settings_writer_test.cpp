#include "config/settings.h"
#include "config/settings_writer.h"
#include "config_fixture.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

#ifdef _WIN32
constexpr const char* kEnd = "\r\n";
#else
constexpr const char* kEnd = "\n";
#endif

std::string lines(std::initializer_list<const char*> items) {
    std::string out;
    for (const char* item : items)
        out += std::string(item) + kEnd;
    return out;
}

using SettingsRewrite = testing::ConfigTest;

TEST_F(SettingsRewrite, TemplateLinesDropCommentsStayKeysTakeTheValuesInForce) {
    Settings settings;
    settings.display.font_size = 31;
    EXPECT_EQ(
        rewrite_settings_text("* only in the template\n# a comment  \nFont size=24\n\n"
                              "a line without equal sign\nUnknown key=7   \n",
                              settings),
        lines({"# a comment", "Font size=31", "", "a line without equal sign", "Unknown key=7"}));
}

TEST_F(SettingsRewrite, ValuesAreWrittenInTheFormsTheReaderTakes) {
    Settings settings =
        read_settings_file("Opacity=50\nColVNE=red\nKey horizon=CTRL+SHFT+\"O\"\n"
                           "Hor. position=C\nVer. position=120\nFlaps_AverageTime=1.5\n"
                           "FlapSoundMaxBank=25\nGeneral volume=80\nAH Standard=1\n"
                           "Unit=kts\nAuto update=y\nText editor=  gedit  \n");
    settings.program.file_version = 3301;
    EXPECT_EQ(
        rewrite_settings_text("Opacity=\nColVNE=\nKey horizon=\nHor. position=\n"
                              "Ver. position=\nFlaps_AverageTime=\nFlapSoundMaxBank=\n"
                              "General volume=\nAH Standard=\nUnit=\nAuto update=\n"
                              "Text editor=\nKalveo Version=0\nVNE=\nDV1=\nLanguage=EN\n",
                              settings),
        lines({"Opacity=50", "ColVNE=#FF0000", "Key horizon=CTRL+SHFT+\"O\"", "Hor. position=C",
               "Ver. position=120", "Flaps_AverageTime=1.5", "FlapSoundMaxBank=25",
               "General volume=80", "AH Standard=1", "Unit=kts", "Auto update=1",
               "Text editor=gedit", "Kalveo Version=3301", "VNE=", "DV1=", "Language="}));
}

TEST_F(SettingsRewrite, UnsetSpeedsAreWrittenEmptyAndReadBackUnset) {
    Settings settings;
    settings.speeds.vne = -10000.0;
    settings.speeds.dv1 = -900.0;
    settings.speeds.dv2 = 0.0;
    EXPECT_EQ(rewrite_settings_text("VNE=1\nDV1=1\nDV2=1\n", settings),
              lines({"VNE=", "DV1=", "DV2="}));
    settings.speeds.vne = 277.5;
    settings.speeds.dv1 = -5.0;
    settings.speeds.dv2 = 20.0;
    EXPECT_EQ(rewrite_settings_text("VNE=\nDV1=\nDV2=\n", settings),
              lines({"VNE=277.5", "DV1=-5", "DV2=20"}));
}

TEST_F(SettingsRewrite, CustomUnitIsWrittenWithItsFactor) {
    const Settings settings = read_settings_file("Unit=knots=1.9438444\n");
    EXPECT_EQ(rewrite_settings_text("Unit=kmh\n", settings), lines({"Unit=knots=1.9438444"}));
}

TEST_F(SettingsRewrite, RewriteKeepsANumberedCopyAndReplacesTheFile) {
    write("Settings\\Kalveo_default.ini", "# new template\nFont size=24\nPort=1\n");
    write("Settings\\Kalveo_00003.ini", "older");
    const Settings settings = read_settings_file("Font size=30\nold line\n");
    EXPECT_EQ(rewrite_ini(settings, 3301), 0);
    EXPECT_EQ(read("Settings\\Kalveo.ini"),
              lines({"# new template", "Font size=30", "Port=55278"}));
    EXPECT_EQ(read("Settings\\Kalveo_00004.ini"), "Font size=30\nold line\n");
    EXPECT_FALSE(exists("Settings\\Kalveo.ini.tmp"));
}

TEST_F(SettingsRewrite, AShorterNewFileLeavesNoOldTail) {
    write("Settings\\Kalveo_default.ini", "Port=1\n");
    const Settings settings = read_settings_file("Port=2\n" + std::string(2000, '#') + "\n");
    EXPECT_EQ(rewrite_ini(settings, 3301), 0);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), lines({"Port=2"}));
}

TEST_F(SettingsRewrite, AMissingTemplateLeavesTheSettingsAlone) {
    const Settings settings = read_settings_file("Port=2\n");
    EXPECT_NE(rewrite_ini(settings, 3301), 0);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), "Port=2\n");
    EXPECT_FALSE(exists("Settings\\Kalveo_00000.ini"));
}

class SavePositions : public testing::ConfigTest {
  protected:
    static constexpr const char* kFile = "# Window places\r\n"
                                         "Hor. position=R\r\n"
                                         "#Ver. position=T\r\n"
                                         "Font size=24   \r\n"
                                         "Ver. position = T\r\n"
                                         "AH hor. position=C\r\n"
                                         "\r\n"
                                         "AH ver. position=T\r\n"
                                         "Port=55278";
};

TEST_F(SavePositions, OnlyTheFourPositionLinesChange) {
    write("Settings\\Kalveo.ini", kFile);
    write_ini(0, 1000002, 120, 40, 1000003);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), "# Window places\r\n"
                                            "Hor. position=C\r\n"
                                            "#Ver. position=T\r\n"
                                            "Font size=24   \r\n"
                                            "Ver. position=120\r\n"
                                            "AH hor. position=40\r\n"
                                            "\r\n"
                                            "AH ver. position=B\r\n"
                                            "Port=55278");
    EXPECT_EQ(read("Settings\\Kalveo.ini.bak"), kFile);
    EXPECT_FALSE(exists("Settings\\Kalveo.ini.tmp"));
}

TEST_F(SavePositions, SavedPositionsReadBack) {
    write("Settings\\Kalveo.ini", kFile);
    write_ini(0, 1000001, 1000002, -15, 1000001);
    const std::optional<Settings> settings = rd_ini();
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->display.text_x, 1000001);
    EXPECT_EQ(settings->display.text_y, 1000002);
    EXPECT_EQ(settings->display.horizon_x, -15);
    EXPECT_EQ(settings->display.horizon_y, 1000001);
}

TEST_F(SavePositions, AMissingPositionKeyIsNotAdded) {
    write("Settings\\Kalveo.ini", "Port=1\nHor. position=R\n");
    write_ini(0, 5, 6, 7, 8);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), "Port=1\nHor. position=5\n");
}

TEST_F(SavePositions, OtherGroupsWriteNothing) {
    write("Settings\\Kalveo.ini", kFile);
    write_ini(1, 5, 6, 7, 8);
    EXPECT_EQ(read("Settings\\Kalveo.ini"), kFile);
    EXPECT_FALSE(exists("Settings\\Kalveo.ini.bak"));
}

TEST_F(SavePositions, AMissingSettingsFileStopsTheProgram) {
    EXPECT_EXIT(write_ini(0, 1, 2, 3, 4), ::testing::ExitedWithCode(1), "");
}

} // namespace
} // namespace kalveo
