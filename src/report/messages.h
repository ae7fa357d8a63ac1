// report/messages: message boxes for what the pilot must see or answer.
//
// Status codes in: 0 information, 1 error, 2 warning, 3 yes/no, 4 ok/cancel,
// 5 yes/no/cancel. For the questions the answer comes back: 1 yes/ok, 0 no or
// cancel (yes/no/cancel: 1 yes, 2 no, 0 cancel); other kinds return the
// status unchanged. In the text "/" starts a new line and "\/" is a slash.
#pragma once

#include <string_view>

namespace kalveo {

inline constexpr int kBoxInfo = 0;
inline constexpr int kBoxError = 1;
inline constexpr int kBoxWarning = 2;
inline constexpr int kBoxYesNo = 3;
inline constexpr int kBoxOkCancel = 4;
inline constexpr int kBoxYesNoCancel = 5;

/// Shows `msg` titled `tit` (on the console instead when `qline`), returns the
/// answer; warnings and errors (status out 1 or 2) also go to the error log.
int error_message_tit(int msg_status, std::string_view tit, std::string_view msg,
                      bool qline = false);

/// The same with the program's fixed default title.
int error_message(int msg_status, std::string_view msg, bool qline = false);

/// Counts errors and warnings, traces the call, then error_message_tit.
int error_message_vfl(int msg_status, std::string_view tit, std::string_view msg,
                      bool qline = false);

/// The box itself for a status code (ready-made title and text): returns the
/// answer for the questions, `status` unchanged for the others and for codes
/// without a box.
int DisplayMessage(std::string_view title, std::string_view message, int status);

/// The title of every message box of the program.
inline constexpr std::string_view kDefaultBoxTitle = "Kalveo";

} // namespace kalveo
