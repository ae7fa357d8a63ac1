// report/log_format: the fixed lines and time stamps of the log and error log.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace kalveo {

/// Header line of a severity as the console shows it ("+ INFO +-+-...",
/// "+ WARNING ...", "+ ERROR ...", "+ FATAL ERROR ..."); empty for plain messages.
[[nodiscard]] std::string console_header(int severity);

/// Header line of a severity as the log files hold it (a fatal message is
/// headed "+ ERROR " there).
[[nodiscard]] std::string file_header(int severity);

/// The line that closes a message with a severity: 39 pairs "+-".
[[nodiscard]] std::string trailer_line();

/// "2024-05-31 14:03:07".
[[nodiscard]] std::string date_time_stamp(const std::tm& when);

/// The log name made from the program's file name and the time:
/// "Kalveo_2024_05_31-14_03_07.log" for "C:\Kalveo\Kalveo.exe". The folder is
/// dropped and the name cut at its first ".".
[[nodiscard]] std::string timed_log_name(std::string_view program, const std::tm& when);

} // namespace kalveo
