#include "sim/controls.h"

#include "flight/records.h"
#include "platform/key_names.h"
#include "report/log.h"
#include "report/messages.h"
#include "report/trace.h"
#include "sim/records.h"
#include "sim/sim_files.h"
#include "text/editor_text.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <system_error>

namespace kalveo {
namespace {

constexpr int kOpenFailed = 1;
constexpr int kReadFailed = 2;

// The action number is held in place (no pointer), so the tables are plain read-only data.
struct Action {
    char number[5];
    int SimulatorKeys::*field;
};

constexpr Action kVersion3Actions[] = {
    {"3074", &SimulatorKeys::scnchato}, {"3030", &SimulatorKeys::scngrst},
    {"3042", &SimulatorKeys::scnnxtp},  {"3043", &SimulatorKeys::scnprtp},
    {"3044", &SimulatorKeys::scnadvtp}, {"3023", &SimulatorKeys::scnbugw},
};

constexpr Action kVersion2Actions[] = {
    {"3040", &SimulatorKeys::scnchato},
    {"3071", &SimulatorKeys::scngrst},
};

void take_assignment(std::string_view line, int number_of_line, bool qc3, SimulatorKeys& keys) {
    const KeyValue kv = extract_key_val(line);
    const auto action = read_int(kv.key);
    if (!action || *action <= 2999 || kv.val.empty()) return;
    const std::string_view number = std::string_view(kv.key).substr(0, 4);
    const auto take = [&](const auto& actions) {
        for (const Action& a : actions) {
            if (number != std::string_view(a.number)) continue;
            if (auto value = read_int(kv.val))
                keys.*a.field = *value;
            else
                log_verbatim("*** controls.ini line " + std::to_string(number_of_line) +
                             " not understood : " + std::string(line));
        }
    };
    if (qc3)
        take(kVersion3Actions);
    else
        take(kVersion2Actions);
}

} // namespace

void parse_controls_ini(std::string_view text, bool qc3, SimulatorKeys& keys) {
    const EditorText decoded = editor_text(text);
    if (!decoded.how.empty()) log_verbatim("controls.ini: " + decoded.how);
    bool keyboard = false;
    int number = 0;
    for (const auto& line : split_text_lines(decoded.text, kControlsLineLength)) {
        ++number;
        if (line.starts_with("[{")) {
            keyboard =
                std::string_view(line).substr(0, kKeyboardSection.size()) == kKeyboardSection;
            continue;
        }
        if (keyboard) take_assignment(line, number, qc3, keys);
    }
}

ControlsRead read_controls_ini(std::string_view fich, bool qc3, bool qdebug, int chat_open_key,
                               std::string_view msgkeymapp, std::string_view msgkeynosu) {
    (void)qdebug; // the open status is always logged
    const auto file = simulator_file(fich);
    std::error_code ec;
    std::ifstream in;
    if (!std::filesystem::is_directory(file, ec)) in.open(file, std::ios::binary);
    ControlsRead read;
    int& status = read.status;
    SimulatorKeys& keys = read.keys;
    status = in.is_open() ? 0 : kOpenFailed;
    log_message_f("OPEN " + std::to_string(status));
    if (status == 0) {
        std::ostringstream text;
        text << in.rdbuf();
        if (in.bad())
            status = kReadFailed;
        else
            parse_controls_ini(text.str(), qc3, keys);
    }
    in.close();
    log_message_f("ScnChatO:" + std::to_string(keys.scnchato));
    log_message_f("ScnNxTP:" + std::to_string(keys.scnnxtp));
    log_message_f("ScnPrTP:" + std::to_string(keys.scnprtp));
    if (keys.scnchato == 0 && chat_open_key < 1) {
        error_message_tit(kBoxWarning, kDefaultBoxTitle,
                          std::string(msgkeymapp) + "/- Message/read_controls_ini/" +
                              std::string(msgkeynosu));
    }
    trace("read_controls_ini %d\n", status);
    return read;
}

std::string key_name_line(std::string_view label, int code) {
    char line[160];
    const std::string text(label);
    if (code > 0) {
        // Only the key part can be a character; a code beyond it shows as "?".
        const int key = code % 10000;
        const char c = key >= 32 && key < 127 ? static_cast<char>(key) : '?';
        std::snprintf(line, sizeof line, "%s : %d %c", text.c_str(), code, c);
        return line;
    }
    const int scancode = negate_key_number(code);
    const auto name = scan_code_name(scancode);
    if (name)
        std::snprintf(line, sizeof line, "%s : %d %s", text.c_str(), scancode, name->c_str());
    else
        std::snprintf(line, sizeof line, "%s : %d ???? ", text.c_str(), scancode);
    return line;
}

void Print_Key_Name(std::string_view label, int code) {
    log_message_f(key_name_line(label, code));
}

} // namespace kalveo
