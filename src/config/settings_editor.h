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

/// Runs the editor and waits for it. When it ended well and start-up has finished, asks
/// whether to restart; on yes sets cmndta001.qrestart, clears the start-up and flight flags
/// and returns 1 (the caller then leaves the event loop). Otherwise returns 0, with
/// qrestart cleared (left as it was while start-up is still running).
int config_ini(int nsetup);

} // namespace kalveo
