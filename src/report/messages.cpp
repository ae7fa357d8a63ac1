#include "report/messages.h"

#include "platform/dialogs.h"
#include "report/box_text.h"
#include "report/log.h"
#include "report/log_channel.h"

#include <string>

namespace kalveo {

namespace {

struct BoxKind {
    const char* buttons;
    const char* icon;
};

// Status codes 0 to 5, in order.
constexpr BoxKind kBoxKinds[] = {
    {"ok", "info"},        {"ok", "error"},          {"ok", "warning"},
    {"yesno", "question"}, {"okcancel", "question"}, {"yesnocancel", "question"},
};

constexpr int kFirstButton = 1;

} // namespace

int DisplayMessage(std::string_view title, std::string_view message, int status) {
    if (status < kBoxInfo || status > kBoxYesNoCancel) return status;
    const BoxKind& kind = kBoxKinds[status];
    const int answer = tinyfd_messageBox(title, message, kind.buttons, kind.icon, kFirstButton);
    return status >= kBoxYesNo ? answer : status;
}

int error_message_tit(int msg_status, std::string_view tit, std::string_view msg, bool qline) {
    const std::string text = box_lines(msg);
    if (qline) {
        detail::console_line(" " + std::string(detail::trim_right(text)));
        detail::flush_console();
    } else {
        msg_status = DisplayMessage(cut_trimmed(tit, kBoxTitleLength),
                                    cut_trimmed(text, kBoxTextLength), msg_status);
    }
    if (msg_status == kSeverityError || msg_status == kSeverityWarning)
        log_error_f(text, msg_status);
    return msg_status;
}

int error_message(int msg_status, std::string_view msg, bool qline) {
    return error_message_tit(msg_status, kDefaultBoxTitle, msg, qline);
}

int error_message_vfl(int msg_status, std::string_view tit, std::string_view msg, bool qline) {
    if (msg_status == kBoxError) ++detail::log_state().errors;
    if (msg_status == kBoxWarning) ++detail::log_state().warnings;
    detail::console_line(" error_message_vfl : " + std::string(qline ? "T " : "F ") +
                         std::to_string(msg_status) + " " + std::string(detail::trim_right(msg)));
    detail::flush_console();
    return error_message_tit(msg_status, tit, msg, qline);
}

} // namespace kalveo
