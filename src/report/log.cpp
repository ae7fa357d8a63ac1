#include "report/log.h"

#include "platform/clock.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/program_path.h"
#include "report/log_channel.h"
#include "report/log_format.h"
#include "report/stop.h"
#include "text/text_format.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <optional>

namespace kalveo {

using detail::ChannelSession;
using detail::console_line;
using detail::trim_blanks;
using detail::trim_right;

namespace {

constexpr std::string_view kCreate = "CREATE";
constexpr std::string_view kCreateSendName = "CREATE-SEND-NAME";
constexpr std::size_t kPathLength = 256;

std::string program_name() {
    const std::string& given = detail::log_state().program_name;
    if (!given.empty()) return given;
    return program_file().filename().string();
}

// Creates (empties) the log file with the date line and remembers its name.
std::string create_log_file(std::string_view msg) {
    const std::tm now = local_time_now();
    std::string name(trim_blanks(msg.substr(kCreate.size())));
    if (name.empty() || trim_right(msg) == kCreateSendName)
        name = timed_log_name(program_name(), now);
    if (name.size() > kPathLength) name.resize(kPathLength);
    detail::close_channel(detail::log_channel());
    detail::set_log_file_name(name);

    int status = 0;
    const auto file = native_path(name);
    std::FILE* out = open_file(file, "w");
    if (out == nullptr) {
        status = errno != 0 ? errno : EIO;
    } else {
        if (std::fprintf(out, "%s\n\n", date_time_stamp(now).c_str()) < 0) status = EIO;
        if (std::fclose(out) != 0 && status == 0) status = EIO;
    }
    console_line(" CREATE " + name + " " + std::to_string(status));
    detail::flush_console();
    return name;
}

struct Severity {
    int code = -1;
    std::string_view text;
};

Severity split_severity(std::string_view msg) {
    if (trim_right(msg).empty()) return {-1, {}};
    const std::string_view prefix = msg.substr(0, 3);
    Severity out{-1, msg};
    if (prefix == "{I}") out.code = kSeverityInfo;
    if (prefix == "{W}") out.code = kSeverityWarning;
    if (prefix == "{E}") out.code = kSeverityError;
    if (prefix == "{F}") out.code = kSeverityFatal;
    if (out.code >= 0) out.text = msg.substr(3);
    out.text = out.text.substr(0, kLogMessageLength);
    return out;
}

void write_header(int severity) {
    console_line(console_header(severity));
    detail::write_channel_line(detail::log_channel(), file_header(severity));
}

void write_trailer() {
    console_line(trailer_line());
    detail::write_channel_line(detail::log_channel(), trailer_line());
}

} // namespace

void set_debug_mode(bool on) {
    detail::log_state().debug = on;
}

bool debug_mode() {
    return detail::log_state().debug;
}

void set_program_name(std::string_view argument0) {
    detail::log_state().program_name = argument0;
}

void set_error_log_folder(std::string_view folder) {
    detail::log_state().error_log_folder = folder;
}

ReportCounts reported_counts() {
    const detail::LogState& state = detail::log_state();
    return {state.errors, state.warnings};
}

std::string log_message_f(std::string_view msg) {
    if (msg.substr(0, kCreate.size()) == kCreate) return create_log_file(msg);

    const Severity severity = split_severity(msg);
    {
        ChannelSession session(detail::log_channel(), native_path(detail::log_file_name()));
        if (severity.code >= 0) write_header(severity.code);
        if (severity.code == kSeverityWarning || severity.code == kSeverityError)
            detail::write_error_log_entry(severity.text, severity.code);
        print_message(kLogChannel, make_printable(severity.text));
        if (severity.code >= 0) write_trailer();
    }
    detail::flush_console();
    // The whole fatal message is in the log before the error log is tried,
    // so the run log always says why the program ended.
    if (severity.code == kSeverityFatal) log_error_f(severity.text, kSeverityFatal);
    return {};
}

namespace {

// A severity prefix or "CREATE" at the start of a message gives it a meaning.
bool has_meaning(std::string_view text) {
    return text.starts_with('{') || text.starts_with(kCreate);
}

} // namespace

void log_printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string text = vformat_text(format, args);
    va_end(args);
    // Only the format gives a message its meaning: outside text put at its start (a
    // datagram from the network, a file's line) must not stop the program or start a log.
    if (has_meaning(text) && !has_meaning(format)) text.insert(0, " ");
    log_message_f(text);
}

void log_verbatim(std::string_view text) {
    if (text.find('/') == std::string_view::npos && !has_meaning(text)) {
        log_message_f(text);
        return;
    }
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted += '"';
    quoted += text;
    quoted += '"';
    log_message_f(quoted);
}

std::string make_printable(std::string_view msg) {
    std::string out(msg);
    for (char& c : out)
        if (c == '\n') c = '/';
    return out;
}

namespace {

std::filesystem::path channel_file(int nunit) {
    if (nunit == kErrorLogChannel) return native_path(detail::error_log_name());
    return native_path(detail::log_file_name());
}

int write_to_unit(detail::LogChannel* channel, int nunit, std::string_view line) {
    if (nunit == kConsoleChannel) {
        console_line(line);
        return 0;
    }
    if (channel == nullptr) return EBADF;
    return detail::write_channel_line(*channel, line);
}

} // namespace

void print_message(int nunit, std::string_view msg) {
    detail::LogChannel* channel = detail::channel_by_number(nunit);
    std::optional<ChannelSession> session;
    if (channel != nullptr) session.emplace(*channel, channel_file(nunit));

    const std::string_view text = trim_right(msg);
    if (text.empty()) {
        console_line("");
        write_to_unit(channel, nunit, "");
    } else if (text.front() == '"' && text.back() == '"') {
        // A quoted message is one line: its "/" are part of the text.
        const std::string_view inner = text.size() > 1 ? text.substr(1, text.size() - 2) : "";
        console_line(inner);
        write_to_unit(channel, nunit, inner);
    } else {
        std::size_t start = 0;
        while (true) {
            const std::size_t slash = text.find('/', start);
            const std::string_view piece = trim_right(text.substr(start, slash - start));
            detail::console_echo(nunit, write_to_unit(channel, nunit, piece), piece);
            if (slash == std::string_view::npos) break;
            start = slash + 1;
        }
    }
    detail::flush_console();
}

void detail::write_plain_log_line(std::string_view line) {
    ChannelSession session(log_channel(), native_path(log_file_name()));
    print_message(kLogChannel, std::string("\"") + std::string(line) + "\"");
}

} // namespace kalveo
