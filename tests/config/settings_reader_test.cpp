#include "config/records.h"
#include "config/settings.h"
#include "config_fixture.h"
#include "flight/records.h"
#include "keys/records.h"
#include "link/records.h"
#include "report/records.h"
#include "sim/records.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

using testing::take_settings_snapshot;

class SettingsReader : public testing::ConfigTest {
  protected:
    // Reads a settings text as the program reads its file.
    void read_text(std::string_view text) {
        write("Settings\\Kalveo.ini", text);
        ASSERT_EQ(rd_ini(), 1);
    }
};

TEST_F(SettingsReader, KeysMatchExactlyWhateverTheBlanksAroundTheEqualSign) {
    read_text("Port = 4000\n");
    EXPECT_EQ(communic_0.udp_port, 4000);
    read_text("Port=4001\n");
    EXPECT_EQ(communic_0.udp_port, 4001);
    read_text("  Port   =4002   \n");
    EXPECT_EQ(communic_0.udp_port, 4002);
    read_text("port=4003\nPORT=4004\nPort number=4005\n");
    EXPECT_EQ(communic_0.udp_port, 4002);
}

TEST_F(SettingsReader, ABlankValueOrAMissingKeyKeepsTheDefault) {
    read_text("Port=\nFont size=   \nForward Address=\n");
    EXPECT_EQ(communic_0.udp_port, 55278);
    EXPECT_EQ(option.fntsiz, 24);
    EXPECT_EQ(communic_c.fwd_addr, "127.0.0.1");
}

TEST_F(SettingsReader, TheLaterOfTwoLinesWins) {
    read_text("Font size=30\nFont size=18\n");
    EXPECT_EQ(option.fntsiz, 18);
}

TEST_F(SettingsReader, OnlyAHashInTheFirstColumnMakesAComment) {
    read_text("#Font size=30\n #Font size=31\nFont size=18 # small\n");
    EXPECT_EQ(option.fntsiz, 18);
    EXPECT_EQ(files.numlin, 3);
    EXPECT_EQ(files.nl_act, 2);
}

TEST_F(SettingsReader, CountsLinesAndTheLongestLine) {
    read_text("# comment\n\nPort=1\nFont name=verdana      \n");
    EXPECT_EQ(files.numlin, 4);
    EXPECT_EQ(files.nl_act, 2);
    EXPECT_EQ(files.maxlin, 17);
}

TEST_F(SettingsReader, OverLongLinesAndLinesWithoutEqualSignAreHarmless) {
    const std::string long_line = "Font name=" + std::string(5000, 'x') + "\n";
    read_text("this line has no equal sign\n" + long_line + "Font size=20\n" +
              std::string(300, '=') + "\n" + "Font name\n");
    EXPECT_EQ(my_tas_c.fntnam, std::string(30, 'x'));
    EXPECT_EQ(option.fntsiz, 20);
    EXPECT_EQ(files.maxlin, 256);
}

TEST_F(SettingsReader, WindowsLineEndsReadTheSame) {
    const std::string text = "Port=4000\nHor. position=C\nColVNE=red\nKey horizon=\"P\"\n"
                             "Unit=kts\nLanguage=DE\nText editor=gedit\n";
    read_text(text);
    const auto unix_reading = take_settings_snapshot();
    testing::reset_settings_records();
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    read_text(crlf);
    EXPECT_TRUE(testing::same_settings(unix_reading, take_settings_snapshot()));
    EXPECT_EQ(my_tas_c.lang, "DE");
}

TEST_F(SettingsReader, AFileWithoutLineEndOrWithNulBytesStillReads) {
    read_text(std::string("Port=4000\nFont size=2\0 9\n", 25) + "Font name=x");
    EXPECT_EQ(communic_0.udp_port, 4000);
    EXPECT_EQ(my_tas_c.fntnam, "x");
}

TEST_F(SettingsReader, AMissingFileIsAFailureAndChangesNothing) {
    const auto before = take_settings_snapshot();
    EXPECT_EQ(rd_ini(), 0);
    EXPECT_TRUE(testing::same_settings(before, take_settings_snapshot()));
}

TEST_F(SettingsReader, AnEmptyFileGivesTheDefaults) {
    read_text("");
    EXPECT_TRUE(testing::same_settings(defaults_as_read(), take_settings_snapshot()));
}

