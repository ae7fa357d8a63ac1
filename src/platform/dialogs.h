// platform/dialogs: message, question and text input boxes.
//
// The calls have tinyfiledialogs' shape. The box comes from, in this order:
// - a script, when the environment holds KALVEO_DIALOGS=script:FILE (tests and
//   the demo: nothing ever waits for a person);
// - on Linux zenity, else kdialog, when on the PATH and a display is set; else
//   SDL's message box, and a console prompt for text input;
// - on Windows MessageBox, and a console prompt for text input.
//
// The script FILE holds one answer per line, used in order by the boxes of
// the whole process: "yes", "no", "ok" or "cancel" for a box with buttons, the
// text for an input box ("{cancel}" cancels an input box). When the lines run
// out, or the file is empty or cannot be read, every box gets its default: the
// default button, or the input box's default text. Every scripted box prints
// one line to standard output:
//   [dialog] messageBox <type> <icon> title="<title>" text="<text>" answer=<button>
//   [dialog] inputBox title="<title>" text="<text>" answer="<text>"  (or answer=cancel)
// followed by " (default)" when no script line gave the answer. Line feeds in
// the texts show as "\n".
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kalveo {

/// Shows a box and waits for the answer.
/// dialog_type: "ok", "okcancel", "yesno" or "yesnocancel" (others: "ok").
/// icon_type: "info", "warning", "error" or "question".
/// default_button: the button taken by Enter, numbered as the result.
/// Returns 1 for ok or yes, 0 for cancel or no; "yesnocancel" returns 1 yes,
/// 2 no, 0 cancel. An "ok" box returns 1.
int tinyfd_messageBox(std::string_view title, std::string_view message,
                      std::string_view dialog_type, std::string_view icon_type, int default_button);

/// Asks for one line of text, offering `default_input`. Returns the text, or
/// nothing when the user cancels.
std::optional<std::string> tinyfd_inputBox(std::string_view title, std::string_view message,
                                           std::string_view default_input);

} // namespace kalveo
