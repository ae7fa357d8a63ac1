#include "platform/clock.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "report/log.h"
#include "report/log_channel.h"
#include "report/log_format.h"
#include "report/stop.h"

#include <cstdio>
#include <string>

namespace kalveo {

namespace detail {

std::string error_log_name() {
    std::string& folder = log_state().error_log_folder;
    if (trim_right(folder).empty()) folder = get_inst_path();
    std::string name(trim_right(folder));
    if (!name.empty() && name.back() != '\\' && name.back() != '/') name += '\\';
    return name + "ErrorLog.txt";
}

namespace {

void trace_error_log_name(const std::string& name) {
    const std::string_view app_path = trim_right(log_state().error_log_folder);
    console_line(" " + std::to_string(app_path.size()) + " " + std::string(app_path));
    console_line(" " + std::to_string(kErrorLogChannel) + " " + name);
}

[[noreturn]] void report_open_failure(const std::string& name) {
    const std::string failure = name + " : Error opening)";
    console_line(failure);
    flush_console();
    if (!log_state().reporting_open_failure) {
        log_state().reporting_open_failure = true;
        // Quoted, so that a path with "/" stays on one line.
        log_message_f("{F}\"" + failure + "\"");
    }
    stop_program({}, 1);
}

void write_entry_header(int nsta) {
    LogChannel& channel = error_log_channel();
    if (nsta != kSeverityWarning && nsta != kSeverityError && nsta != kSeverityFatal) return;
    console_line(console_header(nsta));
    write_channel_line(channel, file_header(nsta));
}

} // namespace

void write_error_log_entry(std::string_view msg, int nsta) {
    const std::string name = error_log_name();
    trace_error_log_name(name);
    ChannelSession session(error_log_channel(), native_path(name));
    if (!session.is_open()) report_open_failure(name);

    LogChannel& channel = error_log_channel();
    write_channel_line(channel, "");
    write_channel_line(channel, date_time_stamp(local_time_now()));
    write_entry_header(nsta);
    print_message(kErrorLogChannel, make_printable(msg.substr(0, kLogMessageLength)));
}

} // namespace detail

void log_error_f(std::string_view msg, int nsta) {
    detail::write_error_log_entry(msg, nsta);
    if (nsta == kSeverityFatal) stop_program({}, 1);
}

} // namespace kalveo
