#include "config/settings_table.h"

#include "config/colours.h"
#include "config/key_codes.h"
#include "config/setting_values.h"
#include "report/log.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"
#include "text/value_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kalveo {

namespace {

// Smallest stored time constant: the filters divide by it.
constexpr double kMinTimeConstant = 1e-10;
// Values of vne and the margins below these are "not set" and written empty.
constexpr double kUnsetDv1Limit = -800.0;

// A setting's field: a member of one of the sub-structs of the settings.
template <auto Part, auto Field> auto& field_of(Settings& s) {
    return (s.*Part).*Field;
}
template <auto Part, auto Field> const auto& field_of(const Settings& s) {
    return (s.*Part).*Field;
}

void log_bad_value(std::string_view line) {
    log_message_f("*** ERROR : " + std::string(line));
}

std::string cut(std::string_view text, std::size_t length) {
    return std::string(trim_right(text.substr(0, length)));
}

std::string real_text(double x, std::string_view format) {
    return f2b(x, format);
}

template <auto Part, auto Field> SettingKey integer_key(std::string_view name) {
    return {name,
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    field_of<Part, Field>(s) = *n;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return i2b(field_of<Part, Field>(s)); }};
}

template <auto Part, auto Field> SettingKey flag_key(std::string_view name) {
    return {
        name,
        [](Settings& s, const SettingInput& in) { field_of<Part, Field>(s) = is_true(in.value); },
        [](const Settings& s) { return l2b(field_of<Part, Field>(s)); }};
}

template <auto Part, auto Field> SettingKey text_key(std::string_view name, std::size_t length) {
    return {name,
            [length](Settings& s, const SettingInput& in) {
                field_of<Part, Field>(s) = cut(in.value, length);
            },
            [](const Settings& s) { return std::string(trim(field_of<Part, Field>(s))); }};
}

template <auto Field> SettingKey position_key(std::string_view name) {
    return {name, [](Settings& s, const SettingInput& in) { s.display.*Field = b2pos(in.value); },
            [](const Settings& s) { return pos2b(s.display.*Field); }};
}

template <auto Field> SettingKey colour_key(std::string_view name) {
    return {name, [](Settings& s, const SettingInput& in) { s.display.*Field = txt2rgb(in.value); },
            [](const Settings& s) { return rgb2txt(s.display.*Field); }};
}

template <auto Field> SettingKey hotkey_key(std::string_view name) {
    return {name,
            [](Settings& s, const SettingInput& in) {
                if (auto code = b2k(in.value)) {
                    s.keys.*Field = *code;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return k2b(s.keys.*Field); }};
}

template <auto Field> SettingKey percent_key(std::string_view name, bool echo) {
    return {name,
            [echo](Settings& s, const SettingInput& in) {
                const auto x = read_real(in.value);
                if (!x) log_bad_value(in.line);
                int& level = s.display.*Field;
                level = x ? percent_to_level(*x) : 255;
                if (echo)
                    trace("%.*s : %d %g %d\n", static_cast<int>(in.line.size()), in.line.data(),
                          x ? 0 : 1, x ? *x : 0.0, level);
            },
            [](const Settings& s) { return i2b(level_to_percent(s.display.*Field)); }};
}

// A time constant is given as three times its value (the filter's settling time).
template <auto Part, auto Field> SettingKey time_constant_key(std::string_view name) {
    return {name,
            [](Settings& s, const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    field_of<Part, Field>(s) = std::max(*x / 3.0, kMinTimeConstant);
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return real_text(field_of<Part, Field>(s) * 3.0, "(F8.4)"); }};
}

// VNE and the margins are kept in display units until the flight starts.
template <auto Field> SettingKey speed_key(std::string_view name, double unset_below) {
    return {name,
            [](Settings& s, const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    s.speeds.*Field = *x;
                } else {
                    log_bad_value(in.line);
                }
            },
            [unset_below](const Settings& s) {
                const double x = s.speeds.*Field;
                return x > unset_below ? real_text(x, "(F8.2)") : std::string();
            }};
}

SettingKey stop_wait_key() {
    return {"StopWait",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.program.stop_wait = *n;
                } else {
                    log_bad_value(in.line);
                }
                trace("StopWait %d\n", s.program.stop_wait);
            },
            [](const Settings& s) { return i2b(s.program.stop_wait); }};
}

SettingKey kbd_auto_restart_key() {
    return {"KbdHook_Auto_Restart",
            [](Settings& s, const SettingInput& in) {
                const int n = read_int(in.value).value_or(0);
                s.keys.watch_restart_minutes = n < 1 ? 0 : std::max(n, 2);
                trace("KbdAutoRst %d\n", s.keys.watch_restart_minutes);
            },
            [](const Settings& s) { return i2b(s.keys.watch_restart_minutes); }};
}

// The language code in force is kept unless it was chosen automatically.
SettingKey language_key() {
    return {"Language",
            [](Settings& s, const SettingInput& in) { s.program.language = cut(in.value, 10); },
            [](const Settings& s) {
                return s.program.language_number <= 1 ? std::string()
                                                      : std::string(trim(s.program.language));
            }};
}

