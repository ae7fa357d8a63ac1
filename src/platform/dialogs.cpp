#include "platform/dialogs.h"

#include "platform/dialogs_backend.h"
#include "platform/env.h"

namespace kalveo {

namespace dialogs {

Buttons parse_buttons(std::string_view dialog_type) {
    if (dialog_type == "okcancel") return Buttons::okcancel;
    if (dialog_type == "yesno") return Buttons::yesno;
    if (dialog_type == "yesnocancel") return Buttons::yesnocancel;
    return Buttons::ok;
}

Icon parse_icon(std::string_view icon_type) {
    if (icon_type == "warning") return Icon::warning;
    if (icon_type == "error") return Icon::error;
    if (icon_type == "question") return Icon::question;
    return Icon::info;
}

const char* buttons_name(Buttons buttons) {
    switch (buttons) {
    case Buttons::okcancel:
        return "okcancel";
    case Buttons::yesno:
        return "yesno";
    case Buttons::yesnocancel:
        return "yesnocancel";
    case Buttons::ok:
        break;
    }
    return "ok";
}

const char* icon_name(Icon icon) {
    switch (icon) {
    case Icon::warning:
        return "warning";
    case Icon::error:
        return "error";
    case Icon::question:
        return "question";
    case Icon::info:
        break;
    }
    return "info";
}

int valid_default(Buttons buttons, int default_button) {
    switch (buttons) {
    case Buttons::ok:
        return 1;
    case Buttons::okcancel:
    case Buttons::yesno:
        return default_button == 0 ? 0 : 1;
    case Buttons::yesnocancel:
        return default_button == 0 || default_button == 2 ? default_button : 1;
    }
    return 1;
}

const char* answer_name(Buttons buttons, int answer) {
    switch (buttons) {
    case Buttons::ok:
        return "ok";
    case Buttons::okcancel:
        return answer == 1 ? "ok" : "cancel";
    case Buttons::yesno:
        return answer == 1 ? "yes" : "no";
    case Buttons::yesnocancel:
        return answer == 1 ? "yes" : answer == 2 ? "no" : "cancel";
    }
    return "ok";
}

std::optional<int> answer_from_word(Buttons buttons, std::string_view word) {
    const bool positive = word == "yes" || word == "ok";
    const bool negative = word == "no" || word == "cancel";
    if (!positive && !negative) return std::nullopt;
    if (buttons == Buttons::ok) return 1;
    if (positive) return 1;
    if (buttons == Buttons::yesnocancel) return word == "no" ? 2 : 0;
    return 0;
}

std::optional<std::string> script_file() {
    constexpr std::string_view kScript = "script:";
    const auto setting = get_env("KALVEO_DIALOGS");
    if (!setting || setting->compare(0, kScript.size(), kScript) != 0) return std::nullopt;
    return setting->substr(kScript.size());
}

} // namespace dialogs

int tinyfd_messageBox(std::string_view title, std::string_view message,
                      std::string_view dialog_type, std::string_view icon_type,
                      int default_button) {
    dialogs::BoxRequest box{title, message, dialogs::parse_buttons(dialog_type),
                            dialogs::parse_icon(icon_type)};
    box.default_answer = dialogs::valid_default(box.buttons, default_button);
    if (const auto file = dialogs::script_file()) return dialogs::scripted_message_box(*file, box);
    return dialogs::native_message_box(box);
}

std::optional<std::string> tinyfd_inputBox(std::string_view title, std::string_view message,
                                           std::string_view default_input) {
    const dialogs::InputRequest input{title, message, default_input};
    if (const auto file = dialogs::script_file()) return dialogs::scripted_input_box(*file, input);
    return dialogs::native_input_box(input);
}

} // namespace kalveo
