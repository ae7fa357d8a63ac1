#include "config/settings_table.h"

#include "config/colours.h"
#include "config/key_codes.h"
#include "config/records.h"
#include "config/setting_values.h"
#include "flight/records.h"
#include "keys/records.h"
#include "link/records.h"
#include "report/log.h"
#include "report/records.h"
#include "sim/records.h"
#include "sound/records.h"
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

void log_bad_value(std::string_view line) {
    log_message_f("*** ERROR : " + std::string(line));
}

std::string cut(std::string_view text, std::size_t length) {
    return std::string(trim_right(text.substr(0, length)));
}

std::string real_text(double x, std::string_view format) {
    return f2b(x, format);
}

SettingKey integer_key(std::string_view name, int* field) {
    return {name,
            [field](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    *field = *n;
                } else {
                    log_bad_value(in.line);
                }
            },
            [field] { return i2b(*field); }};
}

SettingKey flag_key(std::string_view name, bool* field) {
    return {name, [field](const SettingInput& in) { *field = is_true(in.value); },
            [field] { return l2b(*field); }};
}

SettingKey text_key(std::string_view name, std::string* field, std::size_t length) {
    return {name, [field, length](const SettingInput& in) { *field = cut(in.value, length); },
            [field] { return std::string(trim(*field)); }};
}

SettingKey position_key(std::string_view name, int* field) {
    return {name, [field](const SettingInput& in) { *field = b2pos(in.value); },
            [field] { return pos2b(*field); }};
}

SettingKey colour_key(std::string_view name, int* field) {
    return {name, [field](const SettingInput& in) { *field = txt2rgb(in.value); },
            [field] { return rgb2txt(*field); }};
}

SettingKey hotkey_key(std::string_view name, int* field) {
    return {name,
            [field](const SettingInput& in) {
                if (auto code = b2k(in.value)) {
                    *field = *code;
                } else {
                    log_bad_value(in.line);
                }
            },
            [field] { return k2b(*field); }};
}

SettingKey percent_key(std::string_view name, int* field, bool trace) {
    return {name,
            [field, trace](const SettingInput& in) {
                const auto x = read_real(in.value);
                if (!x) log_bad_value(in.line);
                *field = x ? percent_to_level(*x) : 255;
                if (trace)
                    std::printf("%.*s : %d %g %d\n", static_cast<int>(in.line.size()),
                                in.line.data(), x ? 0 : 1, x ? *x : 0.0, *field);
            },
            [field] { return i2b(level_to_percent(*field)); }};
}

// A time constant is given as three times its value (the filter's settling time).
SettingKey time_constant_key(std::string_view name, double* field) {
    return {name,
            [field](const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    *field = std::max(*x / 3.0, kMinTimeConstant);
                } else {
                    log_bad_value(in.line);
                }
            },
            [field] { return real_text(*field * 3.0, "(F8.4)"); }};
}

// VNE and the margins are kept in display units until the flight starts.
SettingKey speed_key(std::string_view name, double* field, double unset_below) {
    return {name,
            [field](const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    *field = *x;
                } else {
                    log_bad_value(in.line);
                }
            },
            [field, unset_below] {
                return *field > unset_below ? real_text(*field, "(F8.2)") : std::string();
            }};
}

SettingKey stop_wait_key() {
    return {"StopWait",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    option.stopwait = *n;
                } else {
                    log_bad_value(in.line);
                }
                std::printf("StopWait %d\n", option.stopwait);
            },
            [] { return i2b(option.stopwait); }};
}

SettingKey kbd_auto_restart_key() {
    return {"KbdHook_Auto_Restart",
            [](const SettingInput& in) {
                const int n = read_int(in.value).value_or(0);
                option.kbdautorst = n < 1 ? 0 : std::max(n, 2);
                std::printf("KbdAutoRst %d\n", option.kbdautorst);
            },
            [] { return i2b(option.kbdautorst); }};
}

// The language code in force is kept unless it was chosen automatically.
SettingKey language_key() {
    return {"Language", [](const SettingInput& in) { my_tas_c.lang = cut(in.value, 10); },
            [] { return option.nlang <= 1 ? std::string() : std::string(trim(my_tas_c.lang)); }};
}

