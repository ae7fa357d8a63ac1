// config/settings_editor: editing the settings file in the user's text editor (or the setup
// program) and the restart that takes the new settings into use.
#pragma once

#include <string>
#include <vector>

namespace kalveo {

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

/// Asked at every timer tick. Once the editor has ended: logs its status and, when it ended
/// well and start-up has finished, asks whether to restart; on yes sets cmndta001.qrestart,
/// clears the start-up and flight flags and returns 1 (the caller then leaves the event
/// loop). Otherwise returns 0, with qrestart cleared (left as it was while start-up is still
/// running). Returns 0 at once while the editor runs or when none was started.
int settings_edit_ended();

} // namespace kalveo
