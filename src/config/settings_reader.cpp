#include "config/language.h"
#include "config/line_reader.h"
#include "config/settings.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/editor_text.h"
#include "text/key_value.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdio>

namespace kalveo {

namespace {

constexpr double kFlapBankUnset = -15.0;
constexpr std::array<std::string_view, 5> kLanguageCodes{"", "", "EN", "FR", "DE"};

void apply_language_choice(ProgramSettings& program, bool system_french) {
    const std::string lang(trim(program.language));
    program.language_number = 2;
    if (lang.empty()) program.language_number = 1;
    for (int n = 2; n <= 4; ++n)
        if (!lang.empty() && lang == kLanguageCodes[static_cast<std::size_t>(n)])
            program.language_number = n;
    program.french = false;
    if (program.language_number == 1 && system_french) {
        program.language = "FR";
        program.french = true;
    }
    trace("Language %d %d %s\n", program.language_number, program.french ? 1 : 0,
          program.language.c_str());
}

// Takes one line of a settings file: comments, blank lines, unknown keys and blank values
// change nothing.
void read_line(std::string_view line, Settings& settings, SettingsReadState& state,
               SettingsLineCounts& counts) {
    if (is_blank_text(line) || line.front() == '#') return;
    counts.setting_lines += 1;
    const KeyValue kv = extract_key_val(line);
    const SettingKey* key = find_setting_key(kv.key);
    // A key hidden by stray bytes or a line cut off in its key would otherwise go unnoticed.
    if (!key) {
        log_verbatim("*** Settings line " + std::to_string(counts.lines) +
                     " not understood : " + std::string(line));
        return;
    }
    if (kv.val.empty()) return;
    key->read(settings, {kv.val, line, state});
}

void apply_rules_after_reading(Settings& s, const SettingsReadState& state, bool system_french) {
    DisplaySettings& d = s.display;
    d.show_vne = std::clamp(d.show_vne, 0, 1);
    d.show_va1 = std::clamp(d.show_va1, 0, 1);
    if (d.horizon_size >= 2) d.horizon = state.ah_standard ? 2 : 1;
    if (d.show_wind < 0) {
        const long long shown = -static_cast<long long>(d.show_wind) + 4;
        d.show_wind = static_cast<int>(std::min<long long>(shown, INT_MAX));
    }
    if (!state.flap_bank_given || s.flaps.sound_max_bank == kFlapBankUnset)
        s.flaps.sound_max_bank = s.flaps.scale_by_load_factor ? 90.0 : 15.0;
    if (s.speeds.unit == -1) s.speeds.vne = kSpeedNotSet;
    apply_language_choice(s.program, system_french);
}

} // namespace

SettingsRead read_settings_text(std::string_view bytes, bool system_french, const Settings& base) {
    SettingsRead read{base, {}};
    SettingsReadState state;
    const EditorText text = editor_text(bytes);
    if (!text.how.empty()) log_verbatim("Settings file: " + text.how);
    for_each_line(text.text, [&](std::string_view line) {
        line = line.substr(0, kSettingsLineLength);
        read.counts.lines += 1;
        read.counts.longest =
            std::max(read.counts.longest, static_cast<int>(trim_right(line).size()));
        read_line(line, read.settings, state, read.counts);
    });
    apply_rules_after_reading(read.settings, state, system_french);
    return read;
}

std::optional<Settings> rd_ini() {
    const auto contents = read_whole_file(native_path(kSettingsFile));
    if (!contents.opened) return std::nullopt;
    SettingsRead read = read_settings_text(contents.bytes, IsLanguageFrench());
    if (!contents.complete) return std::nullopt;
    return std::move(read.settings);
}

} // namespace kalveo
