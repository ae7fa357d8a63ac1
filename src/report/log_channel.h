// report/log_channel: the file channels behind the log and the error log, and
// the console they echo to. Internal to the shell library.
#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace kalveo::detail {

/// A numbered output file that is opened for a message and closed after it.
struct LogChannel {
    int number = 0;
    std::FILE* file = nullptr;
    /// errno of the last failed open, 0 after a successful one.
    int open_status = 0;
};

/// The log's state. There is one log and one error log for the whole process, whichever
/// part writes to them and whichever pass of start-up is running, so this is the one place
/// that keeps it: the channels, their file names, the switches and the reports counted.
struct LogState {
    LogChannel log{33};
    LogChannel error_log{66};
    /// Set by the last "CREATE".
    std::string log_file_name = "Logfile.txt";
    /// Folder of the error log; the program's folder while none is set.
    std::string error_log_folder;
    /// Argument 0, from which "CREATE" alone names the log file.
    std::string program_name;
    bool debug = false;
    /// Set while the failure to open the error log is being reported, so that the fatal
    /// report, which tries the error log again, ends instead of recursing.
    bool reporting_open_failure = false;
    /// Errors and warnings reported through error_message_vfl.
    int errors = 0;
    int warnings = 0;
};

[[nodiscard]] LogState& log_state();

[[nodiscard]] LogChannel& log_channel();
[[nodiscard]] LogChannel& error_log_channel();

/// The channel with that number, or nullptr for the console and unknown numbers.
[[nodiscard]] LogChannel* channel_by_number(int number);

/// Opens the channel's file for writing at its end (created when missing).
bool open_channel(LogChannel& channel, const std::filesystem::path& file);
void close_channel(LogChannel& channel);

/// Writes one line; returns the write status (0 ok, else the system error).
int write_channel_line(LogChannel& channel, std::string_view line);

/// Opens a channel for one message unless it is already open, and closes it
/// again only when it opened it.
class ChannelSession {
  public:
    ChannelSession(LogChannel& channel, const std::filesystem::path& file);
    ~ChannelSession();
    ChannelSession(const ChannelSession&) = delete;
    ChannelSession& operator=(const ChannelSession&) = delete;

    [[nodiscard]] bool is_open() const { return channel_.file != nullptr; }

  private:
    LogChannel& channel_;
    bool opened_here_ = false;
};

/// One line on the console (standard output).
void console_line(std::string_view line);
/// The console echo of a channel line: channel and status four wide, a blank, the text.
void console_echo(int channel, int status, std::string_view line);
void flush_console();

/// Text without its trailing blanks.
[[nodiscard]] std::string_view trim_right(std::string_view text);
/// Text without leading and trailing blanks.
[[nodiscard]] std::string_view trim_blanks(std::string_view text);

/// The error-log file name: app_path (filled when blank) + "ErrorLog.txt".
[[nodiscard]] std::string error_log_name();
/// The log file name given by the last "CREATE" ("Logfile.txt" before).
[[nodiscard]] const std::string& log_file_name();
void set_log_file_name(std::string name);

/// Writes one error-log entry without stopping for the fatal code.
void write_error_log_entry(std::string_view msg, int nsta);

/// A log line written as it is, with no severity or "CREATE" meaning.
void write_plain_log_line(std::string_view line);

} // namespace kalveo::detail