SettingKey horizon_size_key() {
    return {"AH size",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.display.horizon_size = *n;
                } else {
                    log_bad_value(in.line);
                    s.display.horizon_size = 150;
                }
            },
            [](const Settings& s) { return i2b(s.display.horizon_size); }};
}

SettingKey horizon_standard_key() {
    return {"AH Standard",
            [](Settings&, const SettingInput& in) { in.state.ah_standard = is_true(in.value); },
            [](const Settings& s) { return l2b(s.display.horizon == 2); }};
}

// A folder name is taken whole from the line: the values of other keys stop at 80 characters,
// and a prefix deep in a home folder is often longer.
SettingKey wine_prefix_key() {
    return {"Wine prefix",
            [](Settings& s, const SettingInput& in) {
                std::size_t at = in.line.find('=');
                if (at == std::string_view::npos) at = in.line.find(':');
                s.program.wine_prefix = std::string(trim(in.line.substr(at + 1)));
            },
            [](const Settings& s) { return s.program.wine_prefix; }};
}

SettingKey flap_bank_key() {
    return {"FlapSoundMaxBank",
            [](Settings& s, const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    s.flaps.sound_max_bank = *x == 0.0 ? 90.0 : *x;
                    in.state.flap_bank_given = true;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return real_text(s.flaps.sound_max_bank, "(F8.1)"); }};
}

SettingKey flaps_alarm_key() {
    return {"Flaps Alarm Init",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.flaps.sounds_on = *n != 0;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return l2b(s.flaps.sounds_on); }};
}

SettingKey general_volume_key() {
    return {"General volume",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.sound.volume = std::clamp(*n, 0, 100) * 0.01;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) {
                return i2b(std::clamp(std::lround(s.sound.volume * 100.0), 0L, 100L));
            }};
}

SettingKey flaps_volume_key() {
    return {"Flaps volume",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.sound.flap_volume = std::max(*n, 0) * 0.01;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) {
                return i2b(std::max(std::lround(s.sound.flap_volume * 100.0), 0L));
            }};
}

SettingKey bug_wiper_key() {
    return {"BugWiperThermTurns",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.display.bug_wipe_turns = std::max(*n, 0);
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return i2b(s.display.bug_wipe_turns); }};
}

SettingKey unit_key() {
    return {"Unit",
            [](Settings& s, const SettingInput& in) {
                const auto unit = parse_unit(in.value);
                if (!unit) {
                    log_bad_value(in.line);
                    return;
                }
                s.speeds.unit = unit->nunit;
                if (unit->nunit == kCustomUnit) s.speeds.custom_factor = unit->factor;
                if (unit->nunit >= 0) s.speeds.unit_name = unit->name;
            },
            [](const Settings& s) {
                return unit_text(s.speeds.unit, trim(s.speeds.unit_name), s.speeds.custom_factor);
            }};
}

// Left empty, the flights are kept as by default.
SettingKey debrief_key() {
    return {"Debrief",
            [](Settings& s, const SettingInput& in) {
                if (!trim(in.value).empty()) s.program.debrief = is_true(trim(in.value));
            },
            [](const Settings& s) { return l2b(s.program.debrief); }};
}

SettingKey version_key() {
    return {"Kalveo Version",
            [](Settings& s, const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    s.program.file_version = *n;
                } else {
                    log_bad_value(in.line);
                }
            },
            [](const Settings& s) { return i2b(s.program.file_version); }};
}

using S = Settings;
using D = DisplaySettings;
using K = KeySettings;

