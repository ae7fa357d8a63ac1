#include "config/line_reader.h"
#include "config/settings.h"
#include "config/settings_writer.h"
#include "config_fixture.h"
#include "text/key_value.h"

#include <cmath>
#include <gtest/gtest.h>
#include <set>
#include <string>
#include <vector>

namespace kalveo {
namespace {

using testing::env_folder;
using testing::read_file;

// The template leaves the time constants to the program; once written they carry the four
// decimals of the file.
::testing::AssertionResult same_but_rounded_time_constants(const Settings& a, Settings b) {
    for (auto [x, y] : {std::pair{&a.flaps.time_constant, &b.flaps.time_constant},
                        {&a.speeds.airspeed_time_constant, &b.speeds.airspeed_time_constant}}) {
        if (std::abs(*x - *y) > 1e-4) return ::testing::AssertionFailure() << *x << " " << *y;
        *y = *x;
    }
    if (a == b) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "settings differ";
}

// Every key at a value other than its default: positions, colours by name and by "#",
// keys with modifiers and scan codes, percentages and a custom unit.
constexpr const char* kEveryKeyChanged = R"(# every setting changed
Port=4321
Forward Port=4322
Forward Address=192.168.1.20
Kalveo Version=3210
Font name=verdana
StopWait=30
KbdHook_Auto_Restart=5
Language=DE
Auto update=1
Debrief=0
KeyboardHook=0
Font size=18
AH Font size=-1
Opacity=50
Horizontal display=0
Hor. position=C
Ver. position=120
AH size=300
AH Standard=1
AH transparent corners=0
AH opacity=80
AH hor. position=L
AH ver. position=B
Key increase=CTRL+"I"
Key decrease=SHFT+"U"
Key horizon=CTRL+SHFT+"O"
Key Flaps Sound=ALT+"M"
Key Chat Open=SCN20
Key Sound Up=LONG+"8"
Key Sound Down=ASC112
Key Stopwatch=CTRL+SCN30
Key Task Timer="T"
Key Integrator=LONG+CTRL+SHFT+ALT+"9"
Key Netto Int="N"
Key HUD Speed="H"
Display Netto Vario=1
Display Long-term Integrator=1
Display Netto Integrator=1
Display Stopwatch=1
Display Task Timer=1
Display Clock=1
Display Wall Clock=1
Display TAS=0
Display IAS=0
Display Gnd Speed=1
Display VNE=0
Display Flaps=2
Display VA1=0
Display Slip=2
Display Units=0
Display Ballast=3
Display Heading=1
North Up=0
Display Wind=-3
Display G meter=3
Arrow Style=0
Number of Digits=-2
ColFlap=RED
ColWB=yellow
ColVNE=#112233
ColVA1=green
ColTAS=white
ColGS=#abcdef
ColHDG=blue
ColIAS=black
ColNetto=#010203
ColNettoInt=Gray
ColInt=#FFFFFE
ColTaskTimer=magenta
ColClock=#0000FE
ColTimer=cyan
ColGmeter=#00FF01
ColSlip=#102030
ColWind=#FF0001
AH Corners Background=#203040
Text Background=WHITE
Condor 1 Path=C:\Condor
Wine prefix= ~/.var/app/com.usebottles.bottles/data/bottles/bottles/Condor 3 = the one I fly
FlapSoundMaxBank=25
Flaps_GFactor=1
Flaps_AverageTime=1.5
FlapsLandingOpt=3
Airspeed_AverageTime=0.6
Flaps Alarm Init=1
Sound device=2
General volume=80
Flaps volume=120
BugWiperThermTurns=4
VNE=250
DV1=15
DV2=25
Atmosphere Model=1
Text editor="C:\Program Files\Notepad++\notepad++.exe" -multiInst
Unit=knots=1.9438444
)";

class ShippedSettings : public testing::ConfigTest {
  protected:
    ShippedSettings() {
        const auto data = env_folder("KALVEO_DATA_DIR");
        template_text_ = read_file(data / "Settings" / "Kalveo_default.ini");
        settings_text_ = read_file(data / "Settings" / "Kalveo.ini");
        write("Settings\\Kalveo_default.ini", template_text_);
    }

    // Reads the file, rewrites it from the template and reads it again, as a restart after
    // an update does.
    Settings read_after_rewrite(std::string_view text) {
        const Settings first = read_settings_file(text);
        EXPECT_EQ(rewrite_ini(first, first.program.file_version), 0);
        return rd_ini().value_or(Settings{});
    }

