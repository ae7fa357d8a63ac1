// report/log: the run log (Logs\Logfile.txt), the cumulative error log
// (ErrorLog.txt in the program folder) and the console echo of every line.
//
// Messages may start with a severity prefix: "{I}" information, "{W}" warning,
// "{E}" error, "{F}" fatal (the program stops after the error-log entry).
// "/" separates lines unless the whole message is enclosed in double quotes.
#pragma once

#include <string>
#include <string_view>

namespace kalveo {

/// Severity codes shared by the log and the message boxes.
inline constexpr int kSeverityInfo = 0;
inline constexpr int kSeverityError = 1;
inline constexpr int kSeverityWarning = 2;
inline constexpr int kSeverityFatal = 999;

/// Longest log or error-log message; the rest is cut.
inline constexpr std::size_t kLogMessageLength = 1024;

/// Channel numbers shown in the console echo of each line.
inline constexpr int kConsoleChannel = 6;
inline constexpr int kLogChannel = 33;
inline constexpr int kErrorLogChannel = 66;

/// Writes a message to the log (and its echo to the console). A text starting
/// with "CREATE" creates the log file instead; "CREATE-SEND-NAME" (or
/// "CREATE" alone) names it after the program and the time. Returns the log
/// file name for the CREATE forms, an empty string otherwise.
std::string log_message_f(std::string_view msg);

/// Debug mode (the switch -d): the parts log every draw, tick and key and trace more.
void set_debug_mode(bool on);
[[nodiscard]] bool debug_mode();

/// Remembers the program's command-line argument 0, from which "CREATE" alone
/// names the log file (the running program's file is used until it is set).
void set_program_name(std::string_view argument0);

/// The folder of the error log ("ErrorLog.txt"); empty: the program's folder.
void set_error_log_folder(std::string_view folder);

/// Errors and warnings reported through error_message_vfl since the program started.
struct ReportCounts {
    int errors = 0;
    int warnings = 0;
};
[[nodiscard]] ReportCounts reported_counts();

/// The same for callers holding NUL-terminated text.
inline void log_message(std::string_view text) {
    log_message_f(text);
}

/// One entry in the error log with a time stamp and the header of `nsta`
/// (kSeverityWarning, kSeverityError, kSeverityFatal; others: no header).
/// kSeverityFatal stops the program after the entry.
void log_error_f(std::string_view msg, int nsta);
inline void log_error(std::string_view text, int nsta) {
    log_error_f(text, nsta);
}

/// Formats like printf (numbers in the "C" locale) and logs the message. A severity prefix
/// or "CREATE" counts only when the format starts with it, never when an argument does.
void log_printf(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

/// Logs a text as one line even when it holds "/" (paths, device names,
/// error texts): such a line goes to the log in double quotes, as does a text
/// starting with a severity prefix or "CREATE", which has no meaning here.
void log_verbatim(std::string_view text);

/// Writes a message to a channel (kLogChannel or kErrorLogChannel) and echoes
/// each line to the console as "  33   0 text": channel, write status (0 ok),
/// a blank and the line. Log messages and error-log texts are cut to
/// kLogMessageLength characters.
void print_message(int nunit, std::string_view msg);

/// Line feeds become "/".
[[nodiscard]] std::string make_printable(std::string_view msg);

} // namespace kalveo
