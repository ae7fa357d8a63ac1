// platform/dialogs_backend: the request every dialog backend serves, and the
// backends themselves. Internal to the platform library.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo::dialogs {

enum class Buttons { ok, okcancel, yesno, yesnocancel };
enum class Icon { info, warning, error, question };

struct BoxRequest {
    std::string_view title;
    std::string_view message;
    Buttons buttons = Buttons::ok;
    Icon icon = Icon::info;
    /// The answer taken by Enter or when nobody answers (a valid one for the buttons).
    int default_answer = 1;
};

struct InputRequest {
    std::string_view title;
    std::string_view message;
    std::string_view default_input;
};

[[nodiscard]] Buttons parse_buttons(std::string_view dialog_type);
[[nodiscard]] Icon parse_icon(std::string_view icon_type);
[[nodiscard]] const char* buttons_name(Buttons buttons);
[[nodiscard]] const char* icon_name(Icon icon);

/// The default button when it is one of the box's answers, else the first.
[[nodiscard]] int valid_default(Buttons buttons, int default_button);

/// The name of the button with that answer ("yes", "no", "ok", "cancel").
[[nodiscard]] const char* answer_name(Buttons buttons, int answer);

/// The answer a button word gives on these buttons; nothing for other words.
[[nodiscard]] std::optional<int> answer_from_word(Buttons buttons, std::string_view word);

/// The script file named by KALVEO_DIALOGS=script:FILE, when set.
[[nodiscard]] std::optional<std::string> script_file();

int scripted_message_box(const std::string& file, const BoxRequest& box);
std::optional<std::string> scripted_input_box(const std::string& file, const InputRequest& input);

/// The operating system's boxes.
int native_message_box(const BoxRequest& box);
std::optional<std::string> native_input_box(const InputRequest& input);

/// Boxes on the console: the text, then an answer read from standard input
/// (the default at end of input).
int console_message_box(const BoxRequest& box);
std::optional<std::string> console_input_box(const InputRequest& input);

} // namespace kalveo::dialogs
