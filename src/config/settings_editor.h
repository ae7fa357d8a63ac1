// config/settings_editor: editing the settings file in the user's text editor (or the setup
// program) and the restart that takes the new settings into use.
#pragma once

#include <string>
#include <vector>

namespace kalveo {

/// What start-up tells the settings editing at each pass.
struct SettingsEditing {
    /// The "Text editor" setting.
    std::string text_editor = "notepad";
    /// The console window is kept: the setup program is told so ("-keep").
    bool keep_console = false;
    /// The question asked when the editor has ended well (the language's text).
    std::string restart_question = "This message has not been initialized";
};

/// Takes what start-up knows for the next edits.
void set_up_settings_editing(SettingsEditing setup);

/// The program that edits the settings: for `nsetup` 0 the "Text editor" command (split
/// into words as a shell would) with the settings file as one more argument; otherwise
/// the setup program beside this one, with "-keep" when the console is kept.
[[nodiscard]] std::vector<std::string> settings_edit_command(int nsetup);

/// Starts the editor (`nsetup` 0) or the setup program and does not wait for it: the event
/// loop, the keyboard hook and the alarm go on while it is open. Returns true when it was
/// started. One at a time: while one is open this only logs so. A setup program that is not
/// there is explained in a box and the log, which point to the editor's window key "e".
bool start_settings_edit(int nsetup);

/// True from start_settings_edit until settings_edit_ended has taken up the editor's end.
[[nodiscard]] bool settings_editor_open();

/// Asked at every timer tick (start-up has then finished). Once the editor has ended: logs
/// its status and, when it ended well, asks whether to restart; on yes returns 1 (the caller
/// then leaves the event loop and start-up runs again). Otherwise returns 0, as it does at
/// once while the editor runs or when none was started.
int settings_edit_ended();

} // namespace kalveo