SettingKey horizon_size_key() {
    return {"AH size",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    option.horwid = *n;
                } else {
                    log_bad_value(in.line);
                    option.horwid = 150;
                }
            },
            [] { return i2b(option.horwid); }};
}

SettingKey horizon_standard_key() {
    return {"AH Standard", [](const SettingInput& in) { in.state.ah_standard = is_true(in.value); },
            [] { return l2b(option.horizarti == 2); }};
}

// A folder name is taken whole from the line: the values of other keys stop at 80 characters,
// and a prefix deep in a home folder is often longer.
SettingKey wine_prefix_key() {
    return {"Wine prefix",
            [](const SettingInput& in) {
                std::size_t at = in.line.find('=');
                if (at == std::string_view::npos) at = in.line.find(':');
                inst00.wine_prefix = std::string(trim(in.line.substr(at + 1)));
            },
            [] { return inst00.wine_prefix; }};
}

SettingKey flap_bank_key() {
    return {"FlapSoundMaxBank",
            [](const SettingInput& in) {
                if (auto x = read_real(in.value)) {
                    my_tas_0.flapmxbank = *x == 0.0 ? 90.0 : *x;
                } else {
                    log_bad_value(in.line);
                }
            },
            [] { return real_text(my_tas_0.flapmxbank, "(F8.1)"); }};
}

SettingKey flaps_alarm_key() {
    return {"Flaps Alarm Init",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    option.qflap_beep = *n != 0;
                } else {
                    log_bad_value(in.line);
                }
            },
            [] { return l2b(option.qflap_beep); }};
}

SettingKey general_volume_key() {
    return {"General volume",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    volumes.sndvol = std::clamp(*n, 0, 100) * 0.01;
                } else {
                    log_bad_value(in.line);
                }
            },
            [] { return i2b(std::clamp(std::lround(volumes.sndvol * 100.0), 0L, 100L)); }};
}

SettingKey flaps_volume_key() {
    return {"Flaps volume",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    volumes.flapvol = std::max(*n, 0) * 0.01;
                } else {
                    log_bad_value(in.line);
                }
            },
            [] { return i2b(std::max(std::lround(volumes.flapvol * 100.0), 0L)); }};
}

SettingKey bug_wiper_key() {
    return {"BugWiperThermTurns",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    option.minthturns = std::max(*n, 0);
                    option.qbugwrn = option.minthturns >= 1;
                } else {
                    log_bad_value(in.line);
                }
            },
            [] { return option.qbugwrn ? i2b(option.minthturns) : std::string("0"); }};
}

SettingKey unit_key() {
    return {"Unit",
            [](const SettingInput& in) {
                const auto unit = parse_unit(in.value);
                if (!unit) {
                    log_bad_value(in.line);
                    return;
                }
                option.nunit = unit->nunit;
                if (unit->nunit == kCustomUnit) my_tas_0.fconv = unit->factor;
                if (unit->nunit >= 0) my_tas_c.cunit = unit->name;
            },
            [] { return unit_text(option.nunit, trim(my_tas_c.cunit), my_tas_0.fconv); }};
}

SettingKey version_key() {
    return {"Kalveo Version",
            [](const SettingInput& in) {
                if (auto n = read_int(in.value)) {
                    my_tas_1.numver_fich = *n;
                } else {
                    log_bad_value(in.line);
                }
            },
            // The file is written by the program that runs now.
            [] { return i2b(my_tas_1.numver); }};
}

