// The command line as start-up reads it.
#include "shell/startup_switches.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace kalveo {
namespace {

class SwitchesTest : public ::testing::Test {
  protected:
    bool apply(std::vector<std::string> args) {
        args.insert(args.begin(), "C:\\Kalveo\\kalveo.exe");
        return apply_switches(kept_arguments(args), s);
    }

    Settings s;
};

TEST_F(SwitchesTest, UnitSwitches) {
    apply({"-kts"});
    EXPECT_EQ(s.speeds.unit, 1);
    apply({"-mph"});
    EXPECT_EQ(s.speeds.unit, 2);
    apply({"-fpf"});
    EXPECT_EQ(s.speeds.unit, 3);
    apply({"-kph"});
    EXPECT_EQ(s.speeds.unit, 0);
    apply({"-mph", "-kmh"});
    EXPECT_EQ(s.speeds.unit, 0);
}

TEST_F(SwitchesTest, SwitchesAreCaseSensitive) {
    apply({"-KTS"});
    EXPECT_EQ(s.speeds.unit, 0);
}

TEST_F(SwitchesTest, NettoWithItsTimeConstantInSeconds) {
    apply({"-net=30"});
    EXPECT_TRUE(s.program.netto_switch);
    EXPECT_DOUBLE_EQ(s.program.netto_hours, 30.0 / 3600.0);
}

TEST_F(SwitchesTest, NettoWithATooSmallOrUnreadableValueKeepsTheDefault) {
    for (const char* arg : {"-net=0.05", "-net=abc", "-net"}) {
        s = Settings{};
        apply({arg});
        EXPECT_TRUE(s.program.netto_switch) << arg;
        EXPECT_DOUBLE_EQ(s.program.netto_hours, 0.1) << arg;
    }
}

TEST_F(SwitchesTest, FlagSwitches) {
    EXPECT_FALSE(apply({"-rec", "-f", "-p", "-d", "-ha", "-nohook"}));
    EXPECT_TRUE(s.program.record);
    EXPECT_TRUE(s.flaps.sounds_on);
    EXPECT_TRUE(s.program.polar);
    EXPECT_TRUE(s.program.debug);
    EXPECT_EQ(s.display.horizon, 1);
    EXPECT_EQ(s.keys.watch, 0);
}

TEST_F(SwitchesTest, HelpIsReportedAndUnknownArgumentsIgnored) {
    EXPECT_TRUE(apply({"-zzz", "-help"}));
    EXPECT_FALSE(apply({"-zzz", "kts"}));
    EXPECT_EQ(s.speeds.unit, 0);
}

TEST_F(SwitchesTest, OnlyArgumentsUpToTheLastSwitchAreRead) {
    const auto args = kept_arguments({"kalveo", "-kts", "flight", "-d", "notes"});
    EXPECT_EQ(last_option_index(args), 3);
    EXPECT_EQ(last_option_index(kept_arguments({"kalveo", "plain"})), 0);
}

TEST_F(SwitchesTest, ArgumentsAreCutToThirtyCharactersAndTwentyInNumber) {
    std::vector<std::string> many(30, "-kts");
    many.insert(many.begin(), "kalveo");
    EXPECT_EQ(kept_arguments(many).size(), 21U);
    const auto args = kept_arguments({"kalveo", "-net=" + std::string(40, '1')});
    EXPECT_EQ(args[1].size(), 30U);
}

TEST_F(SwitchesTest, UsageNamesTheProgramAndTheSwitches) {
    const auto lines = usage_lines("/opt/kalveo/kalveo");
    ASSERT_GE(lines.size(), 2U);
    EXPECT_EQ(lines[0], " Usage :");
    EXPECT_EQ(lines[1], " /opt/kalveo/kalveo [-help] [-kmh|-kph|-mph|-kts|-fpf] [-rec] "
                        "[-net[=seconds]] [-f] [-p] [-d] [-ha] [-nohook]");
    // Every switch the program reads has a line of its own.
    for (const char* sw :
         {"-kmh", "-f ", "-d ", "-ha ", "-nohook", "-p ", "-rec", "-net", "-help"}) {
        EXPECT_TRUE(std::any_of(lines.begin() + 2, lines.end(), [&](const std::string& l) {
            return l.rfind(std::string("  ") + sw, 0) == 0;
        })) << sw;
    }
}

TEST(StartedByNameTest, AProgramStartedWithoutAFolderWasTypedInAConsole) {
    EXPECT_TRUE(started_by_name("kalveo"));
    EXPECT_FALSE(started_by_name("C:\\Kalveo\\kalveo.exe"));
    EXPECT_FALSE(started_by_name("C:kalveo.exe"));
}

} // namespace
} // namespace kalveo