TEST_F(SettingsReader, BadNumbersAreLoggedAndKeepTheDefault) {
    read_text("Port=abc\nFont size=12.5\nGeneral volume=loud\nDisplay TAS=yes\n"
              "Key horizon=\"O\nVNE=fast\n");
    EXPECT_EQ(communic_0.udp_port, 55278);
    EXPECT_EQ(option.fntsiz, 24);
    EXPECT_DOUBLE_EQ(volumes.sndvol, 0.5);
    EXPECT_EQ(option.distas, 1);
    EXPECT_EQ(keydef.keyhor, 79);
    EXPECT_DOUBLE_EQ(my_tas_0.vne, -10000.0);
    const std::string log = log_text();
    for (const char* line :
         {"*** ERROR : Port=abc", "*** ERROR : Font size=12.5", "*** ERROR : General volume=loud",
          "*** ERROR : Display TAS=yes", "*** ERROR : VNE=fast"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
}

TEST_F(SettingsReader, NumbersEndAtABlankCommaOrSlash) {
    read_text("Font size=30 pixels\nPort=4000,5\nAH size=200/2\n");
    EXPECT_EQ(option.fntsiz, 30);
    EXPECT_EQ(communic_0.udp_port, 4000);
    EXPECT_EQ(option.horwid, 200);
}

TEST_F(SettingsReader, OpacityIsAPercentage) {
    read_text("Opacity=50\nAH opacity=150\n");
    EXPECT_EQ(option.txtopa, 128);
    EXPECT_EQ(option.horopa, 255);
    read_text("Opacity=half\nAH opacity=0\n");
    EXPECT_EQ(option.txtopa, 255);
    EXPECT_EQ(option.horopa, 0);
    EXPECT_NE(log_text().find("*** ERROR : Opacity=half"), std::string::npos);
}

TEST_F(SettingsReader, PositionsByLetterOrPixelAndUnreadableOnesAtTheStart) {
    read_text("Hor. position=C\nVer. position=120\nAH hor. position=L\nAH ver. position=B\n");
    EXPECT_EQ(option.posx, 1000002);
    EXPECT_EQ(option.posy, 120);
    EXPECT_EQ(option.horposx, 1000001);
    EXPECT_EQ(option.horposy, 1000003);
    read_text("Hor. position=middle\n");
    EXPECT_EQ(option.posx, 1000001);
    EXPECT_NE(log_text().find("*** ERROR *** : middle"), std::string::npos);
}

TEST_F(SettingsReader, HotkeysWithModifiersAndScanCodes) {
    read_text("Key horizon=CTRL+SHFT+\"O\"\nKey Chat Open=SCN20\nKey increase=ALT+ASC112\n"
              "Key Sound Up=LONG+\"8\"\nKey HUD Speed=60\n");
    EXPECT_EQ(keydef.keyhor, 30079);
    EXPECT_EQ(keydef_cndr.keychato, -20);
    EXPECT_EQ(keydef.keyinc, 40112);
    EXPECT_EQ(keydef.keyvup, 80056);
    EXPECT_EQ(keydef.keyhuds, 60);
}

TEST_F(SettingsReader, ColoursByNameOrHexAndUnknownOnesGrey) {
    read_text("ColVNE=red\nColTAS=#123456\nColWind=purple\n");
    EXPECT_EQ(option.colvne, 0xFF0000);
    EXPECT_EQ(option.coltas, 0x123456);
    EXPECT_EQ(option.colwnd, 0x7F7F7F);
}

TEST_F(SettingsReader, DisplaySwitchesAreKeptInRangeAfterReading) {
    read_text("Display VNE=5\nDisplay VA1=-1\nDisplay Wind=-2\n");
    EXPECT_EQ(option.disvne, 1);
    EXPECT_EQ(option.disva1, 0);
    EXPECT_EQ(option.diswnd, 6);
    read_text("Display Wind=-2147483648\n");
    EXPECT_EQ(option.diswnd, 2147483647);
}

TEST_F(SettingsReader, TheHorizonStyleFollowsItsSize) {
    read_text("AH Standard=1\n");
    EXPECT_EQ(option.horizarti, 2);
    testing::reset_settings_records();
    read_text("AH Standard=1\nAH size=1\n");
    EXPECT_EQ(option.horizarti, 0);
    read_text("AH size=big\n");
    EXPECT_EQ(option.horwid, 150);
    EXPECT_EQ(option.horizarti, 1);
}

TEST_F(SettingsReader, KeyboardHookRestartIsZeroOrAtLeastTwoMinutes) {
    read_text("KbdHook_Auto_Restart=1\n");
    EXPECT_EQ(option.kbdautorst, 2);
    read_text("KbdHook_Auto_Restart=7\n");
    EXPECT_EQ(option.kbdautorst, 7);
    read_text("KbdHook_Auto_Restart=-3\n");
    EXPECT_EQ(option.kbdautorst, 0);
    read_text("KbdHook_Auto_Restart=often\n");
    EXPECT_EQ(option.kbdautorst, 0);
}

TEST_F(SettingsReader, FlapSoundBankLimitDependsOnTheLoadFactorSetting) {
    read_text("");
    EXPECT_DOUBLE_EQ(my_tas_0.flapmxbank, 15.0);
    testing::reset_settings_records();
    read_text("Flaps_GFactor=1\n");
    EXPECT_DOUBLE_EQ(my_tas_0.flapmxbank, 90.0);
    read_text("FlapSoundMaxBank=0\n");
    EXPECT_DOUBLE_EQ(my_tas_0.flapmxbank, 90.0);
    read_text("FlapSoundMaxBank=30\n");
    EXPECT_DOUBLE_EQ(my_tas_0.flapmxbank, 30.0);
}

TEST_F(SettingsReader, TimeConstantsAreAThirdOfTheGivenTimeAndNeverZero) {
    read_text("Flaps_AverageTime=3\nAirspeed_AverageTime=0\n");
    EXPECT_DOUBLE_EQ(my_tas_0.tau_f, 1.0);
    EXPECT_GT(my_tas_0.tau_v, 0.0);
    EXPECT_LT(my_tas_0.tau_v, 1e-9);
}

TEST_F(SettingsReader, VolumesAreClampedPercentages) {
    read_text("General volume=150\nFlaps volume=-20\n");
    EXPECT_DOUBLE_EQ(volumes.sndvol, 1.0);
    EXPECT_DOUBLE_EQ(volumes.flapvol, 0.0);
    read_text("General volume=30\nFlaps volume=180\n");
    EXPECT_DOUBLE_EQ(volumes.sndvol, 0.3);
    EXPECT_DOUBLE_EQ(volumes.flapvol, 1.8);
}

TEST_F(SettingsReader, FlagsAndFlapSoundSwitch) {
    read_text("Auto update=yes\nFlaps_GFactor=True\nFlaps Alarm Init=2\n");
    EXPECT_TRUE(option.qauto_upd);
    EXPECT_FALSE(option.qflap_g);
    EXPECT_TRUE(option.qflap_beep);
    read_text("Flaps Alarm Init=0\n");
    EXPECT_FALSE(option.qflap_beep);
}

TEST_F(SettingsReader, BugWiperReminderNeedsAtLeastOneTurn) {
    read_text("BugWiperThermTurns=-4\n");
    EXPECT_EQ(option.minthturns, 0);
    EXPECT_FALSE(option.qbugwrn);
    read_text("BugWiperThermTurns=3\n");
    EXPECT_EQ(option.minthturns, 3);
    EXPECT_TRUE(option.qbugwrn);
}

TEST_F(SettingsReader, UnitAutoDiscardsTheVne) {
    read_text("VNE=250\nUnit=AUTO\n");
    EXPECT_EQ(option.nunit, -1);
    EXPECT_DOUBLE_EQ(my_tas_0.vne, -10000.0);
    testing::reset_settings_records();
    read_text("VNE=250\nDV1=10\nUnit=kts\n");
    EXPECT_EQ(option.nunit, 1);
    EXPECT_EQ(my_tas_c.cunit, "kts");
    EXPECT_DOUBLE_EQ(my_tas_0.vne, 250.0);
    EXPECT_DOUBLE_EQ(my_tas_0.dv1, 10.0);
}

TEST_F(SettingsReader, CustomUnitsAndBadFactors) {
    read_text("Unit=2.5\n");
    EXPECT_EQ(option.nunit, 4);
    EXPECT_EQ(my_tas_c.cunit, "");
    EXPECT_DOUBLE_EQ(my_tas_0.fconv, 2.5);
    read_text("Unit=knots=1.9438444\n");
    EXPECT_EQ(my_tas_c.cunit, "knots");
    EXPECT_DOUBLE_EQ(my_tas_0.fconv, 1.9438444);
    read_text("Unit=furlongs=-1\nUnit=KTS\n");
    EXPECT_EQ(option.nunit, 4);
    EXPECT_EQ(my_tas_c.cunit, "knots");
    EXPECT_NE(log_text().find("*** ERROR : Unit=furlongs=-1"), std::string::npos);
    EXPECT_NE(log_text().find("*** ERROR : Unit=KTS"), std::string::npos);
}

TEST_F(SettingsReader, TextsAreCutToTheirFields) {
    read_text("Forward Address=" + std::string(40, 'a') + "\nLanguage=ENGLISH-UK-1\n" +
              "Condor 1 Path=C:\\" + std::string(100, 'p') + "\n");
    EXPECT_EQ(communic_c.fwd_addr, std::string(33, 'a'));
    EXPECT_EQ(my_tas_c.lang, "ENGLISH-UK");
    EXPECT_EQ(inst00.condor_1_path, "C:\\" + std::string(77, 'p'));
}

TEST_F(SettingsReader, LanguageNumberAndFrenchDesktop) {
    read_text("Language=FR\n");
    EXPECT_EQ(option.nlang, 3);
    EXPECT_FALSE(cmndta001.qfr);
    read_text("Language=IT\n");
    EXPECT_EQ(option.nlang, 2);
    EXPECT_EQ(my_tas_c.lang, "IT");

    testing::reset_settings_records();
    testing::ScopedEnv french("LC_ALL", "fr_FR.UTF-8");
    read_text("Language=\n");
    EXPECT_EQ(option.nlang, 1);
    EXPECT_EQ(my_tas_c.lang, "FR");
    EXPECT_TRUE(cmndta001.qfr);
    testing::reset_settings_records();
    read_text("Language=DE\n");
    EXPECT_EQ(option.nlang, 4);
    EXPECT_EQ(my_tas_c.lang, "DE");
    EXPECT_FALSE(cmndta001.qfr);
}

} // namespace
} // namespace kalveo