std::vector<SettingKey> make_keys() {
    std::vector<SettingKey> keys{
        integer_key("Port", &communic_0.udp_port),
        integer_key("Forward Port", &communic_0.fwd_port),
        text_key("Forward Address", &communic_c.fwd_addr, 33),
        version_key(),
        text_key("Font name", &my_tas_c.fntnam, 30),
        stop_wait_key(),
        kbd_auto_restart_key(),
        language_key(),
        flag_key("Auto update", &option.qauto_upd),
        integer_key("KeyboardHook", &option.kbdhook),
        integer_key("Font size", &option.fntsiz),
        integer_key("AH Font size", &option.horfntsiz),
        percent_key("Opacity", &option.txtopa, true),
        integer_key("Horizontal display", &option.horizontal),
        position_key("Hor. position", &option.posx),
        position_key("Ver. position", &option.posy),
        horizon_size_key(),
        horizon_standard_key(),
        integer_key("AH transparent corners", &option.horbgdtrans),
        percent_key("AH opacity", &option.horopa, false),
        position_key("AH hor. position", &option.horposx),
        position_key("AH ver. position", &option.horposy),
        hotkey_key("Key increase", &keydef.keyinc),
        hotkey_key("Key decrease", &keydef.keydec),
        hotkey_key("Key horizon", &keydef.keyhor),
        hotkey_key("Key Flaps Sound", &keydef.keysfl),
        hotkey_key("Key Chat Open", &keydef_cndr.keychato),
        hotkey_key("Key Sound Up", &keydef.keyvup),
        hotkey_key("Key Sound Down", &keydef.keyvdn),
        hotkey_key("Key Stopwatch", &keydef.keytim),
        hotkey_key("Key Task Timer", &keydef.keytsktim),
        hotkey_key("Key Integrator", &keydef.keyave),
        hotkey_key("Key Netto Int", &keydef.keyavn),
        hotkey_key("Key HUD Speed", &keydef.keyhuds),
        integer_key("Display Netto Vario", &option.disnet),
        integer_key("Display Long-term Integrator", &option.disint_i),
        integer_key("Display Netto Integrator", &option.disnet_i),
        integer_key("Display Stopwatch", &option.distim),
        integer_key("Display Task Timer", &option.distsktim),
        integer_key("Display Clock", &option.disclk),
        integer_key("Display Wall Clock", &option.diswalclk),
        integer_key("Display TAS", &option.distas),
        integer_key("Display IAS", &option.disias),
        integer_key("Display Gnd Speed", &option.disgs),
        integer_key("Display VNE", &option.disvne),
        integer_key("Display Flaps", &option.disfla),
        integer_key("Display VA1", &option.disva1),
        integer_key("Display Slip", &option.dissli),
        integer_key("Display Units", &option.disuni),
        integer_key("Display Ballast", &option.disbal),
        integer_key("Display Heading", &option.dishdg),
        integer_key("North Up", &option.northup),
        integer_key("Display Wind", &option.diswnd),
        integer_key("Display G meter", &option.disg),
        integer_key("Arrow Style", &option.arrtyp),
        integer_key("Number of Digits", &option.numdig),
        colour_key("ColFlap", &option.colflap),
        colour_key("ColWB", &option.colwb),
        colour_key("ColVNE", &option.colvne),
        colour_key("ColVA1", &option.colva1),
        colour_key("ColTAS", &option.coltas),
        colour_key("ColGS", &option.colgs),
        colour_key("ColHDG", &option.colhdg),
        colour_key("ColIAS", &option.colias),
        colour_key("ColNetto", &option.colnet),
        colour_key("ColNettoInt", &option.colavn),
        colour_key("ColInt", &option.colint),
        colour_key("ColTaskTimer", &option.coltsktim),
        colour_key("ColClock", &option.colclk),
        colour_key("ColTimer", &option.coltim),
        colour_key("ColGmeter", &option.colg),
        colour_key("ColSlip", &option.colsli),
        colour_key("ColWind", &option.colwnd),
        colour_key("AH Corners Background", &option.horbgd),
        colour_key("Text Background", &option.txtbgd),
        text_key("Condor 1 Path", &inst00.condor_1_path, 80),
        wine_prefix_key(),
        flap_bank_key(),
        flag_key("Flaps_GFactor", &option.qflap_g),
        time_constant_key("Flaps_AverageTime", &my_tas_0.tau_f),
        integer_key("FlapsLandingOpt", &option.lndopt),
        time_constant_key("Airspeed_AverageTime", &my_tas_0.tau_v),
        flaps_alarm_key(),
        integer_key("Sound device", &beeps.snddev),
        general_volume_key(),
        flaps_volume_key(),
        bug_wiper_key(),
        speed_key("VNE", &my_tas_0.vne, 0.0),
        speed_key("DV1", &my_tas_0.dv1, kUnsetDv1Limit),
        speed_key("DV2", &my_tas_0.dv2, 0.0),
        integer_key("Atmosphere Model", &my_tas_0.atmo_mod),
        text_key("Text editor", &cmndta000.text_editor, 80),
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
