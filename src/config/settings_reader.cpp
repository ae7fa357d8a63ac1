#include "config/language.h"
#include "config/line_reader.h"
#include "config/records.h"
#include "config/settings.h"
#include "flight/records.h"
#include "platform/paths.h"
#include "report/log.h"
#include "report/records.h"
#include "text/blanks.h"
#include "text/editor_text.h"
#include "text/key_value.h"

#include <algorithm>
#include <climits>
#include <cstdio>

namespace kalveo {

namespace {

constexpr double kFlapBankUnset = -15.0;
constexpr double kSpeedUnset = -10000.0;

void count_line(std::string_view line) {
    files.numlin += 1;
    files.maxlin = std::max(files.maxlin, static_cast<int>(trim_right(line).size()));
}

void apply_language_choice() {
    const std::string lang(trim(my_tas_c.lang));
    option.nlang = 2;
    if (lang.empty()) option.nlang = 1;
    for (int n = 2; n <= 4; ++n)
        if (!lang.empty() && lang == my_tas_c.lang_0[static_cast<std::size_t>(n)]) option.nlang = n;
    if (option.nlang == 1 && IsLanguageFrench()) {
        my_tas_c.lang = "FR";
        cmndta001.qfr = true;
    }
    std::printf("Language %d %d %s\n", option.nlang, cmndta001.qfr ? 1 : 0, my_tas_c.lang.c_str());
}

} // namespace

void parse_settings_line(std::string_view line, SettingsReadState& state) {
    line = line.substr(0, kSettingsLineLength);
    if (is_blank_text(line) || line.front() == '#') return;
    files.nl_act += 1;
    const KeyValue kv = extract_key_val(line);
    const SettingKey* key = find_setting_key(kv.key);
    // A key hidden by stray bytes or a line cut off in its key would otherwise go unnoticed.
    if (!key) {
        log_verbatim("*** Settings line " + std::to_string(files.numlin) +
                     " not understood : " + std::string(line));
        return;
    }
    if (kv.val.empty()) return;
    key->read({kv.val, line, state});
}

void parse_settings_text(std::string_view bytes, SettingsReadState& state) {
    const EditorText text = editor_text(bytes);
    if (!text.how.empty()) log_verbatim("Settings file: " + text.how);
    for_each_line(text.text, [&state](std::string_view line) {
        line = line.substr(0, kSettingsLineLength);
        count_line(line);
        parse_settings_line(line, state);
    });
}

void apply_settings_after_reading(const SettingsReadState& state) {
    option.disvne = std::clamp(option.disvne, 0, 1);
    option.disva1 = std::clamp(option.disva1, 0, 1);
    if (option.horwid >= 2) option.horizarti = state.ah_standard ? 2 : 1;
    if (option.diswnd < 0) {
        const long long shown = -static_cast<long long>(option.diswnd) + 4;
        option.diswnd = static_cast<int>(std::min<long long>(shown, INT_MAX));
    }
    if (my_tas_0.flapmxbank == kFlapBankUnset) my_tas_0.flapmxbank = option.qflap_g ? 90.0 : 15.0;
    if (option.nunit == -1) my_tas_0.vne = kSpeedUnset;
    apply_language_choice();
}

int rd_ini() {
    files = FilesRecord{};
    SettingsReadState state;
    const auto contents = read_whole_file(native_path(kSettingsFile));
    if (!contents.opened) return 0;
    parse_settings_text(contents.bytes, state);
    apply_settings_after_reading(state);
    return contents.complete ? 1 : 0;
}

} // namespace kalveo