std::vector<SettingKey> make_keys() {
    std::vector<SettingKey> keys{
        integer_key<&S::link, &LinkSettings::port>("Port"),
        integer_key<&S::link, &LinkSettings::forward_port>("Forward Port"),
        text_key<&S::link, &LinkSettings::forward_address>("Forward Address", 33),
        version_key(),
        text_key<&S::display, &D::font_name>("Font name", 30),
        stop_wait_key(),
        kbd_auto_restart_key(),
        language_key(),
        flag_key<&S::program, &ProgramSettings::auto_update>("Auto update"),
        debrief_key(),
        integer_key<&S::keys, &K::watch>("KeyboardHook"),
        integer_key<&S::display, &D::font_size>("Font size"),
        integer_key<&S::display, &D::horizon_font_size>("AH Font size"),
        percent_key<&D::text_opacity>("Opacity", true),
        integer_key<&S::display, &D::horizontal>("Horizontal display"),
        position_key<&D::text_x>("Hor. position"),
        position_key<&D::text_y>("Ver. position"),
        horizon_size_key(),
        horizon_standard_key(),
        integer_key<&S::display, &D::horizon_corners_transparent>("AH transparent corners"),
        percent_key<&D::horizon_opacity>("AH opacity", false),
        position_key<&D::horizon_x>("AH hor. position"),
        position_key<&D::horizon_y>("AH ver. position"),
        hotkey_key<&K::raise_margin>("Key increase"),
        hotkey_key<&K::lower_margin>("Key decrease"),
        hotkey_key<&K::horizon>("Key horizon"),
        hotkey_key<&K::flap_sounds>("Key Flaps Sound"),
        hotkey_key<&K::simulator_chat_open>("Key Chat Open"),
        hotkey_key<&K::volume_up>("Key Sound Up"),
        hotkey_key<&K::volume_down>("Key Sound Down"),
        hotkey_key<&K::stopwatch>("Key Stopwatch"),
        hotkey_key<&K::task_timer>("Key Task Timer"),
        hotkey_key<&K::climb_average>("Key Integrator"),
        hotkey_key<&K::netto_average>("Key Netto Int"),
        hotkey_key<&K::hud_speed>("Key HUD Speed"),
        integer_key<&S::display, &D::show_netto>("Display Netto Vario"),
        integer_key<&S::display, &D::show_climb_average>("Display Long-term Integrator"),
        integer_key<&S::display, &D::show_netto_average>("Display Netto Integrator"),
        integer_key<&S::display, &D::show_stopwatch>("Display Stopwatch"),
        integer_key<&S::display, &D::show_task_timer>("Display Task Timer"),
        integer_key<&S::display, &D::show_clock>("Display Clock"),
        integer_key<&S::display, &D::show_wall_clock>("Display Wall Clock"),
        integer_key<&S::display, &D::show_tas>("Display TAS"),
        integer_key<&S::display, &D::show_ias>("Display IAS"),
        integer_key<&S::display, &D::show_ground_speed>("Display Gnd Speed"),
        integer_key<&S::display, &D::show_vne>("Display VNE"),
        integer_key<&S::display, &D::show_flaps>("Display Flaps"),
        integer_key<&S::display, &D::show_va1>("Display VA1"),
        integer_key<&S::display, &D::show_slip>("Display Slip"),
        integer_key<&S::display, &D::show_units>("Display Units"),
        integer_key<&S::display, &D::show_ballast>("Display Ballast"),
        integer_key<&S::display, &D::show_heading>("Display Heading"),
        integer_key<&S::display, &D::north_up>("North Up"),
        integer_key<&S::display, &D::show_wind>("Display Wind"),
        integer_key<&S::display, &D::show_load_factor>("Display G meter"),
        integer_key<&S::display, &D::arrow_style>("Arrow Style"),
        integer_key<&S::display, &D::vario_digits>("Number of Digits"),
        colour_key<&D::colour_flaps>("ColFlap"),
        colour_key<&D::colour_ballast>("ColWB"),
        colour_key<&D::colour_vne>("ColVNE"),
        colour_key<&D::colour_va1>("ColVA1"),
        colour_key<&D::colour_tas>("ColTAS"),
        colour_key<&D::colour_ground_speed>("ColGS"),
        colour_key<&D::colour_heading>("ColHDG"),
        colour_key<&D::colour_ias>("ColIAS"),
        colour_key<&D::colour_netto>("ColNetto"),
        colour_key<&D::colour_netto_average>("ColNettoInt"),
        colour_key<&D::colour_climb_average>("ColInt"),
        colour_key<&D::colour_task_timer>("ColTaskTimer"),
        colour_key<&D::colour_clock>("ColClock"),
        colour_key<&D::colour_stopwatch>("ColTimer"),
        colour_key<&D::colour_load_factor>("ColGmeter"),
        colour_key<&D::colour_slip>("ColSlip"),
        colour_key<&D::colour_wind>("ColWind"),
        colour_key<&D::colour_horizon_corners>("AH Corners Background"),
        colour_key<&D::colour_text_background>("Text Background"),
        text_key<&S::program, &ProgramSettings::condor_1_path>("Condor 1 Path", 80),
        wine_prefix_key(),
        flap_bank_key(),
        flag_key<&S::flaps, &FlapSettings::scale_by_load_factor>("Flaps_GFactor"),
        time_constant_key<&S::flaps, &FlapSettings::time_constant>("Flaps_AverageTime"),
        integer_key<&S::flaps, &FlapSettings::landing_option>("FlapsLandingOpt"),
        time_constant_key<&S::speeds, &SpeedSettings::airspeed_time_constant>(
            "Airspeed_AverageTime"),
        flaps_alarm_key(),
        integer_key<&S::sound, &SoundSettings::device>("Sound device"),
        general_volume_key(),
        flaps_volume_key(),
        bug_wiper_key(),
        speed_key<&SpeedSettings::vne>("VNE", 0.0),
        speed_key<&SpeedSettings::dv1>("DV1", kUnsetDv1Limit),
        speed_key<&SpeedSettings::dv2>("DV2", 0.0),
        integer_key<&S::speeds, &SpeedSettings::atmosphere_model>("Atmosphere Model"),
        text_key<&S::program, &ProgramSettings::text_editor>("Text editor", 80),
        unit_key(),
    };
    return keys;
}

} // namespace

const std::vector<SettingKey>& settings_keys() {
    static const std::vector<SettingKey> keys = make_keys();
    return keys;
}

const SettingKey* find_setting_key(std::string_view name) {
    const auto& keys = settings_keys();
    const auto it = std::find_if(keys.begin(), keys.end(),
                                 [name](const SettingKey& key) { return key.name == name; });
    return it == keys.end() ? nullptr : &*it;
}

} // namespace kalveo
