#include "config/settings.h"
#include "config_fixture.h"

#include <gtest/gtest.h>

namespace kalveo {
namespace {

class SettingsReader : public testing::ConfigTest {
  protected:
    // Reads a settings text as the program reads its file.
    Settings read_text(std::string_view text) { return read_settings_file(text); }
};

TEST_F(SettingsReader, KeysMatchExactlyWhateverTheBlanksAroundTheEqualSign) {
    Settings s = read_text("Port = 4000\n");
    EXPECT_EQ(s.link.port, 4000);
    s = read_text("Port=4001\n");
    EXPECT_EQ(s.link.port, 4001);
    s = read_text("  Port   =4002   \n");
    EXPECT_EQ(s.link.port, 4002);
    s = read_text("port=4003\nPORT=4004\nPort number=4005\n");
    EXPECT_EQ(s.link.port, 55278);
}

TEST_F(SettingsReader, ABlankValueOrAMissingKeyKeepsTheDefault) {
    Settings s = read_text("Port=\nFont size=   \nForward Address=\n");
    EXPECT_EQ(s.link.port, 55278);
    EXPECT_EQ(s.display.font_size, 24);
    EXPECT_EQ(s.link.forward_address, "127.0.0.1");
}

TEST_F(SettingsReader, TheLaterOfTwoLinesWins) {
    Settings s = read_text("Font size=30\nFont size=18\n");
    EXPECT_EQ(s.display.font_size, 18);
}

TEST_F(SettingsReader, OnlyAHashInTheFirstColumnMakesAComment) {
    Settings s;
    const SettingsRead read =
        read_settings_text("#Font size=30\n #Font size=31\nFont size=18 # small\n", false);
    EXPECT_EQ(read.settings.display.font_size, 18);
    EXPECT_EQ(read.counts.lines, 3);
    EXPECT_EQ(read.counts.setting_lines, 2);
}

TEST_F(SettingsReader, CountsLinesAndTheLongestLine) {
    Settings s;
    const SettingsRead read =
        read_settings_text("# comment\n\nPort=1\nFont name=verdana      \n", false);
    EXPECT_EQ(read.counts.lines, 4);
    EXPECT_EQ(read.counts.setting_lines, 2);
    EXPECT_EQ(read.counts.longest, 17);
}

TEST_F(SettingsReader, OverLongLinesAndLinesWithoutEqualSignAreHarmless) {
    Settings s;
    const std::string long_line = "Font name=" + std::string(5000, 'x') + "\n";
    s = read_text("this line has no equal sign\n" + long_line + "Font size=20\n" +
                  std::string(300, '=') + "\n" + "Font name\n");
    EXPECT_EQ(s.display.font_name, std::string(30, 'x'));
    EXPECT_EQ(s.display.font_size, 20);
    EXPECT_EQ(read_settings_text(long_line, false).counts.longest, 256);
}

TEST_F(SettingsReader, WindowsLineEndsReadTheSame) {
    Settings s;
    const std::string text = "Port=4000\nHor. position=C\nColVNE=red\nKey horizon=\"P\"\n"
                             "Unit=kts\nLanguage=DE\nText editor=gedit\n";
    s = read_text(text);
    const Settings unix_reading = s;
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    s = read_text(crlf);
    EXPECT_EQ(unix_reading, s);
    EXPECT_EQ(s.program.language, "DE");
}

TEST_F(SettingsReader, AFileWithoutLineEndOrWithNulBytesStillReads) {
    Settings s = read_text(std::string("Port=4000\nFont size=2\0 9\n", 25) + "Font name=x");
    EXPECT_EQ(s.link.port, 4000);
    EXPECT_EQ(s.display.font_name, "x");
}

TEST_F(SettingsReader, AMissingFileIsAFailureAndChangesNothing) {
    EXPECT_FALSE(rd_ini().has_value());
}

TEST_F(SettingsReader, AnEmptyFileGivesTheDefaults) {
    Settings s = read_text("");
    EXPECT_EQ(defaults_as_read(), s);
}

TEST_F(SettingsReader, BadNumbersAreLoggedAndKeepTheDefault) {
    Settings s = read_text("Port=abc\nFont size=12.5\nGeneral volume=loud\nDisplay TAS=yes\n"
                           "Key horizon=\"O\nVNE=fast\n");
    EXPECT_EQ(s.link.port, 55278);
    EXPECT_EQ(s.display.font_size, 24);
    EXPECT_DOUBLE_EQ(s.sound.volume, 0.5);
    EXPECT_EQ(s.display.show_tas, 1);
    EXPECT_EQ(s.keys.horizon, 79);
    EXPECT_DOUBLE_EQ(s.speeds.vne, -10000.0);
    const std::string log = log_text();
    for (const char* line :
         {"*** ERROR : Port=abc", "*** ERROR : Font size=12.5", "*** ERROR : General volume=loud",
          "*** ERROR : Display TAS=yes", "*** ERROR : VNE=fast"})
        EXPECT_NE(log.find(line), std::string::npos) << line;
}

TEST_F(SettingsReader, NumbersEndAtABlankCommaOrSlash) {
    Settings s = read_text("Font size=30 pixels\nPort=4000,5\nAH size=200/2\n");
    EXPECT_EQ(s.display.font_size, 30);
    EXPECT_EQ(s.link.port, 4000);
    EXPECT_EQ(s.display.horizon_size, 200);
}

TEST_F(SettingsReader, OpacityIsAPercentage) {
    Settings s = read_text("Opacity=50\nAH opacity=150\n");
    EXPECT_EQ(s.display.text_opacity, 128);
    EXPECT_EQ(s.display.horizon_opacity, 255);
    s = read_text("Opacity=half\nAH opacity=0\n");
    EXPECT_EQ(s.display.text_opacity, 255);
    EXPECT_EQ(s.display.horizon_opacity, 0);
    EXPECT_NE(log_text().find("*** ERROR : Opacity=half"), std::string::npos);
}

TEST_F(SettingsReader, PositionsByLetterOrPixelAndUnreadableOnesAtTheStart) {
    Settings s =
        read_text("Hor. position=C\nVer. position=120\nAH hor. position=L\nAH ver. position=B\n");
    EXPECT_EQ(s.display.text_x, 1000002);
    EXPECT_EQ(s.display.text_y, 120);
    EXPECT_EQ(s.display.horizon_x, 1000001);
    EXPECT_EQ(s.display.horizon_y, 1000003);
    s = read_text("Hor. position=middle\n");
    EXPECT_EQ(s.display.text_x, 1000001);
    EXPECT_NE(log_text().find("*** ERROR *** : middle"), std::string::npos);
}

TEST_F(SettingsReader, HotkeysWithModifiersAndScanCodes) {
    Settings s =
        read_text("Key horizon=CTRL+SHFT+\"O\"\nKey Chat Open=SCN20\nKey increase=ALT+ASC112\n"
                  "Key Sound Up=LONG+\"8\"\nKey HUD Speed=60\n");
    EXPECT_EQ(s.keys.horizon, 30079);
    EXPECT_EQ(s.keys.simulator_chat_open, -20);
    EXPECT_EQ(s.keys.raise_margin, 40112);
    EXPECT_EQ(s.keys.volume_up, 80056);
    EXPECT_EQ(s.keys.hud_speed, 60);
}

TEST_F(SettingsReader, ColoursByNameOrHexAndUnknownOnesGrey) {
    Settings s = read_text("ColVNE=red\nColTAS=#123456\nColWind=purple\n");
    EXPECT_EQ(s.display.colour_vne, 0xFF0000);
    EXPECT_EQ(s.display.colour_tas, 0x123456);
    EXPECT_EQ(s.display.colour_wind, 0x7F7F7F);
}

TEST_F(SettingsReader, DisplaySwitchesAreKeptInRangeAfterReading) {
    Settings s = read_text("Display VNE=5\nDisplay VA1=-1\nDisplay Wind=-2\n");
    EXPECT_EQ(s.display.show_vne, 1);
    EXPECT_EQ(s.display.show_va1, 0);
    EXPECT_EQ(s.display.show_wind, 6);
    s = read_text("Display Wind=-2147483648\n");
    EXPECT_EQ(s.display.show_wind, 2147483647);
}

TEST_F(SettingsReader, TheHorizonStyleFollowsItsSize) {
    Settings s = read_text("AH Standard=1\n");
    EXPECT_EQ(s.display.horizon, 2);
    s = read_text("AH Standard=1\nAH size=1\n");
    EXPECT_EQ(s.display.horizon, 0);
    s = read_text("AH size=big\n");
    EXPECT_EQ(s.display.horizon_size, 150);
    EXPECT_EQ(s.display.horizon, 1);
}

TEST_F(SettingsReader, KeyboardHookRestartIsZeroOrAtLeastTwoMinutes) {
    Settings s = read_text("KbdHook_Auto_Restart=1\n");
    EXPECT_EQ(s.keys.watch_restart_minutes, 2);
    s = read_text("KbdHook_Auto_Restart=7\n");
    EXPECT_EQ(s.keys.watch_restart_minutes, 7);
    s = read_text("KbdHook_Auto_Restart=-3\n");
    EXPECT_EQ(s.keys.watch_restart_minutes, 0);
    s = read_text("KbdHook_Auto_Restart=often\n");
    EXPECT_EQ(s.keys.watch_restart_minutes, 0);
}

TEST_F(SettingsReader, FlapSoundBankLimitDependsOnTheLoadFactorSetting) {
    Settings s = read_text("");
    EXPECT_DOUBLE_EQ(s.flaps.sound_max_bank, 15.0);
    s = read_text("Flaps_GFactor=1\n");
    EXPECT_DOUBLE_EQ(s.flaps.sound_max_bank, 90.0);
    s = read_text("FlapSoundMaxBank=0\n");
    EXPECT_DOUBLE_EQ(s.flaps.sound_max_bank, 90.0);
    s = read_text("FlapSoundMaxBank=30\n");
    EXPECT_DOUBLE_EQ(s.flaps.sound_max_bank, 30.0);
}

TEST_F(SettingsReader, TimeConstantsAreAThirdOfTheGivenTimeAndNeverZero) {
    Settings s = read_text("Flaps_AverageTime=3\nAirspeed_AverageTime=0\n");
    EXPECT_DOUBLE_EQ(s.flaps.time_constant, 1.0);
    EXPECT_GT(s.speeds.airspeed_time_constant, 0.0);
    EXPECT_LT(s.speeds.airspeed_time_constant, 1e-9);
}

TEST_F(SettingsReader, VolumesAreClampedPercentages) {
    Settings s = read_text("General volume=150\nFlaps volume=-20\n");
    EXPECT_DOUBLE_EQ(s.sound.volume, 1.0);
    EXPECT_DOUBLE_EQ(s.sound.flap_volume, 0.0);
    s = read_text("General volume=30\nFlaps volume=180\n");
    EXPECT_DOUBLE_EQ(s.sound.volume, 0.3);
    EXPECT_DOUBLE_EQ(s.sound.flap_volume, 1.8);
}

TEST_F(SettingsReader, FlagsAndFlapSoundSwitch) {
    Settings s = read_text("Auto update=yes\nFlaps_GFactor=True\nFlaps Alarm Init=2\n");
    EXPECT_TRUE(s.program.auto_update);
    EXPECT_FALSE(s.flaps.scale_by_load_factor);
    EXPECT_TRUE(s.flaps.sounds_on);
    s = read_text("Flaps Alarm Init=0\n");
    EXPECT_FALSE(s.flaps.sounds_on);
}

TEST_F(SettingsReader, BugWiperReminderNeedsAtLeastOneTurn) {
    Settings s = read_text("BugWiperThermTurns=-4\n");
    EXPECT_EQ(s.display.bug_wipe_turns, 0);
    s = read_text("BugWiperThermTurns=3\n");
    EXPECT_EQ(s.display.bug_wipe_turns, 3);
}

TEST_F(SettingsReader, UnitAutoDiscardsTheVne) {
    Settings s = read_text("VNE=250\nUnit=AUTO\n");
    EXPECT_EQ(s.speeds.unit, -1);
    EXPECT_DOUBLE_EQ(s.speeds.vne, -10000.0);
    s = read_text("VNE=250\nDV1=10\nUnit=kts\n");
    EXPECT_EQ(s.speeds.unit, 1);
    EXPECT_EQ(s.speeds.unit_name, "kts");
    EXPECT_DOUBLE_EQ(s.speeds.vne, 250.0);
    EXPECT_DOUBLE_EQ(s.speeds.dv1, 10.0);
}

TEST_F(SettingsReader, CustomUnitsAndBadFactors) {
    Settings s = read_text("Unit=2.5\n");
    EXPECT_EQ(s.speeds.unit, 4);
    EXPECT_EQ(s.speeds.unit_name, "");
    EXPECT_DOUBLE_EQ(s.speeds.custom_factor, 2.5);
    s = read_text("Unit=knots=1.9438444\n");
    EXPECT_EQ(s.speeds.unit_name, "knots");
    EXPECT_DOUBLE_EQ(s.speeds.custom_factor, 1.9438444);
    s = read_text("Unit=knots=1.9438444\nUnit=furlongs=-1\nUnit=KTS\n");
    EXPECT_EQ(s.speeds.unit, 4);
    EXPECT_EQ(s.speeds.unit_name, "knots");
    EXPECT_NE(log_text().find("*** ERROR : Unit=furlongs=-1"), std::string::npos);
    EXPECT_NE(log_text().find("*** ERROR : Unit=KTS"), std::string::npos);
}

TEST_F(SettingsReader, TextsAreCutToTheirFields) {
    Settings s = read_text("Forward Address=" + std::string(40, 'a') + "\nLanguage=ENGLISH-UK-1\n" +
                           "Condor 1 Path=C:\\" + std::string(100, 'p') + "\n");
    EXPECT_EQ(s.link.forward_address, std::string(33, 'a'));
    EXPECT_EQ(s.program.language, "ENGLISH-UK");
    EXPECT_EQ(s.program.condor_1_path, "C:\\" + std::string(77, 'p'));
}

TEST_F(SettingsReader, LanguageNumberAndFrenchDesktop) {
    Settings s = read_text("Language=FR\n");
    EXPECT_EQ(s.program.language_number, 3);
    EXPECT_FALSE(s.program.french);
    s = read_text("Language=IT\n");
    EXPECT_EQ(s.program.language_number, 2);
    EXPECT_EQ(s.program.language, "IT");

    testing::ScopedEnv french("LC_ALL", "fr_FR.UTF-8");
    s = read_text("Language=\n");
    EXPECT_EQ(s.program.language_number, 1);
    EXPECT_EQ(s.program.language, "FR");
    EXPECT_TRUE(s.program.french);
    s = read_text("Language=DE\n");
    EXPECT_EQ(s.program.language_number, 4);
    EXPECT_EQ(s.program.language, "DE");
    EXPECT_FALSE(s.program.french);
}

} // namespace
} // namespace kalveo
