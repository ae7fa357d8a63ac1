#include "config/setup_ini.h"

#include "config/line_reader.h"
#include "config/records.h"
#include "platform/paths.h"
#include "report/log.h"
#include "text/blanks.h"
#include "text/key_value.h"
#include "text/number_read.h"

#include <string>

namespace kalveo {

namespace {

constexpr std::size_t kSetupLineLength = 120;
constexpr int kNotReadable = 1;

void log_bad_value(std::string_view line) {
    log_message_f("*** ERROR : Setup.ini : " + std::string(line));
}

void take_option(const KeyValue& kv, std::string_view line, Rdstng00Record& options) {
    const bool known =
        kv.key == "Units" || kv.key == "AltimeterSetting" || kv.key == "AveragerTimeConstant";
    if (!known) return;
    const auto n = read_int(kv.val);
    if (!n) {
        log_bad_value(line);
        return;
    }
    if (kv.key == "Units") options.nunit_cndr = *n;
    if (kv.key == "AltimeterSetting") options.altsttng = *n;
    if (kv.key == "AveragerTimeConstant") options.tau_int = (*n + 1.0) * 5.0;
}

} // namespace

Rdstng00Record parse_setup_text(std::string_view text) {
    Rdstng00Record options;
    // Once [Options] has been seen, keys count whatever section follows.
    bool in_options = false;
    for_each_line(text, [&in_options, &options](std::string_view line) {
        line = line.substr(0, kSetupLineLength);
        if (trim_right(line) == "[Options]") {
            in_options = true;
            return;
        }
        if (!in_options) return;
        const KeyValue kv = extract_key_val(line);
        if (!kv.val.empty()) take_option(kv, line, options);
    });
    return options;
}

SetupIniRead read_settings(std::string_view fich, bool qdebug) {
    const std::string name(trim(fich));
    const FileBytes contents = read_whole_file(native_path(name));
    if (qdebug) {
        log_message_f(name);
        log_message_f("OPEN " + std::to_string(contents.opened ? 0 : kNotReadable));
    }
    if (!contents.opened) return {kNotReadable, {}};
    return {contents.complete ? 0 : kNotReadable, parse_setup_text(contents.bytes)};
}

} // namespace kalveo