    std::string template_text_;
    std::string settings_text_;
};

std::vector<std::string> setting_keys_of(std::string_view text) {
    std::vector<std::string> keys;
    for_each_line(text, [&keys](std::string_view line) {
        if (line.empty() || line.front() == '#' || line.front() == '*') return;
        if (line.find('=') == std::string_view::npos) return;
        keys.push_back(extract_key_val(line).key);
    });
    return keys;
}

TEST_F(ShippedSettings, TheTemplateHoldsEveryKeyOnce) {
    const auto keys = setting_keys_of(template_text_);
    const std::multiset<std::string> in_template(keys.begin(), keys.end());
    for (const auto& key : settings_keys()) {
        EXPECT_EQ(in_template.count(std::string(key.name)), 1u) << key.name;
    }
    EXPECT_EQ(keys.size(), settings_keys().size());
}

TEST_F(ShippedSettings, TheTemplateAndTheSettingsFileGiveTheBuiltInDefaults) {
    const Settings defaults = defaults_as_read();
    EXPECT_EQ(defaults, read_settings_file(template_text_));

    Settings expected = defaults;
    const Settings shipped = read_settings_file(settings_text_);
    EXPECT_GT(shipped.program.file_version, 0);
    expected.program.file_version = shipped.program.file_version;
    EXPECT_EQ(expected, shipped);
}

TEST_F(ShippedSettings, TheSettingsFileIsTheTemplateForAPilot) {
    // The template's own notes stay in the template; everything else is the same, only
    // the version differs.
    std::vector<std::string> template_lines;
    for_each_line(template_text_, [&](std::string_view line) {
        if (line.empty() || line.front() != '*') template_lines.emplace_back(line);
    });
    std::vector<std::string> settings_lines;
    for_each_line(settings_text_,
                  [&](std::string_view line) { settings_lines.emplace_back(line); });
    ASSERT_EQ(template_lines.size(), settings_lines.size());
    for (std::size_t i = 0; i < template_lines.size(); ++i) {
        if (template_lines[i].rfind("Kalveo Version=", 0) == 0) continue;
        EXPECT_EQ(template_lines[i], settings_lines[i]);
    }
}

TEST_F(ShippedSettings, TheShippedFileSurvivesARewrite) {
    const Settings before = read_settings_file(settings_text_);
    EXPECT_TRUE(same_but_rounded_time_constants(before, read_after_rewrite(settings_text_)));
}

TEST_F(ShippedSettings, EveryChangedSettingSurvivesARewrite) {
    const Settings before = read_settings_file(kEveryKeyChanged);
    EXPECT_EQ(before.display.text_opacity, 128);
    EXPECT_EQ(before.keys.horizon, 30079);
    EXPECT_EQ(before.display.show_wind, 7);
    EXPECT_EQ(before.display.horizon, 2);
    EXPECT_EQ(before, read_after_rewrite(kEveryKeyChanged));
    EXPECT_EQ(before.speeds.unit_name, "knots");
    EXPECT_EQ(before.program.language, "DE");
    // A folder is kept whole, past the 80 characters of other values.
    EXPECT_EQ(before.program.wine_prefix,
              "~/.var/app/com.usebottles.bottles/data/bottles/bottles/Condor 3 = the one I fly");
}

TEST_F(ShippedSettings, TheChangedFileChangesEveryKey) {
    // Rewriting the template with the defaults and with the changed file must differ on
    // every key line but the version, which is always the program's.
    const auto default_keys = rewrite_settings_text(template_text_, read_settings_file(""));
    const auto changed_keys =
        rewrite_settings_text(template_text_, read_settings_file(kEveryKeyChanged));
    std::vector<std::string> a;
    std::vector<std::string> b;
    for_each_line(default_keys, [&a](std::string_view line) { a.emplace_back(line); });
    for_each_line(changed_keys, [&b](std::string_view line) { b.emplace_back(line); });
    ASSERT_EQ(a.size(), b.size());
    int key_lines = 0;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].empty() || a[i].front() == '#' || a[i].rfind("Kalveo Version=", 0) == 0) continue;
        ++key_lines;
        EXPECT_NE(a[i], b[i]);
    }
    EXPECT_EQ(key_lines, static_cast<int>(settings_keys().size()) - 1);
}

} // namespace
} // namespace kalveo
