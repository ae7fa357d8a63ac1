#include "config/settings_writer.h"

#include "config/line_reader.h"
#include "config/setting_values.h"
#include "config/settings.h"
#include "platform/file_replace.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "report/file_versions.h"
#include "report/log.h"
#include "report/stop.h"
#include "report/trace.h"
#include "text/blanks.h"
#include "text/key_value.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kalveo {

namespace {

constexpr int kWriteFailed = 5;

bool copied_unchanged(std::string_view line) {
    return is_blank_text(line) || line.front() == '#' || line.find('=') == std::string_view::npos;
}

std::string rewritten_line(std::string_view line, const Settings& settings) {
    if (copied_unchanged(line)) return std::string(trim_right(line));
    const KeyValue kv = extract_key_val(line);
    trace("%s -> %s\n", kv.key.c_str(), kv.val.c_str());
    const SettingKey* key = find_setting_key(kv.key);
    // A key the program does not know is kept as the template gives it.
    if (key == nullptr) return std::string(trim_right(line));
    std::string out = kv.key + "=" + key->write(settings);
    if (settings.program.debug) trace("%s\n", out.c_str());
    return out;
}

// The position text a line gets for its key, or nothing when the line holds no position.
const std::string* position_for(std::string_view line, const std::array<std::string, 4>& texts) {
    static constexpr std::array<std::string_view, 4> kKeys = {
        "Hor. position", "Ver. position", "AH hor. position", "AH ver. position"};
    line = line.substr(0, kSettingsLineLength);
    if (is_blank_text(line) || line.front() == '#') return nullptr;
    const KeyValue kv = extract_key_val(line);
    for (std::size_t i = 0; i < kKeys.size(); ++i)
        if (kv.key == kKeys[i]) return &texts[i];
    return nullptr;
}

void log_positions(const char* window, int x, int y, const std::string& tx, const std::string& ty) {
    char buffer[160];
    std::snprintf(buffer, sizeof buffer, "%s position : %d %d  %s %s", window, x, y, tx.c_str(),
                  ty.c_str());
    log_message_f(buffer);
}

bool backup_settings_file() {
    std::error_code ec;
    if (const int error = replace_fault(ReplaceStep::backup))
        ec.assign(error, std::generic_category());
    else
        ec = copy_file_replacing(native_path(kSettingsFile),
                                 native_path("Settings\\Kalveo.ini.bak"));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "COPY :%5d%5d", ec ? 1 : 0, ec ? ec.value() : 0);
    log_message_f(buffer);
    return !ec;
}

} // namespace

std::string rewrite_settings_text(std::string_view template_text, const Settings& settings) {
    std::string out;
    for_each_line(template_text, [&out, &settings](std::string_view line) {
        line = line.substr(0, kSettingsLineLength);
        if (!line.empty() && line.front() == '*') return;
        out += rewritten_line(line, settings);
        out += native_line_end();
    });
    return out;
}

int rewrite_ini(const Settings& settings, int program_version) {
    const std::string template_name(kSettingsTemplate);
    const FileBytes model = read_whole_file(native_path(template_name));
    trace("%s %d\n", template_name.c_str(), model.error);
    if (!model.opened || !model.complete) {
        log_message_f("{E}" + template_name + " could not be read");
        return model.error;
    }
    std::string saved(kSettingsFile);
    const int kept = replace_fault(ReplaceStep::backup) ? 0 : save_old_file(saved, true);
    trace("save_old_file %d %s\n", kept, saved.c_str());
    // Without its numbered copy the pilot's file is not replaced.
    std::error_code ec;
    if (kept == 0 && std::filesystem::exists(native_path(kSettingsFile), ec)) {
        log_message_f("{E}" + std::string(kSettingsFile) +
                      " not rewritten : no numbered copy could be made");
        return kWriteFailed;
    }

    // The file is written by the program that runs now.
    Settings written = settings;
    written.program.file_version = program_version;
    const std::string failure =
        replace_file(native_path(kSettingsFile), rewrite_settings_text(model.bytes, written));
    if (!failure.empty()) {
        log_message_f("{E}" + std::string(kSettingsFile) + " could not be written : " + failure);
        return kWriteFailed;
    }
    log_message_f(std::string(kSettingsFile) + " rewritten from " + template_name);
    return 0;
}

std::string replace_position_lines(std::string_view text, const WindowPositions& positions) {
    const std::array<std::string, 4> texts = {
        pos2b(positions.grpos_x), pos2b_vertical(positions.grpos_y), pos2b(positions.ahpos_x),
        pos2b_vertical(positions.ahpos_y)};
    std::string out;
    out.reserve(text.size() + 32);
    for_each_line_with_end(text, [&](std::string_view line, std::string_view end) {
        if (const std::string* value = position_for(line, texts)) {
            out += extract_key_val(line).key + "=" + *value;
        } else {
            out += line;
        }
        out += end;
    });
    return out;
}

void write_ini(int npath, int grpos_x, int grpos_y, int ahpos_x, int ahpos_y) {
    if (npath != 0) return;
    const bool backed_up = backup_settings_file();
    const FileBytes contents = read_whole_file(native_path(kSettingsFile));
    if (!contents.opened || !contents.complete) {
        log_message_f("*** Kalveo.ini ***");
        stop_program("*** Kalveo.ini ***");
    }
    if (!backed_up) {
        log_message_f("{E}Window positions not saved : Settings\\Kalveo.ini.bak could not be made");
        return;
    }
    const WindowPositions positions{grpos_x, grpos_y, ahpos_x, ahpos_y};
    log_positions("Text window", grpos_x, grpos_y, pos2b(grpos_x), pos2b_vertical(grpos_y));
    log_positions("Horizon window", ahpos_x, ahpos_y, pos2b(ahpos_x), pos2b_vertical(ahpos_y));
    const std::string failure =
        replace_file(native_path(kSettingsFile), replace_position_lines(contents.bytes, positions));
    if (!failure.empty()) log_message_f("{E}Window positions not saved : " + failure);
}

} // namespace kalveo
